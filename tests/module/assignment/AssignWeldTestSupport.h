#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "QIVDelayedDestruction.h"
#include "QIVDialog.h"
#include "QIVDispatcher.h"
#include "QIVDlgCombo.h"
#include "QIVDlgEditor.h"
#include "QIVDlgMultiList.h"
#include "QIVDlgNotify.h"
#include "QIVDlgSelectorList.h"
#include "QIVDocument.h"
#include "QIVFrmEditor.h"
#include "QIVIAlias.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVTranscript.h"
#include "ZELFastenerDisplay.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWActivityFactory.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELVekBIWAssignWeldCmd.h"
#include "ZELVekBIWAssignWeldDlg.h"
#include "ZELVekBIWCommandsModule.h"

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
class AssignWeldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ZELVekBIWCommandsModule::Load();
    _liveAtStart = QIVBaseUnknown::LiveObjectCount();
    QIVDlgNotify::ClearAnswers();
    ZELFastenerDisplay::Instance().Reset();
    _dispatcher = std::make_unique<QIVDispatcher>();
    _document = QIVDocument::New();
    _dispatcher->OpenDocument(QIVBaseUnknown_var(_document));

    _document->CreateProduct(nullptr, "Body", "PN-BODY", _body);
    _document->CreateProduct(_body, "Floor", "PN-FLOOR", _floor);
    _document->CreateProduct(_body, "Side", "PN-SIDE", _side);

    QIVBaseUnknown_var container, top, joint;
    _document->GetFeatureContainer(container);
    _factory = ZELIBIWFPPFactory_var(container);
    _relations = ZELIBIWFeaturePartRelations_var(container);
    _factory->GetTopGroup(top);
    _factory->CreateGroup(top, joint);
    QIVIAlias_var(joint)->SetAlias("Assembly Joint.1");
    _w3 = Point(joint, "W3, A", "spot weld", _floor);
    _w1 = Point(joint, "W1, A", "spot weld", _floor);
    _w2 = Point(joint, "W2, A", "spot weld", _floor);
    _factory->CreateCurveFastener(joint, _s1);
    QIVIAlias_var(_s1)->SetAlias("S1");
    ZELIBIWFastener_var(_s1)->SetType("sealant");
    ZELIBIWFastener_var(_s1)->SetCategory("endo");
    Relate(_s1, _floor);
    _w5 = Point(joint, "W5, B", "spot weld", _side);
    _w4 = Point(joint, "W4, B", "spot weld", _side);

    _document->GetRootActivity(_root);
    ZELIBIWActivityFactory_var rootFactory(_root);
    _station = rootFactory->CreateStationActivity(QIVISPPChildManagement_var(_root));
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
    _transcriptMark = QIVTranscript::Instance().Size();
  }

  void TearDown() override {
    _dispatcher->CloseDocument();
    _dispatcher.reset();
    for (QIVBaseUnknown_var* held : {&_body, &_floor, &_side, &_w1, &_w2, &_w3, &_w4, &_w5, &_s1, &_root, &_station,
                                     &_loading, &_welding1, &_welding2, &_sealing})
      *held = nullptr;
    _factory = nullptr;
    _relations = nullptr;
    _document->Close();
    _document = nullptr;
    QIVDelayedDestruction::Flush();
    ZELFastenerDisplay::Instance().Reset();
    EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
    EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), _liveAtStart);
  }

  void Relate(const QIVBaseUnknown_var& feature, const QIVBaseUnknown_var& part) {
    _relations->SetRelatedParts(feature, QIVListValQIVBaseUnknown_var{part}, true);
  }
  QIVBaseUnknown_var Point(const QIVBaseUnknown_var& group, const char* name, const char* type,
                           const QIVBaseUnknown_var& part) {
    QIVBaseUnknown_var weld;
    EXPECT_EQ(_factory->CreatePointFastener(group, weld), S_OK);
    QIVIAlias_var(weld)->SetAlias(name);
    ZELIBIWFastener_var(weld)->SetType(type);
    ZELIBIWFastener_var(weld)->SetCategory("exo");
    Relate(weld, part);
    return weld;
  }

  ZELVekBIWAssignWeldCmd* Start() {
    if (FAILED(_dispatcher->Deliver(QIVStartEvent{"ZELVekBIWAssignWeldCmd"}))) return nullptr;
    return Command();
  }
  ZELVekBIWAssignWeldCmd* Command() const {
    return dynamic_cast<ZELVekBIWAssignWeldCmd*>(_dispatcher->GetActiveCommand());
  }
  ZELVekBIWAssignWeldDlg* Dialog() const {
    ZELVekBIWAssignWeldCmd* command = Command();
    return command ? command->GetDialog() : nullptr;
  }

  HRESULT Pick(std::initializer_list<QIVBaseUnknown_var> objects, unsigned modifiers = 0) {
    std::vector<QIVPathElement_var> paths;
    for (const QIVBaseUnknown_var& object : objects) paths.push_back(QIVMake<QIVPathElement>(object.get()));
    return _dispatcher->Deliver(QIVPickEvent{std::move(paths), modifiers});
  }
  HRESULT Press(const std::string& widget) { return _dispatcher->Deliver(QIVWidgetEvent::Press(widget)); }
  HRESULT PressDialog(const char* kind, const std::string& dialog = std::string()) {
    return _dispatcher->Deliver(QIVWidgetEvent::PressDialog(kind, dialog));
  }
  HRESULT Choose(const std::string& combo, int line) {
    return _dispatcher->Deliver(QIVWidgetEvent::Choose(combo, line));
  }
  HRESULT Select(const std::string& list, std::vector<int> rows) {
    return _dispatcher->Deliver(QIVWidgetEvent::Select(list, std::move(rows)));
  }
  HRESULT Check(const std::string& button, bool on) { return _dispatcher->Deliver(QIVWidgetEvent::Check(button, on)); }
  HRESULT Tab(const std::string& page) {
    return _dispatcher->Deliver(QIVWidgetEvent::Tab("TabContainerId", page));
  }
  HRESULT Type(const std::string& editor, const std::string& text) {
    return _dispatcher->Deliver(QIVWidgetEvent::Type(editor, text));
  }

  template <class W>
  W* Widget(const std::string& name) const {
    return dynamic_cast<W*>(_dispatcher->FindWidget(name));
  }
  std::vector<std::string> Lines(const std::string& list) const {
    std::vector<std::string> lines;
    auto* widget = Widget<QIVDlgSelectorList>(list);
    for (int row = 0; widget && row < widget->GetLineCount(); ++row) lines.push_back(widget->GetLine(row).str());
    return lines;
  }
  std::vector<std::string> ComboLines(const std::string& combo) const {
    std::vector<std::string> lines;
    auto* widget = Widget<QIVDlgCombo>(combo);
    for (int row = 0; widget && row < widget->GetLineCount(); ++row) lines.push_back(widget->GetLine(row).str());
    return lines;
  }
  std::vector<std::string> SelectedLines(const std::string& list) const {
    std::vector<std::string> lines;
    auto* widget = Widget<QIVDlgSelectorList>(list);
    for (int row : widget->GetSelect()) lines.push_back(widget->GetLine(row).str());
    return lines;
  }
  bool Sensitive(const std::string& widget) const {
    return Widget<QIVDialog>(widget)->GetSensitivity() == QIVDlgEnable;
  }
  std::string Text(const std::string& editor) const { return Widget<QIVDlgEditor>(editor)->GetText().str(); }
  std::vector<std::vector<std::string>> AccountRows() const {
    std::vector<std::vector<std::string>> rows;
    auto* list = Widget<QIVDlgMultiList>("MultiListWeldAccountId");
    for (int row = 0; row < list->GetRowCount(); ++row) {
      std::vector<std::string> cells;
      for (int column = 0; column < 4; ++column) cells.push_back(list->GetCell(row, column).str());
      rows.push_back(cells);
    }
    return rows;
  }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> boxes;
    for (const std::string& line : QIVTranscript::Instance().LinesSince(_transcriptMark))
      if (line.rfind("box ", 0) == 0) boxes.push_back(line);
    return boxes;
  }
  static std::vector<std::string> Names(const QIVListValQIVBaseUnknown_var& objects) {
    std::vector<std::string> names;
    for (const QIVBaseUnknown_var& object : objects)
      if (QIVIAlias_var alias(object); alias) names.push_back(alias->GetAlias().str());
    return names;
  }
  static double CycleTime(const QIVBaseUnknown_var& activity) {
    double seconds = -1;
    QIVISPPActivity_var(activity)->GetCycleTime(seconds);
    return seconds;
  }

  std::unique_ptr<QIVDispatcher> _dispatcher;
  QIVIDocument_var _document;
  ZELIBIWFPPFactory_var _factory;
  ZELIBIWFeaturePartRelations_var _relations;
  QIVBaseUnknown_var _body, _floor, _side, _w1, _w2, _w3, _w4, _w5, _s1;
  QIVBaseUnknown_var _root, _station, _loading, _welding1, _welding2, _sealing;

 private:
  long _liveAtStart = 0;
  std::size_t _transcriptMark = 0;
};
