#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "BiwplanCli.h"
#include "BiwplanVerbTest.h"
#include "QIVISPPActivityModificationEvents.h"

namespace {

constexpr const char* kStation = "ZELVekBIWCreateStationActivityCmd";

std::string CreateStation(const std::string& name) {
  return "start " + std::string(kStation) + "\npick \"process:Process/UnderBody Line\"\ntype EditorActivityName " +
         BiwplanJournalWord(name) + "\npress OK\n";
}

bool HasLine(QIVSession& session, const std::string& text) {
  const std::vector<std::string>& lines = session.GetTranscript().Lines();
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line == text; });
}

// Sessions and their failure boundary, on the sample document.
using SessionBoundaryTest = BiwplanVerbTest;

// A model listener that throws while the creation command presses OK: the
// command is cancelled through its own Cancel, the session says so and
// goes on, and the document saved afterwards is the one before.
TEST_F(SessionBoundaryTest, ThrowingActionCancelsTheCommandAndLeavesTheDocumentAsItWas) {
  const std::string before = DocumentText();
  BiwplanSession session;
  ASSERT_TRUE(BiwplanOpen(session, _path));
  QIVISPPActivityModificationEvents_var events(BiwplanFindObject(session, "process:Process"));
  ASSERT_TRUE(events);
  const int listener = events->AddListener([](const QIVSPPActivityNotification&) {
    throw std::runtime_error("the process view broke");
  });

  EXPECT_EQ(BiwplanPlayJournal(session, CreateStation("Station 90"), "boundary"), BiwplanExit::Failed);
  const std::string failed = "command failed " + std::string(kStation) + ": the process view broke";
  EXPECT_TRUE(HasLine(session.Session(), failed));
  const QIVCommandOutcome& outcome = BiwplanOutcome(session, kStation);
  EXPECT_EQ(outcome.ending, QIVCommandOutcome::Ending::Failed);
  EXPECT_EQ(outcome.failure, "the process view broke");
  EXPECT_FALSE(outcome.created.empty());
  EXPECT_EQ(session.Dispatcher().GetCommandCount(), 0);
  ASSERT_TRUE(BiwplanSave(session));
  EXPECT_EQ(DocumentText(), before);

  events->RemoveListener(listener);
  EXPECT_EQ(BiwplanPlayJournal(session, CreateStation("Station 91"), "boundary"), BiwplanExit::Ok);
  EXPECT_EQ(BiwplanOutcome(session, kStation).ending, QIVCommandOutcome::Ending::Ended);
  EXPECT_TRUE(HasLine(session.Session(), "command ended " + std::string(kStation)));
}

// Two sessions in one process, each with its document, a command showing
// a box and its own answers: neither hears the other.
TEST_F(SessionBoundaryTest, TwoSessionsRunCommandsWithBoxesWithoutCrosstalk) {
  BiwplanSession first;
  ASSERT_TRUE(BiwplanOpen(first, _path));
  BiwplanSession second;
  ASSERT_TRUE(BiwplanOpen(second, _path));
  // A loading activity takes no station: the pick is refused with a box,
  // answered from the second session's own queue.
  const std::string refused = "start " + std::string(kStation) +
                              "\nanswer Cancel\npick \"process:Process/UnderBody Line/Station 10 Front Floor/Load "
                              "parts\"\n";
  ASSERT_EQ(BiwplanPlayJournal(first, CreateStation("First"), "first"), BiwplanExit::Ok);
  ASSERT_EQ(BiwplanPlayJournal(second, refused, "second"), BiwplanExit::Ok);

  const QIVCommandOutcome& one = BiwplanOutcome(first, kStation);
  const QIVCommandOutcome& two = BiwplanOutcome(second, kStation);
  EXPECT_TRUE(one.boxes.empty());
  EXPECT_EQ(one.ending, QIVCommandOutcome::Ending::Ended);
  ASSERT_EQ(two.boxes.size(), 1u);
  EXPECT_EQ(two.boxes[0].answer, "Cancel");
  EXPECT_TRUE(two.created.empty());
  EXPECT_TRUE(first.Session().GetBoxesShown().empty());
  EXPECT_EQ(second.Session().GetBoxesShown().size(), 1u);
  EXPECT_FALSE(BiwplanFindObject(second, "process:Process/UnderBody Line/First"));
  EXPECT_TRUE(BiwplanFindObject(first, "process:Process/UnderBody Line/First"));
}

}  // namespace
