#pragma once

#include "ModuleTestSession.h"
#include "QIVDialog.h"
#include "QIVDlgMultiList.h"
#include "QIVFrmEditor.h"
#include "QIVISPPChildManagement.h"
#include "ZELFastenerDisplay.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWActivityFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "assignment/ZELVekBIWAssignWeldCmd.h"
#include "assignment/ZELVekBIWAssignWeldDlg.h"

// A planning session with two parts and a station:
//
//   Body
//     Floor: spot welds W3, W1, W2 (in that document order), sealant S1
//     Side:  spot welds W5, W4
//   Process
//     Station.1
//       Loading.1
//       SpotWelding.1   (W4 assigned)
//       SpotWelding.2
//       SealantApplication.1
//
// The station makes 60 bodies an hour for 30 welds: 2 s a weld.
class AssignWeldTest : public ModuleTestSession {
 protected:
  void SetUp() override {
    ModuleTestSession::SetUp();
    ZELFastenerDisplay::Instance().Reset();
    const QIVIDocument_var& document = Document();
    document->CreateProduct(nullptr, "Body", "PN-BODY", _body);
    document->CreateProduct(_body, "Floor", "PN-FLOOR", _floor);
    document->CreateProduct(_body, "Side", "PN-SIDE", _side);

    QIVBaseUnknown_var container, top, joint;
    document->GetFeatureContainer(container);
    _factory = ZELIBIWFPPFactory_var(container);
    _relations = ZELIBIWFeaturePartRelations_var(container);
    _factory->GetTopGroup(top);
    _factory->CreateGroup(top, joint);
    QIVIAlias_var(joint)->SetAlias("Assembly Joint.1");
    _w3 = Point(joint, "W3, A", _floor);
    _w1 = Point(joint, "W1, A", _floor);
    _w2 = Point(joint, "W2, A", _floor);
    _factory->CreateCurveFastener(joint, _s1);
    QIVIAlias_var(_s1)->SetAlias("S1");
    ZELIBIWFastener_var(_s1)->SetType("sealant");
    ZELIBIWFastener_var(_s1)->SetCategory("endo");
    _relations->SetRelatedParts(_s1, QIVListValQIVBaseUnknown_var{_floor}, true);
    _w5 = Point(joint, "W5, B", _side);
    _w4 = Point(joint, "W4, B", _side);

    document->GetRootActivity(_root);
    _station = ZELIBIWActivityFactory_var(_root)->CreateStationActivity(QIVISPPChildManagement_var(_root));
    QIVISPPActivity_var(_station)->SetAttribute("ProductExitRate", 60);
    QIVISPPActivity_var(_station)->SetAttribute("SpecifiedPointFasteners", 30);
    ZELIBIWActivityFactory_var stationFactory(_station);
    QIVISPPChildManagement_var children(_station);
    _loading = stationFactory->CreateLoadingActivity(children);
    _welding1 = stationFactory->CreateSpotWeldingActivity(children);
    _welding2 = stationFactory->CreateSpotWeldingActivity(children);
    _sealing = stationFactory->CreateSealantApplicationActivity(children);
    QIVListValQIVBaseUnknown_var one{_w4};
    ZELFastenerServices::AssignListOfWelds(&one, _welding1, nullptr, 0);
  }

  void TearDown() override {
    for (QIVBaseUnknown_var* held : {&_body, &_floor, &_side, &_w1, &_w2, &_w3, &_w4, &_w5, &_s1, &_root, &_station,
                                     &_loading, &_welding1, &_welding2, &_sealing})
      *held = nullptr;
    _factory = nullptr;
    _relations = nullptr;
    ModuleTestSession::TearDown();
    ZELFastenerDisplay::Instance().Reset();
  }

  QIVBaseUnknown_var Point(const QIVBaseUnknown_var& group, const char* name, const QIVBaseUnknown_var& part) {
    QIVBaseUnknown_var weld;
    EXPECT_EQ(_factory->CreatePointFastener(group, weld), S_OK);
    QIVIAlias_var(weld)->SetAlias(name);
    ZELIBIWFastener_var(weld)->SetType("spot weld");
    ZELIBIWFastener_var(weld)->SetCategory("exo");
    _relations->SetRelatedParts(weld, QIVListValQIVBaseUnknown_var{part}, true);
    return weld;
  }

  ZELVekBIWAssignWeldCmd* Start() {
    if (FAILED(Deliver(QIVStartEvent{"ZELVekBIWAssignWeldCmd"}))) return nullptr;
    return Command();
  }
  ZELVekBIWAssignWeldCmd* Command() {
    return dynamic_cast<ZELVekBIWAssignWeldCmd*>(Dispatcher().GetActiveCommand());
  }
  ZELVekBIWAssignWeldDlg* Dialog() {
    ZELVekBIWAssignWeldCmd* command = Command();
    return command ? command->GetDialog() : nullptr;
  }
  std::vector<std::string> ComboLines(const std::string& combo) const { return Lines<QIVDlgCombo>(combo); }
  static double CycleTime(const QIVBaseUnknown_var& activity) {
    double seconds = -1;
    QIVISPPActivity_var(activity)->GetCycleTime(seconds);
    return seconds;
  }

  ZELIBIWFPPFactory_var _factory;
  ZELIBIWFeaturePartRelations_var _relations;
  QIVBaseUnknown_var _body, _floor, _side, _w1, _w2, _w3, _w4, _w5, _s1;
  QIVBaseUnknown_var _root, _station, _loading, _welding1, _welding2, _sealing;
};
