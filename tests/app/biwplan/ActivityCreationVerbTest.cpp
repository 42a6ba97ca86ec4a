#include <gtest/gtest.h>

#include <memory>

#include "BiwplanVerbTest.h"
#include "QIVISPPActivity.h"
#include "QIVISPPFlowMgt.h"

namespace {

// biwplan create-activity on a sample document in a folder of its own.
class ActivityCreationVerbTest : public BiwplanVerbTest {
 protected:
  void TearDown() override {
    _session.reset();
    BiwplanVerbTest::TearDown();
  }

  int Run(std::vector<std::string> arguments) {
    return BiwplanVerbTest::Run("create-activity", std::move(arguments));
  }

  // Opens the saved file in a session of the test.
  void OpenSaved() {
    _session = std::make_unique<BiwplanSession>();
    std::string error;
    EXPECT_TRUE(_session->Open(_path, error)) << error;
  }
  // An activity of the opened file, by names from the process root.
  QIVBaseUnknown_var Saved(const std::string& path) {
    return BiwplanFindObject(*_session, "process:" + path);
  }

  std::unique_ptr<BiwplanSession> _session;
};

double Attribute(const QIVBaseUnknown_var& activity, const char* name) {
  double value = -1.0;
  EXPECT_EQ(QIVISPPActivity_var(activity)->GetAttribute(name, value), S_OK) << name;
  return value;
}

}  // namespace

TEST_F(ActivityCreationVerbTest, CreatesNamesAndTypesTheAttributesThenSaves) {
  EXPECT_EQ(Run({"ACTWelding", "process:Process/UnderBody Line/Station 10 Front Floor/Load parts", "--name",
                 "Weld front floor", "--attr", "rate=0.5", "--attr", "_SpecifiedPointFastenersEditorName=24"}),
            BiwplanExit::Ok);
  EXPECT_NE(_out.find("created Process/UnderBody Line/Station 10 Front Floor/Weld front floor\n"),
            std::string::npos);

  OpenSaved();
  const QIVBaseUnknown_var welding = Saved("Process/UnderBody Line/Station 10 Front Floor/Weld front floor");
  ASSERT_TRUE(welding);
  EXPECT_EQ(Attribute(welding, "PointFasteningRate"), 2.0);
  EXPECT_EQ(Attribute(welding, "SpecifiedPointFasteners"), 24.0);
  const QIVBaseUnknown_var loading = Saved("Process/UnderBody Line/Station 10 Front Floor/Load parts");
  EXPECT_TRUE(QIVISPPFlowMgt_var(loading)->GetNextActivities("")[1] == welding);
}

TEST_F(ActivityCreationVerbTest, RefusedOrWrongRequestsLeaveTheFileAsItWas) {
  const std::string before = DocumentText();
  // A parent the kind does not take: the warning box, status 3.
  EXPECT_EQ(Run({"Station", "process:Process/UnderBody Line/Station 10 Front Floor/Load parts", "--name", "S"}),
            BiwplanExit::Refused);
  EXPECT_NE(
      _out.find("box 0x10100200 \"WARNING\" \"An invalid parent for a station activity was selected.\" -> OK"),
      std::string::npos);
  EXPECT_NE(_err.find("takes no Station activity; the document is unchanged"), std::string::npos);
  // Unknown objects, kinds, attributes and values.
  EXPECT_EQ(Run({"Station", "process:Process/Nowhere", "--name", "S"}), BiwplanExit::Failed);
  EXPECT_EQ(Run({"Loading", "process:Process/UnderBody Line/Station 10 Front Floor", "--name", "L", "--attr",
                 "rate=1"}),
            BiwplanExit::Usage);
  EXPECT_EQ(Run({"Station", "process:Process/UnderBody Line", "--name", "S", "--attr", "speed=1"}),
            BiwplanExit::Usage);
  EXPECT_NE(_err.find("\"speed\" is not an attribute of a Station activity; use points "
                      "(NoOfStationPointFastenerEdtiorName), length"),
            std::string::npos);
  EXPECT_EQ(
      Run({"Station", "process:Process/UnderBody Line", "--name", "S", "--attr", "exit-rate=fast"}),
      BiwplanExit::Usage);
  EXPECT_EQ(Run({"Station", "process:Process/UnderBody Line", "--name", "A/B"}),
            BiwplanExit::Usage);
  EXPECT_EQ(Run({"Station", "process:Process/UnderBody Line"}), BiwplanExit::Usage);
  EXPECT_EQ(DocumentText(), before);
}
