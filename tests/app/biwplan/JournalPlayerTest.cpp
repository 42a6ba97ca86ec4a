#include "JournalPlayer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "BiwplanSample.h"
#include "JournalReader.h"
#include "QIVDelayedDestruction.h"
#include "QIVDlgNotify.h"
#include "QIVEnvironment.h"
#include "QIVIAlias.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"

namespace {

class JournalPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _session = std::make_unique<BiwplanSession>();
    _session->OpenNew(std::string());
    std::string error;
    ASSERT_TRUE(BiwplanSample::Build(_session->Document(), error)) << error;
  }
  void TearDown() override {
    _session.reset();
    QIVDelayedDestruction::Flush();
    QIVDlgNotify::ClearAnswers();
  }

  // Plays journal text; the error as "FILE:LINE: reason", or "" when it played.
  std::string Play(const std::string& text) {
    JournalReader::Result read = JournalReader::Parse(text, "test.journal");
    if (!read.Succeeded()) return read.error->Format().str();
    JournalPlayer player(*_session);
    std::optional<JournalError> error = player.Play(read.events);
    return error ? error->Format().str() : std::string();
  }

  std::unique_ptr<BiwplanSession> _session;
};

}  // namespace

TEST_F(JournalPlayerTest, StopsAtTheFirstEventThatCannotBePlayedWithItsLine) {
  EXPECT_EQ(Play("type EditorTextPathId x\n"), "test.journal:1: no command is running");
  EXPECT_EQ(Play("start NoSuchCommand\n"), "test.journal:1: no command NoSuchCommand");
  EXPECT_EQ(Play("start ZELVekBIWFastenersGroupCmd\npick process:\"Process/Station 99\"\n"),
            "test.journal:2: no activity Process/Station 99");
  EXPECT_EQ(Play("type EditorTextPathId x\n"),
            "test.journal:1: no widget \"EditorTextPathId\" in the dialogs of ZELVekBIWFastenersGroupCmd");
  EXPECT_EQ(Play("start ZELVekBIWAutoAssignWeldCmd \"process:Process/UnderBody Line\"\nexpect no-box\n"),
            "test.journal:2: a box was shown: box 0x10100200 \"Automatic Fastener Assignment\" \"There is no "
            "fastener to assign: no unassigned fastener joins only parts that reach the chosen activity or the "
            "activities below it, or none fits their kind.\" -> OK");
  EXPECT_EQ(Play("answer Cancel\n"), "test.journal:1: 1 answer(s) given for boxes that were never shown");
  EXPECT_EQ(Play("save\n"), "test.journal:1: the document has no file name");
}

TEST_F(JournalPlayerTest, AStartArgumentNamesAnObjectForFactoriesThatTakeOne) {
  // The activity comes with the start: there is no pick to wait for, and
  // with nothing to propose the warning ends the command.
  EXPECT_EQ(Play("start ZELVekBIWAutoAssignWeldCmd \"process:Process/UnderBody Line\"\n"
                 "expect box \"There is no fastener to assign\"\n"
                 "expect line \"command ended ZELVekBIWAutoAssignWeldCmd\"\n"),
            "");
  EXPECT_EQ(Play("start ZELVekBIWAutoAssignWeldCmd process:\"Process/Station 99\"\n"),
            "test.journal:1: no activity Process/Station 99");
  EXPECT_EQ(Play("start ZELVekBIWAutoAssignWeldCmd Station\n"),
            "test.journal:1: bad object reference 'Station': expected KIND:VALUE with KIND process, product, "
            "fastener, feature or id");
  EXPECT_EQ(Play("start ZELVekBIWAssignWeldCmd process:Process\n"),
            "test.journal:1: ZELVekBIWAssignWeldCmd takes no argument");
}

TEST_F(JournalPlayerTest, AssertionsLookAtWhatHappenedSinceTheLastGroup) {
  EXPECT_EQ(Play("start ZELVekBIWAutoAssignWeldCmd \"process:Process/UnderBody Line\"\n"
                 "expect box \"no fastener to assign\"\n"
                 "expect line \"command ended ZELVekBIWAutoAssignWeldCmd\"\n"
                 "start ZELVekBIWResetFastenerColorCmd\n"
                 "expect no-box\n"
                 "expect no-line ZELVekBIWAutoAssignWeldCmd\n"),
            "");
  EXPECT_EQ(Play("env ADL_ODT_IN on\n"), "");
  EXPECT_STREQ(QIVGetEnv("ADL_ODT_IN"), "on");
  EXPECT_EQ(Play("env ADL_ODT_IN unset\n"), "");
  EXPECT_EQ(QIVGetEnv("ADL_ODT_IN"), nullptr);
}

TEST_F(JournalPlayerTest, SavesTheDocumentWhereTheJournalSays) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "biwplan-player-save.json";
  std::filesystem::remove(path);
  EXPECT_EQ(Play("save " + path.string() + "\n"), "");
  BiwplanSession reopened;
  std::string error;
  ASSERT_TRUE(reopened.Open(path.string(), error)) << error;
  EXPECT_EQ(reopened.Document()->GetAllProducts().Size(), _session->Document()->GetAllProducts().Size());
  std::filesystem::remove(path);
}
