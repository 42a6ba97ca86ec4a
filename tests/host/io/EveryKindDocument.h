#pragma once

#include <gtest/gtest.h>

#include "QIVDocument.h"
#include "QIVIAlias.h"
#include "QIVIPLMObject.h"
#include "QIVIPlantLibrary.h"
#include "QIVIProduct.h"
#include "QIVIProductReference.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPDynamicActivity.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItemLink.h"
#include "QIVISPPItemMgt.h"
#include "QIVISPPProcessContainer.h"
#include "QIVISPPProductIO.h"
#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "QIVMathTransformation.h"
#include "QIVSPPActivityType.h"
#include "ZELEMfgAssemblyFactory.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWCurveFastener.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWLocatingPoint.h"
#include "ZELIBIWPointFastener.h"
#include "ZELIMfgAssembly.h"
#include "ZELISpotWeld.h"
#include "ZELIUpdateManufAssly.h"

// A document holding every kind of object and link the format keeps, with
// the orders a naive reload would lose: a flow target whose previous
// activities are not in tree order, a fastener processed by activities in
// reverse tree order, a sub-assembly listed after the assembly holding it,
// a dynamic activity standing for one further down the tree.
//
//   Body (BD-100)                       Process (automatic update)
//     Floor (FL-200, placed)              Grouping.1
//       Bracket (no reference)              Station.1: Loading.1 -> Clamping.1 -> SpotWelding.1
//     Side.L (SD-300)                                  -> SealantApplication.1 -> Unclamping.1
//     Side.R (SD-300)                                  -> Unloading.1, Dynamic.1 (for Unloading.1)
//   reference SP-900 without instance     AssemblyOperation.1, Process.1
//                                       Alternative
struct EveryKindDocument {
  QIVIDocument_var document = QIVDocument::New();
  QIVBaseUnknown_var body, floor, bracket, sideL, sideR, spare;
  QIVBaseUnknown_var datumA, targetA1, datumB;
  QIVBaseUnknown_var container, top, joint, jointBody, weld, seam, locatingTop, pin, clampingTop, clamp;
  QIVBaseUnknown_var outer, inner;
  QIVBaseUnknown_var root, grouping, station, loading, clamping, welding, sealing, unclamping, unloading,
      dynamic, operation, subProcess, alternative;

  EveryKindDocument() {
    BuildProducts();
    BuildFeatures();
    BuildAssemblies();
    BuildProcess();
    BuildLinks();
  }

  void BuildProducts() {
    document->CreateProduct(nullptr, "Body", "BD-100", body);
    document->CreateProduct(body, "Floor", "FL-200", floor);
    document->CreateProduct(floor, "Bracket", "", bracket);
    document->CreateProduct(body, "Side.L", "SD-300", sideL);
    document->CreateProduct(body, "Side.R", "SD-300", sideR);
    QIVIProduct_var(floor)->SetPosition(QIVMathTransformation::FromYPR(1200.5, -0.1, 3e-7, 10, 20, 33.3));
    QIVIPLMObject_var(floor)->SetPLMID("PLM-FLOOR-7");
    document->CreateObject("ProductReference", "", 0, spare);
    QIVIProductReference_var(spare)->SetPartNumber("SP-900");
    document->CreateDatum(false, "A", floor, datumA);
    document->CreateDatum(true, "A1", floor, targetA1);
    document->CreateDatum(false, "B \"quoted\"", nullptr, datumB);
  }

  void BuildFeatures() {
    document->GetFeatureContainer(container);
    ZELIBIWFPPFactory_var factory(container);
    factory->GetTopGroup(top);
    factory->CreateGroup(top, joint);
    QIVIAlias_var(joint)->SetAlias("Assembly Joint.1");
    ZELIBIWFeaturePartRelations_var(container)->SetRelatedParts(joint, {floor, sideL}, true);
    factory->CreateGroup(joint, jointBody);
    QIVIAlias_var(jointBody)->SetAlias("JB1");

    factory->CreatePointFastener(jointBody, weld);
    QIVIAlias_var(weld)->SetAlias("W0001, A");
    ZELIBIWFastener_var fastener(weld);
    fastener->SetType("spot weld");
    fastener->SetIdentifier("W0001");
    fastener->SetFastenerVersion("B.2");
    fastener->SetColor(0x00FF7F);
    fastener->AddExternalAssignment("Plant/Line 2/Station 40");
    ZELISpotWeld_var(weld)->SetValues({0.1, -2.5e-12, 1e300, 90, -45.25, 179.999, 0, 0, -1});
    ZELIBIWPointFastener_var(weld)->SetManufacturingPosition({0.2, 0, 1e300, 90, -45, 180}, false);
    ZELIBIWFeature_var(weld)->SetGraphicRepresentation("graphics/spot.cgr");
    ZELIBIWFeature_var(weld)->SetPlanTypeName("SpotWeldPlanType");
    QIVIPLMObject_var(weld)->SetPLMID("PLM-W0001");
    ZELIBIWFeaturePartRelations_var(container)->SetRelatedParts(weld, {sideL, floor}, true);

    factory->CreateCurveFastener(jointBody, seam);
    QIVIAlias_var(seam)->SetAlias("S0001, A");
    ZELIBIWFastener_var(seam)->SetType("sealant");
    ZELIBIWFastener_var(seam)->SetCategory("endo");
    QIVListVal<QIVRawColldouble> points;
    points.Append({0, 0, 0, 0, 0, 0});
    points.Append({10.5, 0, 0, 0, 0, 0});
    points.Append({10.5, 20.25, -3, 0, 90, 0});
    ZELIBIWCurveFastener_var(seam)->SetPoints(points);

    factory->GetTopLocatingPointGroup(locatingTop);
    factory->CreateLocatingPoint(locatingTop, pin);
    QIVIAlias_var(pin)->SetAlias("Pin 4-way");
    ZELIBIWLocatingPoint_var(pin)->SetPosition({1, 2, 3, 0, 0, 90});
    ZELIBIWLocatingPoint_var(pin)->SetDescription("4-way pin");
    ZELIBIWLocatingPoint_var(pin)->SetColor(0);
    ZELIBIWFeaturePartRelations_var(container)->SetRelatedParts(pin, {floor}, true);
    factory->GetTopClampingPointGroup(clampingTop);
    factory->CreateClampingPoint(clampingTop, clamp);
    ZELIBIWClampingPoint_var(clamp)->SetPosition({4, 5, 6, 0, 0, 0});
  }

  // `outer` joins first and holds `inner`, which comes after it in the list.
  void BuildAssemblies() {
    ZELEMfgAssemblyFactory factory(document);
    outer = factory.CreateMfgAssembly();
    inner = factory.CreateMfgAssembly();
    ZELIMfgAssembly_var(inner)->SetLabel("Floor with sides");
    ZELIMfgAssembly_var(inner)->AddPart(floor);
    ZELIMfgAssembly_var(inner)->AddPart(sideL);
    ZELIMfgAssembly_var(outer)->AddPart(sideR);
    ZELIMfgAssembly_var(outer)->AddPart(inner);
  }

  void BuildProcess() {
    namespace T = QIVSPPActivityTypes;
    document->GetRootActivity(root);
    ZELIUpdateManufAssly_var(root)->SetAutomaticUpdate(true);
    grouping = Child(root, T::Grouping);
    QIVISPPActivity_var(grouping)->SetAttribute("ProductExitRate", 55.5);
    station = Child(grouping, T::Station);
    QIVISPPActivity_var(station)->SetAttribute("SpecifiedPointFasteners", 120);
    QIVISPPActivity_var(station)->SetCycleTime(61.25);
    loading = Child(station, T::Loading);
    clamping = Child(station, T::Clamping);
    welding = Child(station, T::SpotWelding);
    QIVISPPActivity_var(welding)->SetAttribute("PointFasteningRate", 2.75);
    QIVISPPActivity_var(welding)->SetCycleTime(0.1);
    sealing = Child(station, T::SealantApplication);
    unclamping = Child(station, T::Unclamping);
    unloading = Child(station, T::Unloading);
    dynamic = Child(station, T::DynamicActivity);
    operation = Child(root, T::AssemblyOperation);
    subProcess = Child(root, T::Process);
    QIVBaseUnknown_var processContainer;
    document->GetProcessContainer(processContainer);
    QIVISPPProcessContainer_var(processContainer)->CreateProcess("Alternative", alternative);
    QIVIPLMObject_var(alternative)->SetPLMID("PLM-ALT");
  }

  void BuildLinks() {
    QIVISPPDynamicActivity_var(dynamic)->SetActivity(unloading);
    for (auto [from, to] : {std::pair{loading, clamping},
                            {clamping, welding},
                            {welding, sealing},
                            {sealing, unclamping},
                            {unclamping, unloading}})
      QIVISPPFlowMgt_var(from)->AddNextActivity(to);
    // Unloading.1 then Loading.1 lead to AssemblyOperation.1: its previous
    // activities are not in tree order.
    QIVISPPFlowMgt_var(unloading)->AddNextActivity(operation);
    QIVISPPFlowMgt_var(loading)->AddNextActivity(operation);

    QIVBaseUnknown_var io;
    QIVISPPFlowMgt_var(station)->CreateProductInput(io);
    QIVISPPProductIO_var(io)->SetProduct(floor);
    QIVISPPFlowMgt_var(station)->CreateProductOutput(io);
    QIVISPPProductIO_var(io)->SetProduct(inner);
    QIVISPPFlowMgt_var(station)->CreateProductOutput(io);

    // The weld goes to the sealing first, then to the welding before it.
    QIVISPPItemMgt_var(sealing)->AddItem(weld, QIVSPPItemAssigned);
    QIVBaseUnknown_var link;
    QIVISPPItemMgt_var(welding)->AddItem(weld, QIVSPPItemAssigned, &link);
    QIVISPPItemLink_var(link)->SetOptions(3, -4);
    QIVISPPItemMgt_var(sealing)->AddItem(seam, QIVSPPItemAssigned);
    QIVISPPItemMgt_var(station)->AddItem(floor, QIVSPPItemAssigned);
    QIVISPPItemMgt_var(station)->AddItem(inner, QIVSPPItemFromFlow);
    QIVISPPItemMgt_var(station)->AddItem(pin, QIVSPPItemAssigned);
    QIVISPPItemMgt_var(loading)->AddItem(datumA, QIVSPPItemAssigned);

    QIVBaseUnknown_var library;
    document->GetPlantLibrary(library);
    QIVIPlantLibrary_var(library)->AddEntry(station);
    QIVIPlantLibrary_var(library)->AddEntry(bracket);
  }

  static QIVBaseUnknown_var Child(const QIVBaseUnknown_var& parent, const char* type) {
    QIVBaseUnknown_var child;
    EXPECT_TRUE(SUCCEEDED(QIVISPPChildManagement_var(parent)->CreateChild(type, child))) << type;
    return child;
  }
};
