#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ModuleTestSession.h"
#include "QIVDialog.h"
#include "QIVDlgNotify.h"
#include "QIVEnvironment.h"
#include "QIVIAlias.h"
#include "QIVIProduct.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELIBIWFeatureGroup.h"
#include "ZELIBIWFeaturePartRelations.h"

// One record of a weld file as a test writes it. Numbers are texts so that
// a test can spoil one.
struct WeldRecord {
  std::string name = "W0001";
  std::string kind = "point";
  std::vector<std::string> parts;
  std::string jointBody = "JB1";
  std::string suffix = "A";
  std::string type = "spot weld";
  std::vector<std::string> numbers = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
  std::string partCount;  // the number of parts, when it must not match `parts`

  std::string Text() const {
    std::ostringstream out;
    out << "Weld\n1\n" << name << "\n" << kind << "\n"
        << (partCount.empty() ? std::to_string(parts.size()) : partCount) << "\n";
    for (const std::string& part : parts) out << part << "\nSheet\nDC04\n0.8\n";
    out << jointBody << "\n" << suffix << "\nLayers 2\n1.6\n" << type << "\n";
    for (int line = 1; line <= 7; ++line) out << "Line " << line << "\n";
    out << "1\n";
    for (const std::string& number : numbers) out << number << "\n";
    out << "EndWeld\n";
    return out.str();
  }
};

inline std::string WeldFileHeader() { return "TOVASK Welds Spot Generation\n3.0\nUnit mm\nEndGlobalData\n"; }

inline std::string WeldFile(const std::vector<WeldRecord>& records) {
  std::string text = WeldFileHeader() + std::to_string(records.size()) + "\n";
  for (const WeldRecord& record : records) text += record.Text();
  return text + "EndOfFile\n";
}

// The team's module session (module, dispatcher with its main window, a new
// document, the leak check) with what the weld import needs: products that
// tests add, the top fastener group, and a folder for weld files that also
// holds the settings.
class WeldImportTest : public ModuleTestSession {
 protected:
  void SetUp() override {
    ModuleTestSession::SetUp();
    _settingsDirectory = std::make_unique<QIVScopedEnv>("BIWPLAN_SETTINGS_DIR", _folder.c_str());
    Document()->GetFeatureContainer(_container);
    FastenerFactory()->GetTopGroup(_top);
  }
  void TearDown() override {
    _top = nullptr;
    _container = nullptr;
    ModuleTestSession::TearDown();
    _settingsDirectory.reset();
  }

  // A product under `father` (a root when empty).
  QIVBaseUnknown_var Product(const QIVBaseUnknown_var& father, const char* instance, const char* reference) {
    QIVBaseUnknown_var product;
    EXPECT_TRUE(SUCCEEDED(Document()->CreateProduct(father, instance, reference, product)));
    return product;
  }
  // The sample under-body: the rows "parent,instance,reference,..." with
  // parents written as "/"-separated instance paths.
  void LoadBillOfMaterials(const std::string& path) {
    std::ifstream in(path);
    std::string row;
    std::getline(in, row);
    while (std::getline(in, row)) {
      std::vector<std::string> cells;
      std::stringstream line(row);
      for (std::string cell; std::getline(line, cell, ',');) cells.push_back(cell);
      ASSERT_GE(cells.size(), 3u) << row;
      QIVBaseUnknown_var father;
      if (!cells[0].empty()) {
        QIVListValQIVUnicodeString names;
        std::stringstream parents(cells[0]);
        for (std::string name; std::getline(parents, name, '/');) names.Append(name);
        ASSERT_TRUE(SUCCEEDED(Document()->FindProductByPath(names, father))) << row;
      }
      Product(father, cells[1].c_str(), cells[2].c_str());
    }
  }

  QIVListValQIVBaseUnknown_var ChildrenOf(const QIVBaseUnknown_var& group) const {
    QIVListValQIVBaseUnknown_var children;
    ZELIBIWFeatureChildMgmt_var(group)->GetChildren(children);
    return children;
  }
  std::vector<std::string> JointNames() const { return NamesOf(ChildrenOf(_top)); }
  QIVBaseUnknown_var Joint(const std::string& name) const { return Child(_top, name); }
  QIVBaseUnknown_var Child(const QIVBaseUnknown_var& group, const std::string& name) const {
    for (const QIVBaseUnknown_var& child : ChildrenOf(group))
      if (NameOf(child) == name) return child;
    ADD_FAILURE() << "no child " << name;
    return {};
  }
  std::vector<std::string> PartsOf(const QIVBaseUnknown_var& feature) const {
    QIVListValQIVBaseUnknown_var parts;
    ZELIBIWFeaturePartRelations_var(_container)->GetRelatedParts(feature, parts);
    return NamesOf(parts);
  }
  QIVListValQIVBaseUnknown_var AllFasteners() const {
    QIVListValQIVBaseUnknown_var fasteners;
    ZELIBIWFeatureGroup_var(_top)->GetFasteners(fasteners, true);
    return fasteners;
  }
  long Generation() const { return ZELIBIWFeatureContainer_var(_container)->GetGeneration(); }

  QIVBaseUnknown_var _container;
  QIVBaseUnknown_var _top;

 private:
  std::unique_ptr<QIVScopedEnv> _settingsDirectory;
};
