#include <gtest/gtest.h>

#include "QIVDlgCheckButton.h"
#include "QIVDlgCombo.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFile.h"
#include "QIVDlgFrame.h"
#include "QIVDlgMultiList.h"
#include "QIVDlgNotify.h"
#include "QIVDlgPushButton.h"
#include "QIVDlgRadioButton.h"
#include "QIVDlgSelectorList.h"
#include "QIVDlgSpinner.h"
#include "QIVDlgTabContainer.h"
#include "QIVDlgTabPage.h"
#include "UiTestFixture.h"

// The widgets of the toolkit as a person and as the commands use them.
namespace {

using QIVDlgCheckButtonTest = UiTest;

TEST_F(QIVDlgCheckButtonTest, ChangesEmitCheckAndRepeatsDoNothing) {
  auto* check = Add<QIVDlgCheckButton>("CheckAllProductId", {QIVNotificationKind::Check});
  _dialog->SetVisibility(QIVDlgShow);

  EXPECT_TRUE(check->UserCheck(true));
  EXPECT_TRUE(check->UserCheck(true));
  EXPECT_TRUE(check->GetState());
  EXPECT_TRUE(check->UserCheck(false));
  check->SetState(true);
  check->SetState(false, 1);
  EXPECT_EQ(_heard, std::vector<std::string>(3, "Check from CheckAllProductId"));
  EXPECT_EQ(check->Describe(), "CheckAllProductId check button check=off");

  check->SetSensitivity(QIVDlgDisable);
  EXPECT_EQ(check->UserCheck(true).reason, "CheckAllProductId is insensitive");
  EXPECT_FALSE(check->GetState());
}

using QIVDlgSpinnerTest = UiTest;

TEST_F(QIVDlgSpinnerTest, ValueStaysInItsRange) {
  auto* spinner = Add<QIVDlgSpinner>("Count", {QIVNotificationKind::ValueChanged});
  _dialog->SetVisibility(QIVDlgShow);
  spinner->SetValue(50);
  spinner->SetRange(10, 0, 2);
  EXPECT_DOUBLE_EQ(spinner->GetValue(), 10);

  EXPECT_TRUE(spinner->UserSetValue(4));
  EXPECT_EQ(spinner->UserSetValue(12).reason, "Count takes values from 0 to 10");
  EXPECT_EQ(spinner->Describe(), "Count spinner value=4 range=[0,10]");
  EXPECT_EQ(_heard, std::vector<std::string>{"ValueChanged from Count"});
}

using QIVDlgPushButtonTest = UiTest;

TEST_F(QIVDlgPushButtonTest, PressEmitsActivateWhileReachable) {
  QIVVar<QIVCommand> command = QIVMake<RecordingCommand>(&_heard);
  _dialog->SetFather(command.get());
  auto* frame = Add<QIVDlgFrame>("Frame");
  auto* button = new QIVDlgPushButton(frame, "ButtonTextId");

  EXPECT_EQ(button->UserPress().reason, "ButtonTextId is not shown");
  _dialog->SetVisibility(QIVDlgShow);
  EXPECT_TRUE(button->UserPress());
  frame->SetSensitivity(QIVDlgDisable);
  EXPECT_EQ(button->UserPress().reason, "ButtonTextId is insensitive");
  EXPECT_EQ(_heard, std::vector<std::string>{"command got Activate from ButtonTextId"});
}

TEST_F(QIVDlgPushButtonTest, ButtonMayCloseItsOwnDialogWhilePressed) {
  auto* dialog = new QIVDlgDialog(nullptr, "Closing");
  auto* button = new QIVDlgPushButton(dialog, "Close");
  dialog->SetVisibility(QIVDlgShow);
  _subscriber->AddCallback(button, QIVNotificationKind::Activate,
                           [dialog](QIVCommand*, const QIVNotification&) { dialog->Release(); });

  EXPECT_TRUE(button->UserPress());
  EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
}

class QIVDlgRadioButtonTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    auto* modes = Add<QIVDlgFrame>("FrameSelectActivity");
    auto* automatic = Add<QIVDlgFrame>("FrameDn");
    _all = new QIVDlgRadioButton(modes, "RBAllActivities");
    _selected = new QIVDlgRadioButton(modes, "RBSelectedActivity");
    _on = new QIVDlgRadioButton(automatic, "RBActivateAuto");
    _off = new QIVDlgRadioButton(automatic, "RBDeactivateAuto");
    for (QIVDlgRadioButton* radio : {_all, _selected, _on, _off}) Watch(radio, {QIVNotificationKind::Check});
    _dialog->SetVisibility(QIVDlgShow);
  }
  QIVDlgRadioButton *_all, *_selected, *_on, *_off;
};

TEST_F(QIVDlgRadioButtonTest, PersonCannotClearARadioButtonDirectly) {
  _on->SetState(true);
  EXPECT_EQ(_on->UserCheck(false).reason,
            "RBActivateAuto is cleared by choosing another button of its group");
  EXPECT_TRUE(_on->GetState());
  EXPECT_TRUE(_heard.empty());
}

using QIVDlgNotifyTest = UiTest;

TEST_F(QIVDlgNotifyTest, QueuedAnswersAreTakenOldestFirst) {
  auto* box = Add<QIVDlgNotify>("Warning", {}, 0x10100200);
  EXPECT_TRUE(QIVDlgNotify::QueueAnswer("Cancel"));
  EXPECT_TRUE(QIVDlgNotify::QueueAnswer("No"));
  EXPECT_FALSE(QIVDlgNotify::QueueAnswer("Maybe"));
  EXPECT_EQ(QIVDlgNotify::PendingAnswers(), 2u);

  EXPECT_EQ(box->DisplayBlocked("first\nsecond line", "Summary"), QIVDlgNotify::AnswerCancel);
  EXPECT_EQ(box->DisplayBlocked("again", ""), QIVDlgNotify::AnswerNo);
  EXPECT_EQ(box->DisplayBlocked("last", ""), QIVDlgNotify::AnswerOK);
  EXPECT_EQ(NewTranscriptLines(),
            (std::vector<std::string>{"box 0x10100200 \"Summary\" \"first\\nsecond line\" -> Cancel",
                                      "box 0x10100200 \"\" \"again\" -> No",
                                      "box 0x10100200 \"\" \"last\" -> OK"}));
  EXPECT_EQ(box->Describe(), "Warning notify box hidden text=\"last\" answer=OK");
}

class QIVDlgComboTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _combo = Add<QIVDlgCombo>("ComboOptionId", {QIVNotificationKind::Select});
    for (const char* line : {"All points", "Assigned fasteners", "Not assigned fasteners"})
      _combo->SetLine(line);
    _dialog->SetVisibility(QIVDlgShow);
  }
  QIVDlgCombo* _combo = nullptr;
};

TEST_F(QIVDlgComboTest, LinesAreAppendedOrReplacedAndClearedWithTheChoice) {
  _combo->SetLine("Assigned", 1);
  _combo->SetSelect(2);
  EXPECT_EQ(_combo->Describe(),
            "ComboOptionId combo lines=[\"All points\",\"Assigned\",\"Not assigned fasteners\"] selected=2");
  _combo->ClearLine();
  EXPECT_EQ(_combo->GetSelect(), -1);
  EXPECT_TRUE(_heard.empty());
}

TEST_F(QIVDlgComboTest, ChoosingEmitsSelectEvenForTheSameLine) {
  _combo->SetSelect(0, 1);
  EXPECT_TRUE(_combo->UserChoose(2));
  EXPECT_TRUE(_combo->UserChoose(2));
  EXPECT_EQ(_heard, std::vector<std::string>(3, "Select from ComboOptionId"));

  EXPECT_EQ(_combo->UserChoose(3).reason, "ComboOptionId has no line 3");
  _combo->SetSensitivity(QIVDlgDisable);
  EXPECT_EQ(_combo->UserChoose(0).reason, "ComboOptionId is insensitive");
  EXPECT_EQ(_combo->GetSelect(), 2);
  EXPECT_EQ(_heard.size(), 3u);
}

class QIVDlgTabContainerTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _tabs = Add<QIVDlgTabContainer>("TabContainerId", {QIVNotificationKind::TabSelected});
    _assignment = new QIVDlgTabPage(_tabs, "TabPageAssignmentId");
    _accountability = new QIVDlgTabPage(_tabs, "TabPageAccountabilityId");
    _productCombo = new QIVDlgCombo(_assignment, "ComboProductId");
    _optionCombo = new QIVDlgCombo(_accountability, "ComboOptionId");
    _optionCombo->SetLine("All points");
    _dialog->SetVisibility(QIVDlgShow);
  }
  QIVDlgTabContainer* _tabs = nullptr;
  QIVDlgTabPage *_assignment = nullptr, *_accountability = nullptr;
  QIVDlgCombo *_productCombo = nullptr, *_optionCombo = nullptr;
};

TEST_F(QIVDlgTabContainerTest, FirstPageShowsUntilAnotherIsChosen) {
  EXPECT_EQ(_tabs->GetSelectedPage(), _assignment);
  EXPECT_TRUE(_productCombo->IsShown());
  EXPECT_EQ(_optionCombo->UserChoose(0).reason, "ComboOptionId is not shown");

  ASSERT_TRUE(_tabs->UserSelectTab("TabPageAccountabilityId"));
  EXPECT_TRUE(_optionCombo->UserChoose(0));
  EXPECT_FALSE(_productCombo->IsShown());
  EXPECT_EQ(_tabs->Describe(),
            "TabContainerId tab container pages=[TabPageAssignmentId,TabPageAccountabilityId] "
            "selected=TabPageAccountabilityId");
  EXPECT_EQ(_heard, std::vector<std::string>{"TabSelected from TabContainerId"});
}

TEST_F(QIVDlgTabContainerTest, ClickOnTheShownTabSpeaksAgainAndUnknownPagesAreRefused) {
  _tabs->SetSelectedPage(_accountability);
  ASSERT_TRUE(_tabs->UserSelectTab("TabPageAccountabilityId"));
  EXPECT_EQ(_tabs->UserSelectTab("TabPageHistoryId").reason, "TabContainerId has no page TabPageHistoryId");
  _assignment->SetSensitivity(QIVDlgDisable);
  EXPECT_EQ(_tabs->UserSelectTab("TabPageAssignmentId").reason,
            "TabContainerId cannot open page TabPageAssignmentId");
  EXPECT_EQ(_heard, std::vector<std::string>{"TabSelected from TabContainerId"});
}

TEST_F(QIVDlgTabContainerTest, ChosenPageThatGoesAwayFallsBackToTheFirst) {
  _tabs->SetSelectedPage(_accountability);
  _accountability->RequestDelayedDestruction();
  QIVDelayedDestruction::Flush();
  EXPECT_EQ(_tabs->GetSelectedPage(), _assignment);
  EXPECT_EQ(_tabs->GetPages(), std::vector<QIVDlgTabPage*>{_assignment});
}

class QIVDlgSelectorListTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _list = Add<QIVDlgSelectorList>("SelectListLeftId",
                                    {QIVNotificationKind::Select, QIVNotificationKind::Activate});
    for (const char* line : {"W0010", "W0011", "W0012", "W0013"}) _list->SetLine(line);
    _dialog->SetVisibility(QIVDlgShow);
  }
  QIVDlgSelectorList* _list = nullptr;
};

TEST_F(QIVDlgSelectorListTest, RefusesRowsOutOfRangeAndInsensitiveLists) {
  _list->SetSelect({1});
  EXPECT_EQ(_list->UserSelect({0, 4}).reason, "SelectListLeftId has no row 4");
  EXPECT_EQ(_list->UserActivate(-1).reason, "SelectListLeftId has no row -1");
  _list->SetSensitivity(QIVDlgDisable);
  EXPECT_EQ(_list->UserSelect({0}).reason, "SelectListLeftId is insensitive");
  EXPECT_EQ(_list->GetSelect(), std::vector<int>{1});
  EXPECT_TRUE(_heard.empty());
}

TEST_F(QIVDlgSelectorListTest, DoubleClickSelectsTheRowThenActivates) {
  ASSERT_TRUE(_list->UserActivate(2));
  EXPECT_EQ(_list->GetSelect(), std::vector<int>{2});
  ASSERT_TRUE(_list->UserActivate(2));
  EXPECT_EQ(_heard,
            (std::vector<std::string>{"Select from SelectListLeftId", "Activate from SelectListLeftId",
                                      "Activate from SelectListLeftId"}));
}

TEST_F(QIVDlgSelectorListTest, SelectionFollowsRowsRemovedByCode) {
  _list->SetSelect({0, 2, 3, 2, 7});
  EXPECT_EQ(_list->GetSelect(), (std::vector<int>{0, 2, 3}));
  _list->RemoveRow(2);
  EXPECT_EQ(_list->GetSelect(), (std::vector<int>{0, 2}));
  EXPECT_EQ(_list->GetLine(2), "W0013");
  _list->SetRowSelected(1, true);
  _list->SetRowSelected(0, false);
  EXPECT_EQ(_list->GetSelect(), (std::vector<int>{2, 1}));
  EXPECT_TRUE(_heard.empty());
}

class QIVDlgMultiListTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _list = Add<QIVDlgMultiList>("MultiListWeldAccountId", {QIVNotificationKind::Select});
    _list->SetColumnTitles({"#", "Name", "Type", "Activities"});
    _list->SetColumnSortOrder(0, QIVDlgMultiList::NumericSort);
    _list->AddRow({"10", "W0012", "Spot", "None"});
    _list->AddRow({"9", "W0010", "Spot", "Station.1;"});
    _list->AddRow({"n/a", "W0011", "Stud", "None"});
    _list->AddRow({"100", "W0009", "Spot", "None"});
    _dialog->SetVisibility(QIVDlgShow);
  }
  std::vector<std::string> ShownColumn(int column) const {
    std::vector<std::string> cells;
    for (int position = 0; position < _list->GetRowCount(); ++position) {
      cells.push_back(_list->GetCell(_list->GetRowShownAt(position), column).str());
    }
    return cells;
  }
  QIVDlgMultiList* _list = nullptr;
};

TEST_F(QIVDlgMultiListTest, CellsGrowRowsAndColumnsAsSet) {
  _list->SetColumnTitle(5, "Extra");
  EXPECT_EQ(_list->GetColumnCount(), 6);
  _list->SetCell(4, 1, "W0020");
  EXPECT_EQ(_list->GetRowCount(), 5);
  EXPECT_EQ(_list->GetCell(4, 1), "W0020");
  EXPECT_EQ(_list->GetCell(4, 3), "");
  EXPECT_EQ(_list->GetCell(7, 0), "");
}

TEST_F(QIVDlgMultiListTest, NumericColumnSortsByValueWithTextsLast) {
  _list->SortByColumn(0);
  EXPECT_EQ(ShownColumn(0), (std::vector<std::string>{"9", "10", "100", "n/a"}));
  _list->SortByColumn(0, false);
  EXPECT_EQ(ShownColumn(0), (std::vector<std::string>{"100", "10", "9", "n/a"}));
  _list->SortByColumn(2);
  EXPECT_EQ(ShownColumn(1), (std::vector<std::string>{"W0012", "W0010", "W0009", "W0011"}));
}

TEST_F(QIVDlgMultiListTest, PersonSelectsByShownPositionCodeReadsRows) {
  ASSERT_TRUE(_list->UserSort(1));
  ASSERT_TRUE(_list->UserSelect({0, 3}));
  EXPECT_EQ(_list->GetSelect(), (std::vector<int>{3, 0}));

  _list->AddRow({"1", "W0001", "Spot", "None"});
  ASSERT_TRUE(_list->UserActivate(0));
  EXPECT_EQ(_list->GetSelect(), std::vector<int>{4});
  EXPECT_EQ(_list->UserSort(4).reason, "MultiListWeldAccountId has no column 4");
  EXPECT_EQ(_heard.size(), 2u);
}

class QIVDlgEditorTest : public UiTest {
 protected:
  QIVDlgEditor* MakeEditor(const char* name, unsigned long style = 0) {
    _dialog->SetVisibility(QIVDlgShow);
    return Add<QIVDlgEditor>(name, {QIVNotificationKind::Input, QIVNotificationKind::EditFocusOut}, style);
  }
  static void OnInput(const QIVUnicodeString& text, void* data) {
    static_cast<std::vector<std::string>*>(data)->push_back("hook " + text.str());
  }
};

TEST_F(QIVDlgEditorTest, TypingRunsTheHookThenInputAndLeavingEmitsFocusOut) {
  QIVDlgEditor* editor = MakeEditor("EditorTextPathId");
  editor->SetInputCallback(&OnInput, &_heard);

  ASSERT_TRUE(editor->UserType("examples/body.txt"));
  ASSERT_TRUE(editor->UserFocusOut());
  EXPECT_EQ(_heard, (std::vector<std::string>{"hook examples/body.txt", "Input from EditorTextPathId",
                                              "EditFocusOut from EditorTextPathId"}));
}

TEST_F(QIVDlgEditorTest, SettingFromCodeIsSilentUnlessAskedToNotify) {
  QIVDlgEditor* editor = MakeEditor("Rate");
  editor->SetInputCallback(&OnInput, &_heard);
  editor->SetValue(0.25);
  EXPECT_TRUE(_heard.empty());
  EXPECT_EQ(editor->GetText(), "0.25");
  EXPECT_DOUBLE_EQ(editor->GetValue(), 0.25);

  editor->SetValue(4.0, 1);
  EXPECT_EQ(_heard, std::vector<std::string>{"Input from Rate"});
  editor->SetText("not a number");
  EXPECT_DOUBLE_EQ(editor->GetValue(), 0.0);
}

TEST_F(QIVDlgEditorTest, RefusesWhatThePersonCannotType) {
  QIVDlgEditor* readOnly = MakeEditor("EditSelectedActivity", QIVDlgEditor::ReadOnlyStyle);
  QIVDlgEditor* numeric = MakeEditor("_PointFasteningRateEditorName", QIVDlgEditor::NumericStyle);
  QIVDlgEditor* greyed = MakeEditor("EditorNumberID");
  greyed->SetSensitivity(QIVDlgDisable);

  EXPECT_EQ(readOnly->UserType("x").reason, "EditSelectedActivity is read-only");
  EXPECT_EQ(numeric->UserType("four").reason,
            "_PointFasteningRateEditorName takes numbers only, not \"four\"");
  EXPECT_EQ(greyed->UserFocusOut().reason, "EditorNumberID is insensitive");
  EXPECT_TRUE(_heard.empty());
  EXPECT_TRUE(numeric->UserType("4.0"));
  EXPECT_DOUBLE_EQ(numeric->GetValue(), 4.0);
}

class QIVDlgFileTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _box = Add<QIVDlgFile>("FileBox", {QIVNotificationKind::OK, QIVNotificationKind::Cancel}, 512);
    _box->SetTitle("Select text file");
    _dialog->SetVisibility(QIVDlgShow);
  }
  QIVDlgFile* _box = nullptr;
};

TEST_F(QIVDlgFileTest, ChosenPathClosesTheBoxWithOK) {
  EXPECT_EQ(QIVDlgFile::WaitingBox(), nullptr);
  EXPECT_EQ(_box->UserChooseFile("examples/body.txt").reason, "FileBox is not shown");

  _box->SetVisibility(QIVDlgShow);
  EXPECT_EQ(QIVDlgFile::WaitingBox(), _box);
  EXPECT_EQ(_box->UserChooseFile("").reason, "FileBox needs a path");
  ASSERT_TRUE(_box->UserChooseFile("examples/body.txt"));

  EXPECT_EQ(_box->GetSelection(), "examples/body.txt");
  EXPECT_EQ(QIVDlgFile::WaitingBox(), nullptr);
  EXPECT_EQ(_heard, std::vector<std::string>{"OK from FileBox"});
  EXPECT_EQ(NewTranscriptLines(),
            (std::vector<std::string>{"dialog shown Dialog \"\"", "dialog shown FileBox \"Select text file\"",
                                      "dialog hidden FileBox"}));
}

TEST_F(QIVDlgFileTest, CancelLeavesTheSelectionAsItWas) {
  _box->SetFileName("proposed.txt");
  _box->SetVisibility(QIVDlgShow);
  ASSERT_TRUE(_box->UserCancelFile());
  EXPECT_EQ(_box->GetSelection(), "proposed.txt");
  EXPECT_EQ(_box->UserCancelFile().reason, "FileBox is not shown");
  EXPECT_EQ(_heard, std::vector<std::string>{"Cancel from FileBox"});
}

TEST_F(QIVDlgFileTest, KeepsFiltersByPosition) {
  QIVListValQIVUnicodeString names;
  QIVListValQIVUnicodeString patterns;
  names.Append("Text files(*.txt)");
  names.Append("All");
  patterns.Append("*.txt");
  _box->SetFilterStrings(names, patterns);
  EXPECT_EQ(
      _box->Describe(),
      "FileBox file box hidden title=\"Select text file\" filters=[\"Text files(*.txt)|*.txt\",\"All|\"] "
      "directory=\"\" selection=\"\"");
}

TEST_F(QIVDlgFileTest, NotificationOfTheBoxMayDestroyIt) {
  _subscriber->AddCallback(_box, QIVNotificationKind::OK, [this](QIVCommand*, const QIVNotification&) {
    _box->RequestDelayedDestruction();
  });
  _box->SetVisibility(QIVDlgShow);
  ASSERT_TRUE(_box->UserChooseFile("out"));
  QIVDelayedDestruction::Flush();
  EXPECT_TRUE(_dialog->GetChildren().empty());
}

}  // namespace
