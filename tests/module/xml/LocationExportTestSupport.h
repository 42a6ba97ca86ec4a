#pragma once

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "QIVDelayedDestruction.h"
#include "QIVDialog.h"
#include "QIVDispatcher.h"
#include "QIVDlgEditor.h"
#include "QIVDlgNotify.h"
#include "QIVDlgSelectorList.h"
#include "QIVDocument.h"
#include "QIVFrmEditor.h"
#include "QIVIAlias.h"
#include "QIVIProduct.h"
#include "QIVTranscript.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWPointFastener.h"
#include "ZELVekBIWCommandsModule.h"
#include "ZELVekBIWSaveLocationsInXMLCmd.h"
#include "ZELVekBIWSaveLocationsInXMLDlg.h"

// One element of a written location file as libxml2 reads it back:
// its tag and its attributes in the order they stand in the file.
struct WrittenElement {
  std::string tag;
  std::vector<std::pair<std::string, std::string>> attributes;

  std::string Attribute(const std::string& name) const {
    for (const auto& [key, value] : attributes)
      if (key == name) return value;
    return "<absent>";
  }
  std::vector<std::string> AttributeNames() const {
    std::vector<std::string> names;
    for (const auto& attribute : attributes) names.push_back(attribute.first);
    return names;
  }
};

// The file: the document element, the element under it, and the children
// of that one in order. `readable` is false when libxml2 refused the file.
struct WrittenFile {
  bool readable = false;
  std::string rootTag;
  std::vector<std::string> rootChildren;
  std::string dataRootTag;
  std::vector<WrittenElement> elements;

  std::vector<std::string> WeldNames() const {
    std::vector<std::string> names;
    for (const WrittenElement& element : elements)
      if (element.tag == "Weld") names.push_back(element.Attribute("Name"));
    return names;
  }
};

inline WrittenFile ReadWrittenFile(const std::string& path) {
  WrittenFile file;
  std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
      xmlReadFile(path.c_str(), nullptr, XML_PARSE_NOBLANKS | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
      xmlFreeDoc);
  if (!doc) return file;
  auto text = [](const xmlChar* raw) { return std::string(reinterpret_cast<const char*>(raw)); };
  xmlNodePtr root = xmlDocGetRootElement(doc.get());
  file.readable = root != nullptr;
  if (!root) return file;
  file.rootTag = text(root->name);
  for (xmlNodePtr child = root->children; child; child = child->next)
    file.rootChildren.push_back(text(child->name));
  if (!root->children) return file;
  file.dataRootTag = text(root->children->name);
  for (xmlNodePtr node = root->children->children; node; node = node->next) {
    WrittenElement element{text(node->name), {}};
    for (xmlAttrPtr attribute = node->properties; attribute; attribute = attribute->next) {
      std::unique_ptr<xmlChar, decltype(xmlFree)> value(
          xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attribute)), xmlFree);
      element.attributes.emplace_back(text(attribute->name), text(value.get()));
    }
    file.elements.push_back(std::move(element));
  }
  return file;
}

// A planning session on a small body, in which the tests play the planner
// through the dispatcher:
//
//   Body (at 1000, 0, 500)
//     Floor (100 along Y, a quarter turn about Z)
//   top fastener group
//     Assembly Joint.1
//       JB1: "W0003, A", "W0001, A"
//       JB2: "W0002, A", "W0010, B", a sealant bead (curve fastener)
//
// so the document order of the spot welds is W0003, W0001, W0002, W0010.
// Each test must leave no object, shown dialog, file or pending
// destruction behind.
class LocationExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ZELVekBIWCommandsModule::Load();
    _liveAtStart = QIVBaseUnknown::LiveObjectCount();
    QIVDlgNotify::ClearAnswers();
    _folder = std::filesystem::temp_directory_path() /
              ("location_export_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(_folder);
    _dispatcher = std::make_unique<QIVDispatcher>();
    _document = QIVDocument::New();
    _dispatcher->OpenDocument(QIVBaseUnknown_var(_document));

    _document->CreateProduct(nullptr, "Body", "PN-BODY", _body);
    QIVIProduct_var(_body)->SetPosition(QIVMathTransformation::FromYPR(1000, 0, 500, 0, 0, 0));
    _document->CreateProduct(_body, "Floor", "PN-FLOOR", _floor);
    QIVIProduct_var(_floor)->SetPosition(QIVMathTransformation::FromYPR(0, 100, 0, 0, 0, 90));

    QIVBaseUnknown_var container, top, joint;
    _document->GetFeatureContainer(container);
    _factory = ZELIBIWFPPFactory_var(container);
    _factory->GetTopGroup(top);
    _factory->CreateGroup(top, joint);
    QIVIAlias_var(joint)->SetAlias("Assembly Joint.1");
    _jointBody1 = Group(joint, "JB1");
    _jointBody2 = Group(joint, "JB2");
    _w3 = Weld(_jointBody1, "W0003, A", {100, 200, 300, 10, -20, 30});
    _w1 = Weld(_jointBody1, "W0001, A", {12.5, -3.25, 0, 0, 0, 90});
    _w2 = Weld(_jointBody2, "W0002, A", {-1500.125, 0.0004, 7, 0, 0, 0});
    _w10 = Weld(_jointBody2, "W0010, B", {1, 2, 3, 0, 0, 0});
    _factory->CreateCurveFastener(_jointBody2, _bead);
    QIVIAlias_var(_bead)->SetAlias("Bead.1");
    _transcriptMark = QIVTranscript::Instance().Size();
  }

  void TearDown() override {
    _dispatcher->CloseDocument();
    _dispatcher.reset();
    for (QIVBaseUnknown_var* held :
         {&_body, &_floor, &_jointBody1, &_jointBody2, &_w1, &_w2, &_w3, &_w10, &_bead})
      *held = nullptr;
    _factory = nullptr;
    _document->Close();
    _document = nullptr;
    QIVDelayedDestruction::Flush();
    std::filesystem::remove_all(_folder);
    EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
    EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), _liveAtStart);
  }

  QIVBaseUnknown_var Group(const QIVBaseUnknown_var& father, const char* name) {
    QIVBaseUnknown_var group;
    EXPECT_EQ(_factory->CreateGroup(father, group), S_OK);
    QIVIAlias_var(group)->SetAlias(name);
    return group;
  }
  QIVBaseUnknown_var Weld(const QIVBaseUnknown_var& body, const char* name, const QIVRawColldouble& design) {
    QIVBaseUnknown_var weld;
    EXPECT_EQ(_factory->CreatePointFastener(body, weld), S_OK);
    QIVIAlias_var(weld)->SetAlias(name);
    ZELIBIWPointFastener_var(weld)->SetDesignPosition(design);
    ZELIBIWFastener_var(weld)->SetFastenerVersion("K2." + std::string(name).substr(1, 4));
    return weld;
  }

  ZELVekBIWSaveLocationsInXMLCmd* Start() {
    if (FAILED(_dispatcher->Deliver(QIVStartEvent{"ZELVekBIWSaveLocationsInXMLCmd"}))) return nullptr;
    return Command();
  }
  ZELVekBIWSaveLocationsInXMLCmd* Command() const {
    return dynamic_cast<ZELVekBIWSaveLocationsInXMLCmd*>(_dispatcher->GetActiveCommand());
  }
  ZELVekBIWSaveLocationsInXMLDlg* Dialog() const {
    ZELVekBIWSaveLocationsInXMLCmd* command = Command();
    return command ? command->GetDialog() : nullptr;
  }

  // One pick of the objects, each a path of its own.
  HRESULT Pick(std::initializer_list<QIVBaseUnknown_var> objects, unsigned modifiers = 0) {
    std::vector<QIVPathElement_var> paths;
    for (const QIVBaseUnknown_var& object : objects) paths.push_back(QIVMake<QIVPathElement>(object.get()));
    return _dispatcher->Deliver(QIVPickEvent{std::move(paths), modifiers});
  }
  HRESULT Press(const std::string& pushButton) {
    return _dispatcher->Deliver(QIVWidgetEvent::Press(pushButton));
  }
  HRESULT PressDialog(const char* kind) { return _dispatcher->Deliver(QIVWidgetEvent::PressDialog(kind)); }
  HRESULT SelectLines(std::vector<int> rows) {
    return _dispatcher->Deliver(QIVWidgetEvent::Select("pWeldsListSelectorList", std::move(rows)));
  }
  // Save, then the path typed in the file box.
  HRESULT SaveAs(const std::string& path) {
    if (HRESULT rc = PressDialog(QIVNotificationKind::OK); FAILED(rc)) return rc;
    return _dispatcher->Deliver(QIVWidgetEvent::File(path));
  }

  std::vector<std::string> ListedLines() const {
    std::vector<std::string> lines;
    QIVDlgSelectorList* list = Dialog()->GetWeldsListSelectorList();
    for (int row = 0; row < list->GetLineCount(); ++row) lines.push_back(list->GetLine(row).str());
    return lines;
  }
  std::vector<std::string> SelectedLines() const {
    std::vector<std::string> lines;
    QIVDlgSelectorList* list = Dialog()->GetWeldsListSelectorList();
    for (int row : list->GetSelect()) lines.push_back(list->GetLine(row).str());
    return lines;
  }
  std::string WeldCount() const { return Dialog()->GetNumberEditor()->GetText().str(); }
  // The leaf names of the current selection, in order.
  std::vector<std::string> CSONames() const {
    std::vector<std::string> names;
    for (const QIVBaseUnknown_var& element : QIVFrmEditor::GetCurrentEditor()->GetCSO()->Elements()) {
      const QIVBaseUnknown_var leaf = QIVPathElement_var(element)->GetLeaf();
      if (QIVIAlias_var alias(leaf); alias)
        names.push_back(alias->GetAlias().str());
      else if (QIVIProduct_var product(leaf); product)
        names.push_back(product->GetPrdInstanceName().str());
    }
    return names;
  }

  std::string PathIn(const std::string& name) const { return (_folder / name).string(); }
  int FilesInFolder() const {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(_folder), {}));
  }

  std::vector<std::string> NewTranscriptLines() const {
    return QIVTranscript::Instance().LinesSince(_transcriptMark);
  }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> boxes;
    for (const std::string& line : NewTranscriptLines())
      if (line.rfind("box ", 0) == 0) boxes.push_back(line);
    return boxes;
  }

  std::unique_ptr<QIVDispatcher> _dispatcher;
  QIVIDocument_var _document;
  ZELIBIWFPPFactory_var _factory;
  QIVBaseUnknown_var _body, _floor, _jointBody1, _jointBody2, _w1, _w2, _w3, _w10, _bead;
  std::filesystem::path _folder;

 private:
  long _liveAtStart = 0;
  std::size_t _transcriptMark = 0;
};
