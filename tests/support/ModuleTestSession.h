#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "QIVDelayedDestruction.h"
#include "QIVDialog.h"
#include "QIVDispatcher.h"
#include "QIVDlgCombo.h"
#include "QIVDlgEditor.h"
#include "QIVDlgNotify.h"
#include "QIVDlgSelectorList.h"
#include "QIVDocument.h"
#include "QIVDocumentWriter.h"
#include "QIVIAlias.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "QIVTranscript.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIMfgAssembly.h"
#include "frame/ZELVekBIWCommandsModule.h"

// A session for tests of the module's commands: the module loaded, a
// dispatcher, a new document open in the current editor and a folder of the
// test's own for the files it reads and writes. Checks at the end that every
// object the test made was freed and no dialog is left shown.
class ModuleTestSession : public ::testing::Test {
 protected:
  void SetUp() override {
    ZELVekBIWCommandsModule::Load();
    _liveAtStart = QIVBaseUnknown::LiveObjectCount();
    QIVDlgNotify::ClearAnswers();
    _dispatcher = std::make_unique<QIVDispatcher>();
    _document = QIVDocument::New();
    _dispatcher->OpenDocument(_document);
    _transcriptMark = QIVTranscript::Current().Size();
    std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(test.begin(), test.end(), '/', '_');  // parameterised tests
    _folder = std::filesystem::temp_directory_path() / ("biwplan_module_" + std::to_string(::getpid()) + "_" + test);
    std::filesystem::create_directories(_folder);
  }

  void TearDown() override {
    _dispatcher->CloseDocument();
    _document->Close();
    _document = nullptr;
    _dispatcher.reset();
    QIVDelayedDestruction::Flush();
    QIVDlgNotify::ClearAnswers();
    EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), _liveAtStart) << "objects left alive";
    EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
    std::filesystem::remove_all(_folder);
  }

  QIVDispatcher& Dispatcher() { return *_dispatcher; }
  const QIVIDocument_var& Document() const { return _document; }

  // The transcript lines written since the test began.
  std::vector<std::string> Transcript() const { return QIVTranscript::Current().LinesSince(_transcriptMark); }

  // The box lines of the transcript since the test began.
  std::vector<std::string> Boxes() const {
    std::vector<std::string> boxes;
    for (const std::string& line : Transcript())
      if (line.rfind("box ", 0) == 0) boxes.push_back(line);
    return boxes;
  }

  // The planner's events, through the dispatcher.
  HRESULT Deliver(const QIVUserEvent& event) { return _dispatcher->Deliver(event); }
  HRESULT Pick(std::initializer_list<QIVBaseUnknown_var> objects, unsigned modifiers = 0) {
    std::vector<QIVPathElement_var> paths;
    for (const QIVBaseUnknown_var& object : objects) paths.push_back(QIVMake<QIVPathElement>(object.get()));
    return Deliver(QIVPickEvent{std::move(paths), modifiers});
  }
  HRESULT Press(const std::string& widget) { return Deliver(QIVWidgetEvent::Press(widget)); }
  HRESULT PressDialog(const char* kind, const std::string& dialog = std::string()) {
    return Deliver(QIVWidgetEvent::PressDialog(kind, dialog));
  }
  HRESULT Choose(const std::string& combo, int line) { return Deliver(QIVWidgetEvent::Choose(combo, line)); }
  HRESULT Select(const std::string& list, std::vector<int> rows) {
    return Deliver(QIVWidgetEvent::Select(list, std::move(rows)));
  }
  HRESULT Check(const std::string& button, bool on = true) { return Deliver(QIVWidgetEvent::Check(button, on)); }
  HRESULT Type(const std::string& editor, const std::string& text) {
    return Deliver(QIVWidgetEvent::Type(editor, text));
  }

  // What the widgets of the running command show.
  template <class W>
  W* Widget(const std::string& name) const {
    return dynamic_cast<W*>(_dispatcher->FindWidget(name));
  }
  template <class W = QIVDlgSelectorList>
  std::vector<std::string> Lines(const std::string& list) const {
    std::vector<std::string> lines;
    auto* widget = Widget<W>(list);
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

  // A fastener, locator or group by its alias, a product by its instance,
  // an activity or datum by its name, an assembly by its label.
  static std::string NameOf(const QIVBaseUnknown_var& object) {
    if (!object) return "-";
    if (QIVIAlias_var alias(object); alias) return alias->GetAlias().str();
    if (QIVIProduct_var product(object); product) return product->GetPrdInstanceName().str();
    if (QIVISPPActivity_var activity(object); activity) return activity->GetName().str();
    if (QIVITPSDatumSimple_var datum(object); datum) return datum->GetName().str();
    if (QIVITPSDatumTarget_var target(object); target) return target->GetName().str();
    if (ZELIMfgAssembly_var assembly(object); assembly) return assembly->GetLabel().str();
    return "?";
  }
  static std::vector<std::string> NamesOf(const QIVListValQIVBaseUnknown_var& objects) {
    std::vector<std::string> names;
    for (const QIVBaseUnknown_var& object : objects) names.push_back(NameOf(object));
    return names;
  }

  // The document as it would be saved.
  std::string SavedText() const {
    std::string text;
    QIVDocumentError error;
    EXPECT_EQ(QIVDocumentWriter::Write(_document, text, error), S_OK);
    return text;
  }

  // Writes a file of the test's folder; its path.
  std::string WriteFile(const std::string& name, const std::string& content) const {
    const std::filesystem::path path = _folder / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

  ZELIBIWFPPFactory_var FastenerFactory() const {
    QIVBaseUnknown_var container;
    _document->GetFeatureContainer(container);
    return ZELIBIWFPPFactory_var(container);
  }

  std::filesystem::path _folder;

 private:
  long _liveAtStart = 0;
  std::unique_ptr<QIVDispatcher> _dispatcher;
  QIVIDocument_var _document;
  std::size_t _transcriptMark = 0;
};
