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

#include "ModuleTestSession.h"
#include "QIVDialog.h"
#include "QIVFrmEditor.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWPointFastener.h"
#include "frame/ZELVekBIWCommandsModule.h"
#include "xml/ZELVekBIWSaveLocationsInXMLCmd.h"
#include "xml/ZELVekBIWSaveLocationsInXMLDlg.h"

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
class LocationExportTest : public ModuleTestSession {
 protected:
  void SetUp() override {
    ModuleTestSession::SetUp();
    const QIVIDocument_var& document = Document();
    document->CreateProduct(nullptr, "Body", "PN-BODY", _body);
    QIVIProduct_var(_body)->SetPosition(QIVMathTransformation::FromYPR(1000, 0, 500, 0, 0, 0));
    document->CreateProduct(_body, "Floor", "PN-FLOOR", _floor);
    QIVIProduct_var(_floor)->SetPosition(QIVMathTransformation::FromYPR(0, 100, 0, 0, 0, 90));

    QIVBaseUnknown_var container, top, joint;
    document->GetFeatureContainer(container);
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
  }

  void TearDown() override {
    for (QIVBaseUnknown_var* held :
         {&_body, &_floor, &_jointBody1, &_jointBody2, &_w1, &_w2, &_w3, &_w10, &_bead})
      *held = nullptr;
    _factory = nullptr;
    ModuleTestSession::TearDown();
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
    if (FAILED(Deliver(QIVStartEvent{"ZELVekBIWSaveLocationsInXMLCmd"}))) return nullptr;
    return Command();
  }
  ZELVekBIWSaveLocationsInXMLCmd* Command() {
    return dynamic_cast<ZELVekBIWSaveLocationsInXMLCmd*>(Dispatcher().GetActiveCommand());
  }
  ZELVekBIWSaveLocationsInXMLDlg* Dialog() {
    ZELVekBIWSaveLocationsInXMLCmd* command = Command();
    return command ? command->GetDialog() : nullptr;
  }

  HRESULT SelectLines(std::vector<int> rows) {
    return Deliver(QIVWidgetEvent::Select("pWeldsListSelectorList", std::move(rows)));
  }
  // Save, then the path typed in the file box.
  HRESULT SaveAs(const std::string& path) {
    if (HRESULT rc = PressDialog(QIVNotificationKind::OK); FAILED(rc)) return rc;
    return Deliver(QIVWidgetEvent::File(path));
  }

  std::vector<std::string> ListedLines() const { return Lines("pWeldsListSelectorList"); }
  std::vector<std::string> SelectedLines() const { return ModuleTestSession::SelectedLines("pWeldsListSelectorList"); }
  std::string WeldCount() { return Dialog()->GetNumberEditor()->GetText().str(); }
  // The leaf names of the current selection, in order.
  std::vector<std::string> CSONames() const {
    std::vector<std::string> names;
    for (const QIVBaseUnknown_var& element : QIVFrmEditor::GetCurrentEditor()->GetCSO()->Elements()) {
      const QIVBaseUnknown_var leaf = QIVPathElement_var(element)->GetLeaf();
      names.push_back(NameOf(leaf));
    }
    return names;
  }

  std::string PathIn(const std::string& name) const { return (_folder / name).string(); }
  int FilesInFolder() const {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(_folder), {}));
  }

  ZELIBIWFPPFactory_var _factory;
  QIVBaseUnknown_var _body, _floor, _jointBody1, _jointBody2, _w1, _w2, _w3, _w10, _bead;
};
