#include <gtest/gtest.h>

#include "JournalEvent.h"
#include "JournalWords.h"

namespace {
// The event of a journal line, as the reader makes it.
std::optional<JournalEvent> FromLine(std::string_view line, QIVUnicodeString& reason) {
  std::vector<QIVUnicodeString> words;
  if (!JournalWords::Split(line, words, reason)) return std::nullopt;
  const std::optional<JournalVerb> verb = JournalEvent::VerbFromName(words.at(0).view());
  if (!verb) return std::nullopt;
  words.erase(words.begin());
  return JournalEvent::Make(*verb, std::move(words), reason);
}

JournalEvent Event(std::string_view line) {
  QIVUnicodeString reason;
  std::optional<JournalEvent> event = FromLine(line, reason);
  EXPECT_TRUE(event) << line << ": " << reason;
  if (!event) return *JournalEvent::Make(JournalVerb::Save, {}, reason);
  return *event;
}

QIVUnicodeString Refusal(std::string_view line) {
  QIVUnicodeString reason;
  EXPECT_FALSE(FromLine(line, reason)) << line;
  return reason;
}
}  // namespace

TEST(JournalEventTest, EveryVerbRoundTripsThroughFormat) {
  const char* canonical[] = {
      "start ZELBIWFastenerLocationCmd \"Design position\"",
      "type EditorTextPathId examples/body.txt",
      "type EditorActivityName \"Station 1 \\\"left\\\"\"",
      "press OK",
      "press WindowClose",
      "press ZELVekBIWReadWeldSelectDlg/OK",
      "choose ComboActivityId 2",
      "select SelectListLeftId 0 3 1",
      "select ZELVekBIWAssignWeldDlg/MultiListWeldAccountId 4",
      "activate SelectListRightId 1",
      "check CheckAllProductId on",
      "tab TabContainerId TabPageAccountabilityId",
      "file \"My Welds/body 2.txt\"",
      "file cancel",
      "answer OK",
      "pick \"fastener:W0012, A\" fastener:W0013 id:7 feature:LP_01 product:Body/Floor.1",
      "pick+ \"fastener:W0012, A\"",
      "focusout EditorTextPathId",
      "cancel",
      "show MultiListWeldAccountId",
      "expect box \"not a valid text file\"",
      "expect no-box",
      "expect line \"dialog shown ZELVekBIWReadWeldSelectDlg\"",
      "expect text EditorNumberID 12",
      "expect count SelectListLeftId 0",
      "save \"out/assigned body.biw\"",
      "env ADL_ODT_IN C:\\data",
      "env ADL_ODT_OUT unset",
  };
  for (const char* line : canonical) {
    const JournalEvent event = Event(line);
    EXPECT_EQ(event.Format(), line);
    EXPECT_EQ(Event(event.Format().view()), event) << line;
  }
}

TEST(JournalEventTest, FormatSpellsNumbersAndReferencesCanonically) {
  EXPECT_EQ(Event("choose  ComboActivityId   007").Format(), "choose ComboActivityId 7");
  EXPECT_EQ(Event("select L 00 010").Format(), "select L 0 10");
  EXPECT_EQ(Event("pick \"process:Process/Station.1\" \"id:0042\"").Format(),
            "pick process:Process/Station.1 id:42");
  EXPECT_EQ(Event("pick fastener:\"W0012, A\"").Format(), "pick \"fastener:W0012, A\"");
  EXPECT_EQ(Event("type \"EditorTextPathId\" \"body.txt\"").Format(), "type EditorTextPathId body.txt");
  EXPECT_EQ(Event("choose C 7"), Event("choose C 0007"));
}

// The line is written from the host's event, so the round trip above checks
// most of it; what it cannot tell apart is checked here.
TEST(JournalEventTest, UserEventsAreTheHostsAndTheOtherVerbsHaveTheirViews) {
  const auto widgetEvent = [](std::string_view line) {
    return std::get<QIVWidgetEvent>(*Event(line).GetUserEvent());
  };
  EXPECT_EQ(widgetEvent("press ZELVekBIWCatalogBrowserDlg/Close").action, QIVWidgetEvent::Action::PressDialog);
  EXPECT_EQ(widgetEvent("press ZELVekBIWCatalogBrowserDlg/Close").widget, "ZELVekBIWCatalogBrowserDlg");
  EXPECT_EQ(widgetEvent("press ok").action, QIVWidgetEvent::Action::Press);  // dialog words are exact
  EXPECT_EQ(widgetEvent("file cancel").action, QIVWidgetEvent::Action::FileCancel);
  EXPECT_EQ(widgetEvent("file ./cancel").text, "./cancel");
  EXPECT_EQ(widgetEvent("select Dlg/L 3 0 5").numbers, (std::vector<int>{3, 0, 5}));  // selection order kept

  const JournalEvent pick = Event("pick+ fastener:W1 id:9");
  EXPECT_TRUE(std::get<QIVPickEvent>(*pick.GetUserEvent()).Extends());
  ASSERT_EQ(pick.GetObjects().size(), 2u);
  EXPECT_EQ(pick.GetObjects()[1].GetId(), 9);
  EXPECT_EQ(Event("start ZELBIWFastenerLocationCmd Design").GetText(), "Design");

  EXPECT_EQ(Event("answer Yes").GetUserEvent(), nullptr);
  EXPECT_EQ(Event("answer Yes").GetText(), "Yes");
  EXPECT_TRUE(Event("env ADL_ODT_IN unset").IsEnvUnset());
  EXPECT_EQ(Event("env ADL_ODT_IN \"\"").GetText(), "");
  EXPECT_EQ(Event("save").GetText(), "");
  const JournalEvent count = Event("expect count Dlg/SelectListLeftId 3");
  EXPECT_EQ(count.GetExpectation(), JournalExpectation::Count);
  EXPECT_EQ(count.GetWidget().GetName(), "SelectListLeftId");
  EXPECT_EQ(count.GetNumber(), 3);
  EXPECT_EQ(Event("expect text EditorNumberID 12").GetText(), "12");
}

TEST(JournalEventTest, WrongArgumentsAreRefusedWithTheUsage) {
  // Too few, too many, and too few for the kind of expectation.
  EXPECT_EQ(Refusal("start"), "wrong number of arguments (usage: start CLASS [ARG])");
  EXPECT_EQ(Refusal("save a b"), "wrong number of arguments (usage: save [PATH])");
  EXPECT_EQ(Refusal("expect count W"), "wrong number of arguments (usage: expect count WIDGET N)");
}

TEST(JournalEventTest, BadValuesAreRefusedWithTheReason) {
  EXPECT_EQ(Refusal("choose C two"), "bad number 'two': expected a whole number from 0, at most 9 digits");
  EXPECT_EQ(Refusal("select L 1234567890"),
            "bad number '1234567890': expected a whole number from 0, at most 9 digits");
  EXPECT_EQ(Refusal("expect count L 1.5"),
            "bad number '1.5': expected a whole number from 0, at most 9 digits");
  EXPECT_EQ(Refusal("select L 2 0 02"), "row 2 is selected twice");
  EXPECT_EQ(Refusal("check C yes"), "bad on/off 'yes': expected on or off");
  EXPECT_EQ(Refusal("answer Ok"), "bad answer 'Ok': expected OK, Cancel, Yes or No");
  EXPECT_EQ(Refusal("pick Station.1"),
            "bad object reference 'Station.1': expected KIND:VALUE with KIND process, product, fastener, "
            "feature or "
            "id");
  EXPECT_EQ(Refusal("pick+ fastener:W1 id:x"),
            "bad object reference 'id:x': an id is a number of at most 18 digits");
  EXPECT_EQ(Refusal("type Dlg//E text"), "bad widget reference 'Dlg//E': empty widget name");
  EXPECT_EQ(Refusal("press Dlg/Frame/OK"),
            "bad button 'Dlg/Frame/OK': a dialog's OK is written OK or DIALOG/OK");
  EXPECT_EQ(Refusal("tab T Dlg/Page"), "bad tab page 'Dlg/Page': a page is given by its own name");
  EXPECT_EQ(Refusal("file \"\""), "empty path");
  EXPECT_EQ(Refusal("start Read-Weld"), "bad class name 'Read-Weld': expected letters, digits and _");
  EXPECT_EQ(Refusal("env A=B 1"), "bad environment variable name 'A=B'");
  EXPECT_EQ(Refusal("expect box \"\""), "empty text to look for");
  EXPECT_EQ(Refusal("expect boxes x"),
            "unknown expectation 'boxes': expected box, no-box, line, no-line, text or count");
}

TEST(JournalEventTest, MadeEventsCannotHoldWhatALineCannot) {
  QIVUnicodeString reason;
  EXPECT_FALSE(JournalEvent::Make(JournalVerb::Type, {"E", "two\nlines"}, reason));
  EXPECT_EQ(reason, "argument 2 holds a control character 0x0A");
  EXPECT_FALSE(JournalEvent::Make(JournalVerb::File, {"caf\xE9.txt"}, reason));
  EXPECT_EQ(reason, "argument 1 holds a byte 0xE9 that is not UTF-8");

  std::optional<JournalEvent> made =
      JournalEvent::Make(JournalVerb::Type, {"E", "# \"quoted\" \\ text"}, reason);
  ASSERT_TRUE(made);
  EXPECT_EQ(Event(made->Format().view()), *made);
}

