#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "BiwplanCsvReader.h"
#include "BiwplanFeatureImport.h"
#include "BiwplanVerbTest.h"
#include "QIVISpecObject.h"
#include "QIVITPSDatumTarget.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWLocatingPoint.h"
#include "ZELIBIWTopClampingPointGroup.h"

using ::testing::HasSubstr;

namespace {

class BiwplanFeatureImportTest : public BiwplanVerbTest {
 protected:
  std::string Write(const std::string& text) {
    const std::string file = (_folder / "features.csv").string();
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }
};

constexpr const char* kHeader = "kind,name,part,x,y,z,roll,pitch,yaw,text\n";
constexpr const char* kPanel = "UnderBody.1/FrontFloor.1/FrontFloorPanel.1";

}  // namespace

TEST_F(BiwplanFeatureImportTest, MakesEachKindWhereTheAssignmentLooksForIt) {
  const std::string csv = std::string(kHeader) + "datum-target,T9," + kPanel + ",,,,,,,\n" +
                          "clamping-point,\"CP, 9\"," + kPanel + ",1,2,3,0,0,90,toggle clamp\n";
  ASSERT_EQ(Run("import-features", {Write(csv)}), BiwplanExit::Ok);

  BiwplanSession session;
  ASSERT_TRUE(BiwplanOpen(session, _path));
  const QIVIDocument_var& document = session.Document();
  QIVBaseUnknown_var target, clamp, panel;
  ASSERT_EQ(document->FindFeatureByName("T9", target), S_OK);
  ASSERT_EQ(document->FindFeatureByName("CP, 9", clamp), S_OK);
  document->FindProductByPath(BiwplanCsvReader::SplitPath(kPanel), panel);
  QIVBaseUnknown_var owner;
  ASSERT_TRUE(QIVITPSDatumTarget_var(target));
  QIVITPSDatumTarget_var(target)->GetOwnerProduct(owner);
  EXPECT_TRUE(owner == panel);

  ZELIBIWClampingPoint_var point(clamp);
  ASSERT_TRUE(point);
  EXPECT_EQ(point->GetDescription(), "toggle clamp");
  QIVRawColldouble position;
  point->GetPosition(position);
  EXPECT_EQ(position[2], 2.0);
  EXPECT_EQ(position[6], 90.0);
  QIVBaseUnknown_var father;
  QIVISpecObject_var(clamp)->GetSpecFather(father);
  EXPECT_TRUE(ZELIBIWTopClampingPointGroup_var(father));
  QIVBaseUnknown_var container;
  document->GetFeatureContainer(container);
  QIVListValQIVBaseUnknown_var parts;
  ZELIBIWFeaturePartRelations_var(container)->GetRelatedParts(clamp, parts);
  ASSERT_EQ(parts.Size(), 1);
  EXPECT_TRUE(parts[1] == panel);
}

TEST_F(BiwplanFeatureImportTest, RefusesTheWholeFileAtTheFirstBadLineAndLeavesTheDocumentAsItWas) {
  const std::string good = std::string("locating-point,LP_NEW,") + kPanel + ",1,2,3,0,0,0,pin\n";
  const struct {
    std::string text;
    std::string reason;
  } cases[] = {
      {kHeader + good + "fixture,X1," + kPanel + ",1,2,3,0,0,0,\n", ":3: unknown kind \"fixture\""},
      {kHeader + good + "datum,X1,UnderBody.1/NoSuchPart.1,,,,,,,\n",
       ":3: unknown part \"UnderBody.1/NoSuchPart.1\""},
      {kHeader + good + "clamping-point,X1," + kPanel + ",1,2mm,3,0,0,0,\n",
       ":3: bad number \"2mm\" in column y"},
      {"kind,name,part,x,y\n" + good, ":1: missing column \"z\""},
      {kHeader + good + "clamping-point,X1," + kPanel + ",1,2,3\n", ":3: expected 10 fields, found 6"},
      {kHeader + good + "clamping-point,X1," + kPanel + ",1,,3,0,0,0,\n",
       ":3: missing y of a clamping-point"},
      {kHeader + good + "datum,X1," + kPanel + ",1,2,3,,,,\n", ":3: a datum keeps its name and part only"},
      {kHeader + good + good, ":3: a feature named \"LP_NEW\" is already in the document"},
      {kHeader + std::string("datum,LP_FF_01,") + kPanel + ",,,,,,,\n", ":2: a feature named \"LP_FF_01\""},
  };
  const std::string before = DocumentText();
  for (const auto& c : cases) {
    const std::string file = Write(c.text);
    EXPECT_EQ(Run("import-features", {file}), BiwplanExit::Failed) << c.text;
    EXPECT_THAT(_err, HasSubstr(file + c.reason)) << c.text;
    EXPECT_THAT(_err, HasSubstr("(nothing imported)"));
    EXPECT_EQ(DocumentText(), before) << c.text;
  }
}

TEST_F(BiwplanFeatureImportTest, ListsTheSampleFixtureWithPartsAndTexts) {
  ASSERT_EQ(Run("list", {"features", "--format", "csv"}), BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("A1_FrontFloor,datum-target,UnderBody.1/FrontFloor.1/FrontFloorPanel.1,"));
  EXPECT_THAT(_out, HasSubstr("CP_FF_01,clamping-point,UnderBody.1/FrontFloor.1/FrontFloorPanel.1,1300.0,"
                              "-500.0,152.0,swing clamp,"));
}
