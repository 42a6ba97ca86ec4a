#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "QIVDocument.h"
#include "QIVIAlias.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItemMgt.h"
#include "QIVISPPProcessContainer.h"
#include "QIVListVal.h"
#include "QIVSPPActivityType.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeaturePartRelations.h"

// A small body side for model and service tests: a product tree, a process
// with a grouping and two stations, and fasteners in assembly joints.
//
//   Body (BD-100)                 Process
//     Floor.1 (FL-200)              Grouping.1
//     SideMember.1 (SM-300)           Station.1: Loading.1 -> SpotWelding.1 -> SealantApplication.1
//     SideMember.2 (SM-300)           Station.2
//     CrossMember.1 (CM-400)
//
//   top group / Assembly Joint.1 (Floor.1, SideMember.1) / JB1: "W0001, A", "W0002, A" (spot weld)
//              Assembly Joint.2 (Floor.1, CrossMember.1) / JB2: "W0003, B" (spot weld), "S0001, B" (sealant curve)
struct ModelTestDocument {
  QIVIDocument_var document = QIVDocument::New();
  QIVBaseUnknown_var body, floor, side1, side2, cross;
  QIVBaseUnknown_var root, grouping, station1, station2, loading, welding, sealing;
  QIVBaseUnknown_var container, top, joint1, joint2, body1, body2, w1, w2, w3, seam;

  ModelTestDocument() {
    document->CreateProduct(nullptr, "Body", "BD-100", body);
    document->CreateProduct(body, "Floor.1", "FL-200", floor);
    document->CreateProduct(body, "SideMember.1", "SM-300", side1);
    document->CreateProduct(body, "SideMember.2", "SM-300", side2);
    document->CreateProduct(body, "CrossMember.1", "CM-400", cross);

    document->GetRootActivity(root);
    namespace T = QIVSPPActivityTypes;
    Child(root, T::Grouping, grouping);
    Child(grouping, T::Station, station1);
    Child(grouping, T::Station, station2);
    Child(station1, T::Loading, loading);
    Child(station1, T::SpotWelding, welding);
    Child(station1, T::SealantApplication, sealing);
    QIVISPPFlowMgt_var(loading)->AddNextActivity(welding);
    QIVISPPFlowMgt_var(welding)->AddNextActivity(sealing);

    document->GetFeatureContainer(container);
    ZELIBIWFPPFactory_var factory(container);
    factory->GetTopGroup(top);
    joint1 = Group(top, "Assembly Joint.1", {floor, side1});
    body1 = Group(joint1, "JB1", {});
    joint2 = Group(top, "Assembly Joint.2", {floor, cross});
    body2 = Group(joint2, "JB2", {});
    w1 = Point(body1, "W0001, A", "spot weld");
    w2 = Point(body1, "W0002, A", "spot weld");
    w3 = Point(body2, "W0003, B", "spot weld");
    factory->CreateCurveFastener(body2, seam);
    Name(seam, "S0001, B", "sealant");
  }

  static void Child(const QIVBaseUnknown_var& parent, const char* type, QIVBaseUnknown_var& child) {
    ASSERT_TRUE(SUCCEEDED(QIVISPPChildManagement_var(parent)->CreateChild(type, child)));
  }

  QIVBaseUnknown_var Group(const QIVBaseUnknown_var& father, const char* name,
                           const QIVListValQIVBaseUnknown_var& parts) {
    QIVBaseUnknown_var group;
    ZELIBIWFPPFactory_var(container)->CreateGroup(father, group);
    QIVIAlias_var(group)->SetAlias(name);
    if (!parts.IsEmpty()) ZELIBIWFeaturePartRelations_var(container)->SetRelatedParts(group, parts, true);
    return group;
  }

  QIVBaseUnknown_var Point(const QIVBaseUnknown_var& father, const char* name, const char* type) {
    QIVBaseUnknown_var fastener;
    ZELIBIWFPPFactory_var(container)->CreatePointFastener(father, fastener);
    Name(fastener, name, type);
    return fastener;
  }

  static void Name(const QIVBaseUnknown_var& fastener, const char* name, const char* type) {
    QIVIAlias_var(fastener)->SetAlias(name);
    ZELIBIWFastener_var(fastener)->SetType(type);
  }

  // A fastener's parts are those of its assembly joint.
  void RelateFastenersToJoints() {
    ZELIBIWFeaturePartRelations_var relations(container);
    for (const QIVBaseUnknown_var& fastener : {w1, w2}) relations->SetRelatedParts(fastener, {floor, side1}, true);
    for (const QIVBaseUnknown_var& fastener : {w3, seam}) relations->SetRelatedParts(fastener, {floor, cross}, true);
  }
};

// The names of a list of activities, products or features, in order.
inline QIVListValQIVUnicodeString NamesOf(const QIVListValQIVBaseUnknown_var& objects) {
  QIVListValQIVUnicodeString names;
  for (const QIVBaseUnknown_var& object : objects) {
    if (QIVISPPActivity_var activity = object)
      names.Append(activity->GetName());
    else if (QIVIProduct_var product = object)
      names.Append(product->GetPrdInstanceName());
    else if (QIVIAlias_var alias = object)
      names.Append(alias->GetAlias());
    else
      names.Append("?");
  }
  return names;
}

// Shows text lists readably in failed expectations.
inline void PrintTo(const QIVListValQIVUnicodeString& names, std::ostream* out) {
  *out << "{";
  for (int i = 1; i <= names.Size(); ++i) *out << (i > 1 ? ", \"" : "\"") << names[i] << "\"";
  *out << "}";
}
