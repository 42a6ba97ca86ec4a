#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "ModuleTestSession.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemMgt.h"
#include "ZELEMfgAssemblyFactory.h"
#include "ZELIBIWActivityFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeaturePartRelations.h"

// A body of four parts and a process of two nested spot welding
// activities in a station:
//
//   Body: Floor, Tunnel, Side, Roof
//   Assembly Joint.1 (Floor, Side):   Body.1: W1 and W2 (spot welds), S1 (sealant)
//   Assembly Joint.2 (Floor, Tunnel): Body.2: W3
//   Assembly Joint.3 (Tunnel, Roof):  Body.3: W4
//   Process / Station.1 / Outer (spot welding) / Inner (spot welding)
//
// Each test gives the activities the items it needs.
class StickyJointBody : public ModuleTestSession {
 protected:
  void SetUp() override {
    ModuleTestSession::SetUp();
    const QIVIDocument_var& document = Document();
    QIVBaseUnknown_var body;
    document->CreateProduct(nullptr, "Body", "PN-BODY", body);
    for (auto [part, name] : {std::pair{&_floor, "Floor"}, {&_tunnel, "Tunnel"}, {&_side, "Side"}, {&_roof, "Roof"}})
      document->CreateProduct(body, name, std::string("PN-") + name, *part);

    QIVBaseUnknown_var container, top;
    document->GetFeatureContainer(container);
    _factory = ZELIBIWFPPFactory_var(container);
    _relations = ZELIBIWFeaturePartRelations_var(container);
    _factory->GetTopGroup(top);
    const QIVBaseUnknown_var body1 = JointBody(top, "Assembly Joint.1", {_floor, _side});
    _w1 = Fastener(body1, "W1, A", "spot weld");
    _w2 = Fastener(body1, "W2, A", "spot weld");
    _s1 = Fastener(body1, "S1", "sealant");
    _w3 = Fastener(JointBody(top, "Assembly Joint.2", {_floor, _tunnel}), "W3, B", "spot weld");
    _w4 = Fastener(JointBody(top, "Assembly Joint.3", {_tunnel, _roof}), "W4, C", "spot weld");

    QIVBaseUnknown_var root;
    document->GetRootActivity(root);
    _station = ZELIBIWActivityFactory_var(root)->CreateStationActivity(QIVISPPChildManagement_var(root));
    _outer = ZELIBIWActivityFactory_var(_station)->CreateSpotWeldingActivity(QIVISPPChildManagement_var(_station));
    QIVISPPActivity_var(_outer)->SetName("Outer");
    QIVISPPChildManagement_var(_outer)->CreateChild("BIWActivitySpotWelding", _inner);
    QIVISPPActivity_var(_inner)->SetName("Inner");
  }

  void TearDown() override {
    for (QIVBaseUnknown_var* object : {&_floor, &_tunnel, &_side, &_roof, &_w1, &_w2, &_w3, &_w4, &_s1, &_station,
                                       &_outer, &_inner})
      *object = nullptr;
    _factory = nullptr;
    _relations = nullptr;
    ModuleTestSession::TearDown();
  }

  QIVBaseUnknown_var JointBody(const QIVBaseUnknown_var& top, const char* name,
                               const QIVListValQIVBaseUnknown_var& parts) {
    QIVBaseUnknown_var joint, body;
    _factory->CreateGroup(top, joint);
    QIVIAlias_var(joint)->SetAlias(name);
    _relations->SetRelatedParts(joint, parts, true);
    _factory->CreateGroup(joint, body);
    return body;
  }
  QIVBaseUnknown_var Fastener(const QIVBaseUnknown_var& body, const char* name, const char* type) {
    QIVBaseUnknown_var fastener;
    _factory->CreatePointFastener(body, fastener);
    QIVIAlias_var(fastener)->SetAlias(name);
    ZELIBIWFastener_var(fastener)->SetType(type);
    return fastener;
  }
  static void Give(const QIVBaseUnknown_var& activity, std::initializer_list<QIVBaseUnknown_var> items) {
    for (const QIVBaseUnknown_var& item : items) ASSERT_TRUE(SUCCEEDED(QIVISPPItemMgt_var(activity)->AddItem(item)));
  }
  QIVBaseUnknown_var Assembly(std::initializer_list<QIVBaseUnknown_var> parts) const {
    const QIVBaseUnknown_var assembly = ZELEMfgAssemblyFactory(QIVBaseUnknown_var(Document())).CreateMfgAssembly();
    for (const QIVBaseUnknown_var& part : parts) ZELIMfgAssembly_var(assembly)->AddPart(part);
    return assembly;
  }

  static std::vector<std::string> Assigned(const QIVBaseUnknown_var& activity) {
    return NamesOf(QIVISPPItemMgt_var(activity)->GetItems("PointFastener"));
  }
  ZELIBIWFPPFactory_var _factory;
  ZELIBIWFeaturePartRelations_var _relations;
  QIVBaseUnknown_var _floor, _tunnel, _side, _roof, _w1, _w2, _w3, _w4, _s1, _station, _outer, _inner;
};

