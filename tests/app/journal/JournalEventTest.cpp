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
      "start ZELVekBIWReadWeldFromFileCmd",
      "start ZELBIWFastenerLocationCmd \"Design position\"",
      "type EditorTextPathId examples/body.txt",
      "type EditorActivityName \"Station 1 \\\"left\\\"\"",
      "type _PointFasteningRateEditorName \"\"",
      "press OK",
      "press Cancel",
      "press Apply",
      "press Close",
      "press WindowClose",
      "press ZELVekBIWReadWeldSelectDlg/OK",
      "press PushButtonAssignId",
      "choose ComboActivityId 2",
      "select SelectListLeftId 0 3 1",
      "select SelectListRightId",
      "select ZELVekBIWAssignWeldDlg/MultiListWeldAccountId 4",
      "activate SelectListRightId 1",
      "check CheckAllProductId on",
      "check RadioOneProductId off",
      "tab TabContainerId TabPageAccountabilityId",
      "file out.xml",
      "file \"My Welds/body 2.txt\"",
      "file cancel",
      "answer OK",
      "answer Cancel",
      "answer Yes",
      "answer No",
      "pick process:Process/Station.1",
      "pick fastener:\"W0012, A\" fastener:W0013 id:7 feature:LP_01 product:Body/Floor.1",
      "pick+ fastener:\"W0012, A\"",
      "focusout EditorTextPathId",
      "show MultiListWeldAccountId",
      "expect box WARNING",
      "expect box \"not a valid text file\"",
      "expect no-box",
      "expect line \"dialog shown ZELVekBIWReadWeldSelectDlg\"",
      "expect no-line ZELVekBIWAssignWeldDlg",
      "expect text EditorNumberID 12",
      "expect text EditorActivityName \"\"",
      "expect count SelectListLeftId 0",
      "save",
      "save \"out/assigned body.biw\"",
      "env ADL_ODT_IN 1",
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
  EXPECT_EQ(Event("pick \"fastener:W0012, A\"").Format(), "pick fastener:\"W0012, A\"");
  EXPECT_EQ(Event("type \"EditorTextPathId\" \"body.txt\"").Format(), "type EditorTextPathId body.txt");
  EXPECT_EQ(Event("choose C 7"), Event("choose C 0007"));
}

TEST(JournalEventTest, TypedViewsGiveWhatThePlayerNeeds) {
  const JournalEvent select = Event("select Dlg/SelectListLeftId 3 0 5");
  EXPECT_EQ(select.GetVerb(), JournalVerb::Select);
  EXPECT_EQ(select.GetWidget().GetName(), "SelectListLeftId");
  EXPECT_EQ(select.GetWidget().GetPath().front(), "Dlg");
  EXPECT_EQ(select.GetNumbers(), (std::vector<int>{3, 0, 5}));  // selection order kept

  EXPECT_EQ(Event("choose ComboProductId 4").GetNumber(), 4);
  EXPECT_EQ(Event("activate SelectListLeftId 2").GetNumber(), 2);
  EXPECT_EQ(Event("show X").GetNumber(), -1);

  EXPECT_EQ(Event("press OK").GetButton(), JournalButton::OK);
  EXPECT_EQ(Event("press WindowClose").GetButton(), JournalButton::WindowClose);
  const JournalEvent dialogOk = Event("press ZELVekBIWCatalogBrowserDlg/Close");
  EXPECT_EQ(dialogOk.GetButton(), JournalButton::Close);
  EXPECT_EQ(dialogOk.GetWidget().GetPath().front(), "ZELVekBIWCatalogBrowserDlg");
  const JournalEvent push = Event("press ButtonTextId");
  EXPECT_EQ(push.GetButton(), JournalButton::PushButton);
  EXPECT_EQ(push.GetWidget().GetName(), "ButtonTextId");
  EXPECT_EQ(Event("press ok").GetButton(), JournalButton::PushButton);  // dialog words are exact

  EXPECT_TRUE(Event("check CheckAllProductId on").IsOn());
  EXPECT_FALSE(Event("check CheckAllProductId off").IsOn());

  const JournalEvent pick = Event("pick+ fastener:W1 id:9");
  EXPECT_TRUE(pick.IsExtend());
  EXPECT_FALSE(Event("pick fastener:W1").IsExtend());
  ASSERT_EQ(pick.GetObjects().size(), 2u);
  EXPECT_EQ(pick.GetObjects()[0].GetName(), "W1");
  EXPECT_EQ(pick.GetObjects()[1].GetId(), 9);

  EXPECT_TRUE(Event("file cancel").IsFileCancel());
  EXPECT_EQ(Event("file cancel").GetText(), "");
  EXPECT_FALSE(Event("file ./cancel").IsFileCancel());
  EXPECT_EQ(Event("file ./cancel").GetText(), "./cancel");

  EXPECT_EQ(Event("answer Yes").GetAnswer(), JournalAnswer::Yes);
  EXPECT_EQ(Event("answer No").GetAnswer(), JournalAnswer::No);

  const JournalEvent env = Event("env ADL_ODT_IN /data/rec");
  EXPECT_EQ(env.GetArgument(0), "ADL_ODT_IN");
  EXPECT_EQ(env.GetText(), "/data/rec");
  EXPECT_FALSE(env.IsEnvUnset());
  EXPECT_TRUE(Event("env ADL_ODT_IN unset").IsEnvUnset());
  EXPECT_EQ(Event("env ADL_ODT_IN \"\"").GetText(), "");

  const JournalEvent start = Event("start ZELBIWFastenerLocationCmd Design");
  EXPECT_EQ(start.GetArgument(0), "ZELBIWFastenerLocationCmd");
  EXPECT_EQ(start.GetText(), "Design");
  EXPECT_EQ(start.GetArgument(5), "");
  EXPECT_EQ(Event("type E \"a b\"").GetText(), "a b");
  EXPECT_EQ(Event("tab T PageB").GetText(), "PageB");
  EXPECT_EQ(Event("save out.biw").GetText(), "out.biw");
  EXPECT_EQ(Event("save").GetText(), "");

  const JournalEvent text = Event("expect text EditorNumberID 12");
  EXPECT_EQ(text.GetExpectation(), JournalExpectation::Text);
  EXPECT_EQ(text.GetWidget().GetName(), "EditorNumberID");
  EXPECT_EQ(text.GetText(), "12");
  const JournalEvent count = Event("expect count SelectListLeftId 3");
  EXPECT_EQ(count.GetExpectation(), JournalExpectation::Count);
  EXPECT_EQ(count.GetNumber(), 3);
  EXPECT_EQ(Event("expect box WARNING").GetText(), "WARNING");
  EXPECT_EQ(Event("expect no-box").GetExpectation(), JournalExpectation::NoBox);
  EXPECT_EQ(Event("expect no-line x").GetExpectation(), JournalExpectation::NoLine);
}

TEST(JournalEventTest, WrongArgumentsAreRefusedWithTheUsage) {
  EXPECT_EQ(Refusal("start"), "wrong number of arguments (usage: start CLASS [ARG])");
  EXPECT_EQ(Refusal("start A b c"), "wrong number of arguments (usage: start CLASS [ARG])");
  EXPECT_EQ(Refusal("choose C"), "wrong number of arguments (usage: choose WIDGET INDEX)");
  EXPECT_EQ(Refusal("activate L 1 2"), "wrong number of arguments (usage: activate WIDGET ROW)");
  EXPECT_EQ(Refusal("select"), "wrong number of arguments (usage: select WIDGET ROW...)");
  EXPECT_EQ(Refusal("pick+"), "wrong number of arguments (usage: pick+ OBJREF...)");
  EXPECT_EQ(Refusal("save a b"), "wrong number of arguments (usage: save [PATH])");
  EXPECT_EQ(Refusal("env ADL_ODT_IN"), "wrong number of arguments (usage: env NAME VALUE|unset)");
  EXPECT_EQ(Refusal("expect"),
            "wrong number of arguments (usage: expect box|no-box|line|no-line|text|count ...)");
  EXPECT_EQ(Refusal("expect no-box x"), "wrong number of arguments (usage: expect no-box)");
  EXPECT_EQ(Refusal("expect count W"), "wrong number of arguments (usage: expect count WIDGET N)");
}

TEST(JournalEventTest, BadValuesAreRefusedWithTheReason) {
  EXPECT_EQ(Refusal("choose C two"), "bad number 'two': expected a whole number from 0, at most 9 digits");
  EXPECT_EQ(Refusal("choose C -1"), "bad number '-1': expected a whole number from 0, at most 9 digits");
  EXPECT_EQ(Refusal("activate L \"\""), "bad number '': expected a whole number from 0, at most 9 digits");
  EXPECT_EQ(Refusal("select L 1 2 x"), "bad number 'x': expected a whole number from 0, at most 9 digits");
  EXPECT_EQ(Refusal("select L 1234567890"),
            "bad number '1234567890': expected a whole number from 0, at most 9 digits");
  EXPECT_EQ(Refusal("expect count L 1.5"),
            "bad number '1.5': expected a whole number from 0, at most 9 digits");
  EXPECT_EQ(Refusal("select L 2 0 02"), "row 2 is selected twice");
  EXPECT_EQ(Refusal("check C yes"), "bad on/off 'yes': expected on or off");
  EXPECT_EQ(Refusal("check C On"), "bad on/off 'On': expected on or off");
  EXPECT_EQ(Refusal("answer Ok"), "bad answer 'Ok': expected OK, Cancel, Yes or No");
  EXPECT_EQ(Refusal("pick Station.1"),
            "bad object reference 'Station.1': expected KIND:VALUE with KIND process, product, fastener, "
            "feature or "
            "id");
  EXPECT_EQ(Refusal("pick+ fastener:W1 id:x"),
            "bad object reference 'id:x': an id is a number of at most 18 digits");
  EXPECT_EQ(Refusal("type Dlg//E text"), "bad widget reference 'Dlg//E': empty widget name");
  EXPECT_EQ(Refusal("expect text /E x"), "bad widget reference '/E': empty widget name");
  EXPECT_EQ(Refusal("press Dlg/Frame/OK"),
            "bad button 'Dlg/Frame/OK': a dialog's OK is written OK or DIALOG/OK");
  EXPECT_EQ(Refusal("tab T Dlg/Page"), "bad tab page 'Dlg/Page': a page is given by its own name");
  EXPECT_EQ(Refusal("file \"\""), "empty path");
  EXPECT_EQ(Refusal("save \"\""), "empty path");
  EXPECT_EQ(Refusal("start Read-Weld"), "bad class name 'Read-Weld': expected letters, digits and _");
  EXPECT_EQ(Refusal("start 2Cmd"), "bad class name '2Cmd': expected letters, digits and _");
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

TEST(JournalEventTest, PlaceIsKeptButNotCompared) {
  JournalEvent a = Event("press OK");
  JournalEvent b = Event("press OK");
  a.SetPlace("a.journal", 3);
  b.SetPlace("b.journal", 9);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, Event("press Cancel"));
  EXPECT_EQ(a.GetSourceName(), "a.journal");
  EXPECT_EQ(a.GetLine(), 3);
  EXPECT_EQ(a.Error("no visible dialog has OK").Format(), "a.journal:3: no visible dialog has OK");
}

TEST(JournalEventTest, VerbNamesAndUsages) {
  for (JournalVerb verb :
       {JournalVerb::Start, JournalVerb::PickExtend, JournalVerb::FocusOut, JournalVerb::Env}) {
    EXPECT_EQ(JournalEvent::VerbFromName(JournalEvent::VerbName(verb)), verb);
    EXPECT_TRUE(QIVUnicodeString(JournalEvent::Usage(verb)).StartsWith(JournalEvent::VerbName(verb)));
  }
  EXPECT_EQ(JournalEvent::VerbName(JournalVerb::PickExtend), std::string("pick+"));
  EXPECT_FALSE(JournalEvent::VerbFromName("Press"));
  EXPECT_FALSE(JournalEvent::VerbFromName(""));
}
