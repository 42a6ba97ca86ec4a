#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include "BiwplanVerbTest.h"
#include "ZELPLMServices.h"

using ::testing::HasSubstr;

namespace {

// biwplan appearance on the sample document published to a repository of
// the test's own (the sample's fixture has locating and clamping points).
class AppearanceVerbTest : public BiwplanVerbTest {
 protected:
  void SetUp() override {
    BiwplanVerbTest::SetUp();
    setenv("BIWPLAN_REPOSITORY", (_folder / "repository.sqlite").c_str(), 1);
    BiwplanSession session;
    ASSERT_TRUE(BiwplanOpen(session, _path));
    ZELPLMServices::PublishDocument(session.Document(),
                                    *QIVRepository::Open(QIVRepositoryLocation::Resolve("")));
    ASSERT_TRUE(BiwplanSave(session));
    Write("pin.obj", "v 0 0 0\n");
    Write("Style.xml", "<StyleFormat><Style name=\"Pin\" file=\"" + (_folder / "pin.obj").string() +
                           "\"/></StyleFormat>\n");
  }
  void TearDown() override {
    unsetenv("BIWPLAN_REPOSITORY");
    BiwplanVerbTest::TearDown();
  }

  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream((_folder / name).string()) << text;
    return (_folder / name).string();
  }
  int Apply(const std::string& rules) {
    return Run("appearance", {"--style", (_folder / "Style.xml").string(), "--graphic",
                              Write("Rules.xml", rules)});
  }
};

}  // namespace

TEST_F(AppearanceVerbTest, PrintsWhatEachRuleColouredAndSavesIt) {
  ASSERT_EQ(
      Apply(
          "<A><BIWFeatureType BIWFeature=\"locating feature\">"
          "<AttributeDetails attribute=\"location.z\" value=\"150\"><color>65280</color>"
          "<CGRName>Pin</CGRName></AttributeDetails></BIWFeatureType>"
          "<BIWFeatureType BIWFeature=\"clamping point\"><AttributeDetails attribute=\"name\" value=\"none\">"
          "<color>1</color></AttributeDetails></BIWFeatureType></A>\n"),
      BiwplanExit::Ok)
      << _err;
  EXPECT_EQ(_out,
            "rule 1: locating feature location.z=150 -> color 65280, CGRName Pin: 2 feature(s)\n"
            "rule 2: clamping point name=none -> color 1: 0 feature(s)\n"
            "changed 2 feature(s) by 2 rule(s)\n");
  EXPECT_THAT(DocumentText(), HasSubstr((_folder / "pin.obj").string()));
}

TEST_F(AppearanceVerbTest, RefusesAFileItCannotUseAndLeavesTheDocument) {
  const std::string before = DocumentText();
  EXPECT_EQ(Apply("<A>\n<BIWFeatureType BIWFeature=\"locating feature\">\n</A>\n"), BiwplanExit::Refused);
  EXPECT_THAT(_err, HasSubstr("Rules.xml:3:5: Opening and ending tag mismatch: BIWFeatureType line 2 and A"));
  EXPECT_EQ(Apply("no XML at all\n"), BiwplanExit::Refused);
  EXPECT_THAT(_err, HasSubstr("Rules.xml is not an XML file"));
  EXPECT_EQ(Apply("<A/>\n"), BiwplanExit::NothingToDo);
  EXPECT_EQ(DocumentText(), before);
}
