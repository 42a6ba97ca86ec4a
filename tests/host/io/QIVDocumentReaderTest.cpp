#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>

#include "EveryKindDocument.h"
#include "QIVDocumentReader.h"
#include "QIVDocumentWriter.h"
#include "SourceTree.h"

namespace {

using Json = nlohmann::json;
using Pointer = Json::json_pointer;

// Paths into the text written for EveryKindDocument.
const char* const Floor = "/products/0/children/0";
const char* const Weld = "/features/groups/0/children/0/children/0/children/0";
const char* const JointBody = "/features/groups/0/children/0/children/0";
const char* const Grouping = "/process/activities/0/children/0";
const char* const Station = "/process/activities/0/children/0/children/0";
const char* const Dynamic = "/process/activities/0/children/0/children/0/children/6";

class QIVDocumentReaderTest : public ::testing::Test {
 protected:
  QIVDocumentReaderTest() {
    EveryKindDocument built;
    QIVDocumentError error;
    EXPECT_EQ(QIVDocumentWriter::Write(built.document, text, error), S_OK);
    built.document->Close();
  }

  long long IdAt(const char* pointer) const {
    return Json::parse(text).at(Pointer(pointer) / "id").get<long long>();
  }

  // Reads `source`; false with `error` filled when refused.
  bool Read(const std::string& source) {
    document = nullptr;
    return SUCCEEDED(QIVDocumentReader::Read(source, "body.json", document, error));
  }

  std::string text;
  QIVIDocument_var document;
  QIVDocumentError error;
};

TEST_F(QIVDocumentReaderTest, TextThatIsNotJsonIsPlacedByLineAndColumn) {
  EXPECT_FALSE(Read("{\n  \"format\": \"biwplan-document\",\n  \"version\": 1,\n  oops\n}\n"));
  EXPECT_EQ(error.GetLine(), 4);
  EXPECT_EQ(error.GetColumn(), 3);
  EXPECT_EQ(error.Format().str().rfind("body.json:4:3: not valid JSON: syntax error", 0), 0u)
      << error.Format();

  EXPECT_FALSE(Read(text.substr(0, text.size() / 2)));
  EXPECT_NE(error.GetReason().str().find("not valid JSON"), std::string::npos);
  int line = 1;
  for (std::size_t i = 0; i < text.size() / 2; ++i) line += text[i] == '\n';
  EXPECT_EQ(error.GetLine(), line);

  EXPECT_FALSE(Read(""));
  EXPECT_EQ(error.GetLine(), 1);
  EXPECT_FALSE(Read("{\"format\": \"biwplan-document\", \"version\": 1, \"products\": [\"\xff\"]}"));
  EXPECT_NE(error.GetReason().str().find("not valid JSON"), std::string::npos);
}

TEST_F(QIVDocumentReaderTest, FaultyValuesAreRefusedWithTheirPlaceAndReason) {
  struct Case {
    std::function<void(Json&)> change;
    std::string pointer;
    std::string reason;
  };
  const std::string weld = Weld;
  const std::string station = Station;
  const Case cases[] = {
      // Not a document of ours.
      {[](Json& d) { d = Json::array(); }, "", "expected an object, found an array"},
      {[](Json& d) { d["format"] = "other"; }, "/format", "not a biwplan document: the format is \"other\""},
      {[](Json& d) { d.erase("format"); }, "", "missing field \"format\": not a biwplan document"},
      {[](Json& d) { d["version"] = 2; }, "/version", "version 2 is newer than this program reads (1)"},
      {[](Json& d) { d["version"] = 0; }, "/version", "expected a version number, found a number"},
      {[](Json& d) { d.erase("process"); }, "", "missing field \"process\""},
      {[](Json& d) { d["comment"] = "x"; }, "/comment", "unknown field \"comment\""},
      // Wrong types and missing or unknown fields.
      {[](Json& d) { d["products"][0]["name"] = 5; }, "/products/0/name", "expected a text, found a number"},
      {[](Json& d) { d["products"] = Json::object(); }, "/products", "expected an array, found an object"},
      {[](Json& d) { d["products"][0]["children"][0].erase("name"); }, Floor, "missing field \"name\""},
      {[](Json& d) { d["products"][0]["colour"] = "red"; }, "/products/0/colour", "unknown field \"colour\""},
      {[](Json& d) { d["products"][0]["id"] = 1.5; }, "/products/0/id",
       "expected an id (a whole number from 1), found a number"},
      {[](Json& d) { d["products"][0]["id"] = -3; }, "/products/0/id",
       "expected an id (a whole number from 1), found a number"},
      {[&](Json& d) { d[Pointer(weld + "/values")].erase(0); }, weld + "/values",
       "expected 9 numbers, found 8"},
      {[&](Json& d) { d[Pointer(weld + "/values/2")] = "1"; }, weld + "/values/2",
       "expected a number, found a text"},
      {[&](Json& d) { d[Pointer(weld + "/category")] = "inner"; }, weld + "/category",
       "the category is \"exo\" or \"endo\""},
      {[&](Json& d) { d[Pointer(weld + "/color")] = "#12345"; }, weld + "/color",
       "expected a colour \"#RRGGBB\", found \"#12345\""},
      {[&](Json& d) { d[Pointer(weld + "/children")] = Json::array(); }, weld + "/children",
       "unknown field \"children\""},
      // Unknown names of kinds, types and attributes.
      {[&](Json& d) { d[Pointer(station + "/type")] = "BIWActivityPainting"; }, station + "/type",
       "unknown activity type \"BIWActivityPainting\""},
      {[&](Json& d) { d[Pointer(station + "/type")] = "BIWActivityWelding"; }, station + "/type",
       "the activity type \"BIWActivityWelding\" is abstract: no activity is of it alone"},
      {[&](Json& d) { d[Pointer(station + "/attributes/Speed")] = 3; }, station + "/attributes/Speed",
       "a BIWActivityStation has no attribute \"Speed\""},
      {[&](Json& d) { d[Pointer(station + "/cycleTime")] = -1; }, station + "/cycleTime",
       "a cycle time is not negative"},
      {[&](Json& d) { d[Pointer(weld + "/kind")] = "Rivet"; }, weld + "/kind",
       "unknown feature kind \"Rivet\""},
      {[](Json& d) { d["datums"][0]["kind"] = "Group"; }, "/datums/0/kind", "unknown datum kind \"Group\""},
      {[](Json& d) { d["items"][0]["mode"] = "manual"; }, "/items/0/mode",
       "unknown mode \"manual\"; the modes are \"assigned\" and \"flow\""},
      // The structure: where things may stand.
      {[](Json& d) { d["features"]["groups"][0]["kind"] = "Group"; }, "/features/groups/0/kind",
       "a Group cannot stand among the top groups"},
      {[](Json& d) { d[Pointer(JointBody) / "kind"] = "TopFastenerGroup"; }, std::string(JointBody) + "/kind",
       "a TopFastenerGroup stands only among the top groups"},
      {[](Json& d) { d["features"]["groups"][1]["kind"] = "TopFastenerGroup"; }, "/features/groups/1",
       "there is a TopFastenerGroup already"},
      {[](Json& d) { d[Pointer(Grouping) / "automaticUpdate"] = true; },
       std::string(Grouping) + "/automaticUpdate",
       "only a process root updates its assemblies automatically"},
      {[](Json& d) { d[Pointer(Grouping) / "standsFor"] = 4; }, std::string(Grouping) + "/standsFor",
       "only a DynamicActivity stands for another activity"},
      // Ids: dangling, of the wrong kind, twice.
      {[](Json& d) { d["products"][0]["reference"] = 9999; }, "/products/0/reference",
       "no object has id 9999"},
      {[&](Json& d) { d["products"][0]["reference"] = IdAt(Floor); }, "/products/0/reference",
       "id " + std::to_string(IdAt(Floor)) + " is a Product, not a ProductReference"},
      {[&](Json& d) { d[Pointer(Floor) / "id"] = IdAt("/products/0"); }, std::string(Floor) + "/id",
       "id " + std::to_string(IdAt("/products/0")) + " is used twice (already by a Product)"},
      {[&](Json& d) { d["process"]["id"] = IdAt(Floor); }, "/process/id",
       "id " + std::to_string(IdAt(Floor)) + " is used twice (already by a Product)"},
      {[&](Json& d) { d[Pointer(weld + "/id")] = IdAt(Floor); }, weld + "/id",
       "id " + std::to_string(IdAt(Floor)) + " is used twice (already by a Product)"},
      {[&](Json& d) { d[Pointer(weld + "/parts/1")] = d[Pointer(weld + "/parts/0")]; }, weld + "/parts/1",
       "is listed twice"},
      {[&](Json& d) { d[Pointer(weld + "/parts/0")] = IdAt(Station); }, weld + "/parts/0",
       "id " + std::to_string(IdAt(Station)) + " is an Activity, not a Product"},
      {[](Json& d) { d[Pointer(Dynamic) / "standsFor"] = 8888; }, std::string(Dynamic) + "/standsFor",
       "no object has id 8888"},
      {[&](Json& d) { d[Pointer(Dynamic) / "standsFor"] = IdAt(Dynamic); },
       std::string(Dynamic) + "/standsFor", "an activity cannot stand for itself"},
      {[&](Json& d) { d["flow"][0][1] = IdAt(Floor); }, "/flow/0/1",
       "id " + std::to_string(IdAt(Floor)) + " is a Product, not an Activity"},
      {[](Json& d) { d["flow"].push_back(d["flow"][0]); }, "/flow/7", "this flow link is listed twice"},
      {[](Json& d) { d["flow"][0].push_back(1); }, "/flow/0",
       "expected a pair of activity ids, found 3 values"},
      {[](Json& d) { d["items"].push_back(d["items"][0]); }, "/items/7",
       "this item is listed twice for its activity"},
      {[&](Json& d) { d["items"][0]["item"] = IdAt(Grouping); }, "/items/0/item",
       "an Activity cannot be an item of an activity"},
      {[](Json& d) { d["items"][0]["options"] = {1}; }, "/items/0/options",
       "expected 2 option words, found 1"},
      {[](Json& d) { d["assemblies"][1]["subAssemblies"] = {d["assemblies"][0]["id"]}; },
       "/assemblies/1/subAssemblies/0", "an assembly cannot contain itself, even through its sub-assemblies"},
      {[&](Json& d) { d["assemblies"][0]["parts"] = {IdAt(Station)}; }, "/assemblies/0/parts/0",
       "id " + std::to_string(IdAt(Station)) + " is an Activity, not a Product"},
  };
  for (const Case& c : cases) {
    Json changed = Json::parse(text);
    c.change(changed);
    const std::string source = changed.dump(2);
    const long alive = QIVBaseUnknown::LiveObjectCount();
    EXPECT_FALSE(Read(source)) << c.reason;
    EXPECT_FALSE(document);
    EXPECT_EQ(error.GetPointer(), c.pointer) << c.reason;
    EXPECT_NE(error.GetReason().str().find(c.reason), std::string::npos) << error.Format();
    EXPECT_GT(error.GetLine(), 0) << error.Format();
    EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), alive) << c.reason;
  }
}

TEST_F(QIVDocumentReaderTest, ErrorsNameTheLineOfTheFaultyValue) {
  const std::string source = R"({
  "format": "biwplan-document",
  "version": 1,
  "products": [
    {
      "id": 5,
      "name": "Body",
      "reference": 77
    }
  ],
  "features": {"id": 2},
  "process": {"id": 1},
  "plantLibrary": {"id": 3}
}
)";
  EXPECT_FALSE(Read(source));
  EXPECT_EQ(error.Format(), "body.json:8: /products/0/reference: no object has id 77");
}

TEST_F(QIVDocumentReaderTest, SmallestDocumentHasItsContainersAndNothingElse) {
  ASSERT_TRUE(Read(R"({"format": "biwplan-document", "version": 1, "features": {"id": 2},
                       "process": {"id": 1, "activities": [{"id": 3, "type": "Process", "name": "Process"}]},
                       "plantLibrary": {"id": 4}})"))
      << error.Format();
  EXPECT_EQ(document->GetObjectCount(), 4);
  QIVBaseUnknown_var root;
  EXPECT_EQ(document->GetRootActivity(root), S_OK);
  EXPECT_TRUE(document->GetAllProducts().IsEmpty());
  document->Close();
}

TEST_F(QIVDocumentReaderTest, DocumentedExampleReadsAndWritesBackUnchanged) {
  std::ifstream file(SourcePath("docs/document-format.md"));
  const std::string page{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const std::size_t start = page.find("```json\n");
  ASSERT_NE(start, std::string::npos);
  const std::string example = page.substr(start + 8, page.find("```", start + 8) - start - 8);
  ASSERT_TRUE(Read(example)) << error.Format();
  std::string written;
  ASSERT_EQ(QIVDocumentWriter::Write(document, written, error), S_OK);
  EXPECT_EQ(written, example);
  document->Close();
}

TEST_F(QIVDocumentReaderTest, TreesDeeperThanTheLimitAreRefusedWithoutExhaustingTheStack) {
  Json deepest = {{"id", 100000}, {"name", "leaf"}};
  for (int level = 0; level < 300; ++level)
    deepest = {{"id", level + 10}, {"name", "p"}, {"children", {deepest}}};
  Json changed = Json::parse(text);
  changed["products"] = {deepest};
  EXPECT_FALSE(Read(changed.dump()));
  EXPECT_NE(error.GetReason().str().find("the tree is deeper than 256 levels"), std::string::npos);
  EXPECT_EQ(std::count(error.GetPointer().begin(), error.GetPointer().end(), '/'), 2 * 256 + 1);
}

}  // namespace
