#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ModuleTestSession.h"
#include "QIVDlgMultiList.h"
#include "QIVEnvironment.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemMgt.h"
#include "ZELFastenerDisplay.h"
#include "ZELIBIWActivityFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeaturePartRelations.h"

// Body with Floor (W1, W2 in joint body JB-FLOOR) and Side (W3 in JB-SIDE),
// both joint bodies under Assembly Joint.1. Station.1 holds W3 itself and
// SpotWelding.1 below it holds W1. The settings live in the test's folder.
class FastenerDocumentTest : public ModuleTestSession {
 protected:
  void SetUp() override {
    ModuleTestSession::SetUp();
    _settings = std::make_unique<QIVScopedEnv>("BIWPLAN_SETTINGS_DIR", _folder.c_str());
    const QIVIDocument_var& document = Document();
    document->CreateProduct(nullptr, "Body", "PN-BODY", _body);
    document->CreateProduct(_body, "Floor", "PN-FLOOR", _floor);
    document->CreateProduct(_body, "Side", "PN-SIDE", _side);
    ZELIBIWFPPFactory_var factory = FastenerFactory();
    QIVBaseUnknown_var top, floorBody, sideBody, container;
    factory->GetTopGroup(top);
    factory->CreateGroup(top, _joint);
    QIVIAlias_var(_joint)->SetAlias("Assembly Joint.1");
    factory->CreateGroup(_joint, floorBody);
    QIVIAlias_var(floorBody)->SetAlias("JB-FLOOR");
    factory->CreateGroup(_joint, sideBody);
    QIVIAlias_var(sideBody)->SetAlias("JB-SIDE");
    document->GetFeatureContainer(container);
    ZELIBIWFeaturePartRelations_var relations(container);
    auto weld = [&](const QIVBaseUnknown_var& group, const char* name, const QIVBaseUnknown_var& part) {
      QIVBaseUnknown_var fastener;
      factory->CreatePointFastener(group, fastener);
      QIVIAlias_var(fastener)->SetAlias(name);
      ZELIBIWFastener_var(fastener)->SetType("spot weld");
      relations->SetRelatedParts(fastener, QIVListValQIVBaseUnknown_var{part}, true);
      return fastener;
    };
    _w1 = weld(floorBody, "W1, A", _floor);
    _w2 = weld(floorBody, "W2, A", _floor);
    _w3 = weld(sideBody, "W3, B", _side);
    QIVBaseUnknown_var root;
    document->GetRootActivity(root);
    _station = ZELIBIWActivityFactory_var(root)->CreateStationActivity(QIVISPPChildManagement_var(root));
    _welding =
        ZELIBIWActivityFactory_var(_station)->CreateSpotWeldingActivity(QIVISPPChildManagement_var(_station));
    QIVISPPItemMgt_var(_station)->AddItem(_w3, QIVSPPItemAssigned);
    QIVISPPItemMgt_var(_welding)->AddItem(_w1, QIVSPPItemAssigned);
  }
  void TearDown() override {
    for (QIVBaseUnknown_var* held :
         {&_body, &_floor, &_side, &_joint, &_w1, &_w2, &_w3, &_station, &_welding})
      *held = nullptr;
    ModuleTestSession::TearDown();
    _settings.reset();
  }

  // The cells of the given columns of each row of a multi-column list,
  // joined by blanks.
  std::vector<std::string> Cells(const std::string& list, std::initializer_list<int> columns) const {
    std::vector<std::string> rows;
    const auto* widget = Widget<QIVDlgMultiList>(list);
    for (int row = 0; widget && row < widget->GetRowCount(); ++row) {
      std::string line;
      for (int column : columns)
        line += (column == *columns.begin() ? "" : " ") + widget->GetCell(row, column).str();
      rows.push_back(line);
    }
    return rows;
  }
  static const ZELFastenerDisplay& Display() { return ZELFastenerDisplay::Instance(); }

  std::unique_ptr<QIVScopedEnv> _settings;
  QIVBaseUnknown_var _body, _floor, _side, _joint, _w1, _w2, _w3, _station, _welding;
};
