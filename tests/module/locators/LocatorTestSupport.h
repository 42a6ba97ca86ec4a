#pragma once

#include <string>
#include <vector>

#include "ModuleTestSession.h"
#include "QIVDlgMultiList.h"
#include "QIVIAlias.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemMgt.h"
#include "QIVUserEvent.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWLocatingPoint.h"

// A fixture of the locator commands: a body of three parts, each with
// locators, two datums on the floor, and a station that loads the floor
// and the side:
//
//   Body: Floor (LP1 "4-way pin", LP2, CP1 "swing clamp", datum D1, target T1),
//         Side (LP3), Roof (CP2)
//   Process / Station.1 (items Floor, Side) / Load (loading), Clamp (clamping)
class LocatorTestSession : public ModuleTestSession {
 protected:
  void SetUp() override {
    ModuleTestSession::SetUp();
    QIVBaseUnknown_var body;
    Document()->CreateProduct(nullptr, "Body", "PN-BODY", body);
    for (auto [part, name] : {std::pair{&_floor, "Floor"}, {&_side, "Side"}, {&_roof, "Roof"}})
      Document()->CreateProduct(body, name, std::string("PN-") + name, *part);
    _lp1 = Locator(false, "LP1", _floor, "4-way pin");
    _lp2 = Locator(false, "LP2", _floor, "");
    _cp1 = Locator(true, "CP1", _floor, "swing clamp");
    _lp3 = Locator(false, "LP3", _side, "");
    _cp2 = Locator(true, "CP2", _roof, "");
    Document()->CreateDatum(false, "D1", _floor, _d1);
    Document()->CreateDatum(true, "T1", _floor, _t1);

    QIVBaseUnknown_var root;
    Document()->GetRootActivity(root);
    _station = Child(root, "BIWActivityStation", "Station.1");
    for (const QIVBaseUnknown_var& part : {_floor, _side}) QIVISPPItemMgt_var(_station)->AddItem(part);
    _load = Child(_station, "BIWActivityLoading", "Load");
    _clamp = Child(_station, "BIWActivityClamping", "Clamp");
  }

  void TearDown() override {
    for (QIVBaseUnknown_var* object :
         {&_floor, &_side, &_roof, &_lp1, &_lp2, &_lp3, &_cp1, &_cp2, &_d1, &_t1, &_station, &_load, &_clamp})
      *object = nullptr;
    ModuleTestSession::TearDown();
  }

  QIVBaseUnknown_var Locator(bool clamping, const char* name, const QIVBaseUnknown_var& part,
                             const char* text) {
    ZELIBIWFPPFactory_var factory = FastenerFactory();
    QIVBaseUnknown_var top, point;
    if (clamping) {
      factory->GetTopClampingPointGroup(top);
      factory->CreateClampingPoint(top, point);
    } else {
      factory->GetTopLocatingPointGroup(top);
      factory->CreateLocatingPoint(top, point);
    }
    QIVIAlias_var(point)->SetAlias(name);
    if (ZELIBIWLocatingPoint_var locating = point) locating->SetDescription(text);
    if (ZELIBIWClampingPoint_var clamp = point) clamp->SetDescription(text);
    QIVListValQIVBaseUnknown_var parts;
    parts.Append(part);
    ZELIBIWFeaturePartRelations_var(factory)->SetRelatedParts(point, parts, true);
    return point;
  }
  static QIVBaseUnknown_var Child(const QIVBaseUnknown_var& parent, const char* type, const char* name) {
    QIVBaseUnknown_var child;
    QIVISPPChildManagement_var(parent)->CreateChild(type, child);
    QIVISPPActivity_var(child)->SetName(name);
    return child;
  }

  HRESULT Start(const char* className) { return Dispatcher().Deliver(QIVStartEvent(className)); }
  using Row = std::vector<std::string>;
  static std::vector<Row> Rows(const QIVDlgMultiList* list) {
    std::vector<Row> rows;
    for (int row = 0; list && row < list->GetRowCount(); ++row) {
      Row cells;
      for (int column = 0; column < list->GetColumnCount(); ++column)
        cells.push_back(list->GetCell(row, column).str());
      rows.push_back(cells);
    }
    return rows;
  }
  // The names of the items assigned to the activity, products left out.
  static std::vector<std::string> Items(const QIVBaseUnknown_var& activity) {
    std::vector<std::string> names;
    for (const QIVBaseUnknown_var& item : QIVISPPItemMgt_var(activity)->GetItems("Item", QIVSPPItemAssigned))
      if (!QIVIProduct_var(item)) names.push_back(NameOf(item));
    return names;
  }

  QIVBaseUnknown_var _floor, _side, _roof, _lp1, _lp2, _lp3, _cp1, _cp2, _d1, _t1, _station, _load, _clamp;
};
