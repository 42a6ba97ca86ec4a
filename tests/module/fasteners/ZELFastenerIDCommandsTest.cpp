#include <gmock/gmock.h>

#include "FastenerTestSupport.h"
#include "QIVFrmEditor.h"
#include "fasteners/ZELManageFastenerIDCmd.h"
#include "fasteners/ZELManageFastenerIDDlg.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class FastenerIDTest : public FastenerDocumentTest {
 protected:
  ZELManageFastenerIDDlg* Dialog() {
    auto* command = dynamic_cast<ZELManageFastenerIDCmd*>(Dispatcher().GetActiveCommand());
    return command ? command->GetDialog() : nullptr;
  }
  std::vector<std::string> Rows() const { return Cells("MultiListId", {0, 1}); }
  std::vector<int> Selected() const { return Widget<QIVDlgMultiList>("MultiListId")->GetSelect(); }
};

}  // namespace

TEST_F(FastenerIDTest, PicksCollectEachFastenerOnceAsTheRecursiveBoxSays) {
  ASSERT_EQ(Deliver(QIVStartEvent{"ZELManageFastenerIDCmd"}), S_OK);
  ASSERT_EQ(Check("CheckCollectFastener", false), S_OK);
  EXPECT_FALSE(Sensitive("DisplaySelected"));
  // Not recursive: the station's own fastener only, then a product's.
  ASSERT_EQ(Pick({_station}), S_OK);
  EXPECT_THAT(Rows(), ElementsAre("1 W3, B"));
  ASSERT_EQ(Pick({_floor}), S_OK);
  EXPECT_THAT(Rows(), ElementsAre("1 W3, B", "2 W1, A", "3 W2, A"));
  EXPECT_THAT(Selected(), ElementsAre(1, 2));
  EXPECT_EQ(QIVFrmEditor::GetCurrentEditor()->GetCSO()->GetSize(), 2);
  // The same fastener again: no new row, its row selected alone.
  ASSERT_EQ(Pick({_w2}), S_OK);
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_THAT(Selected(), ElementsAre(2));
  // Recursive: the station reaches its welding activity's fastener, which
  // is listed already.
  ASSERT_EQ(Check("CheckCollectFastener", true), S_OK);
  ASSERT_EQ(Pick({_station}), S_OK);
  EXPECT_THAT(Selected(), ElementsAre(0, 1));
  EXPECT_TRUE(Sensitive("RemoveSelected"));

  // Removing renumbers what is left; removing all makes the actions
  // insensitive.
  ASSERT_EQ(Select("MultiListId", {1}), S_OK);
  ASSERT_EQ(Press("RemoveSelected"), S_OK);
  EXPECT_THAT(Rows(), ElementsAre("1 W3, B", "2 W2, A"));
  EXPECT_TRUE(QIVFrmEditor::GetCurrentEditor()->GetCSO()->IsEmpty());
  ASSERT_EQ(Press("SelectAll"), S_OK);
  ASSERT_EQ(Press("RemoveSelected"), S_OK);
  EXPECT_THAT(Rows(), IsEmpty());
  EXPECT_FALSE(Sensitive("RemoveSelected"));
  EXPECT_FALSE(Sensitive("DisplaySelected"));
  ASSERT_EQ(PressDialog(QIVNotificationKind::Close), S_OK);
  EXPECT_EQ(Dispatcher().GetActiveCommand(), nullptr);
}

TEST_F(FastenerIDTest, DisplayedIdentifiersOutliveTheDialogUntilRemovedWithoutATrace) {
  ASSERT_EQ(Deliver(QIVStartEvent{"ZELManageFastenerIDCmd"}), S_OK);
  ASSERT_EQ(Pick({_joint}), S_OK);
  EXPECT_THAT(Rows(), ElementsAre("1 W1, A", "2 W2, A", "3 W3, B"));
  // A query selects the rows it matches instead of the picked ones.
  ASSERT_EQ(Press("Filter"), S_OK);
  ASSERT_EQ(Type("EditorQueryId", "identifier=W1;W*"), S_OK);
  ASSERT_EQ(PressDialog(QIVNotificationKind::Close, "ZELVekBIWCatalogBrowserDlg"), S_OK);
  EXPECT_THAT(Selected(), ElementsAre(0));
  ASSERT_EQ(Select("MultiListId", {0, 2}), S_OK);
  ASSERT_EQ(Press("DisplaySelected"), S_OK);
  ASSERT_EQ(PressDialog(QIVNotificationKind::Close), S_OK);
  ASSERT_EQ(Display().GetPODDisplays().size(), 1u);
  EXPECT_TRUE(Display().IsIdentifierShown(_w1));
  EXPECT_FALSE(Display().IsIdentifierShown(_w2));
  EXPECT_TRUE(Display().IsIdentifierShown(_w3));

  // Picking the identifier display takes its fasteners again.
  ASSERT_EQ(Deliver(QIVStartEvent{"ZELManageFastenerIDCmd"}), S_OK);
  ASSERT_EQ(Pick({QIVBaseUnknown_var(Display().GetPODDisplays().front())}), S_OK);
  EXPECT_THAT(Rows(), ElementsAre("1 W1, A", "2 W3, B"));
  ASSERT_EQ(PressDialog(QIVNotificationKind::WindowClose), S_OK);

  ASSERT_EQ(Deliver(QIVStartEvent{"ZELRemoveFastenerIDCmd"}), S_OK);
  EXPECT_EQ(Dispatcher().GetActiveCommand(), nullptr);
  EXPECT_THAT(Display().GetPODDisplays(), IsEmpty());
  EXPECT_EQ(Display().CountIdentifiersShown(), 0u);
}

TEST_F(FastenerIDTest, PlaceSizeAndRecursiveBoxSurviveARestart) {
  ASSERT_EQ(Deliver(QIVStartEvent{"ZELManageFastenerIDCmd"}), S_OK);
  EXPECT_EQ(Dialog()->GetRectDimensions(), (ZELManageFastenerIDDlg::Rect{100, 100, 420, 360}));
  EXPECT_TRUE(Dialog()->IsRecursive());
  Dialog()->SetRectDimensions({12, 34, 560, 780});
  ASSERT_EQ(Check("CheckCollectFastener", false), S_OK);
  ASSERT_EQ(PressDialog(QIVNotificationKind::Close), S_OK);

  // Another spelling of the folder reads the saved file afresh, as the
  // next run of the program would.
  QIVScopedEnv restarted("BIWPLAN_SETTINGS_DIR", (_folder / ".").c_str());
  ASSERT_EQ(Deliver(QIVStartEvent{"ZELManageFastenerIDCmd"}), S_OK);
  EXPECT_EQ(Dialog()->GetRectDimensions(), (ZELManageFastenerIDDlg::Rect{12, 34, 560, 780}));
  EXPECT_FALSE(Dialog()->IsRecursive());
  ASSERT_EQ(PressDialog(QIVNotificationKind::Close), S_OK);
}

TEST_F(FastenerIDTest, GroupSwitchesShowAndHideTheirIdentifiersOnApply) {
  ASSERT_EQ(Deliver(QIVStartEvent{"ZELVekBIWShowWeldIDCmd"}), S_OK);
  // A fastener has no groups below it: nothing to list, no dialog.
  ASSERT_EQ(Pick({_w1}), S_OK);
  EXPECT_THAT(QIVDialog::VisibleDialogs(), IsEmpty());
  ASSERT_EQ(Pick({_joint}), S_OK);
  ASSERT_EQ(Pick({_joint}), S_OK);
  EXPECT_EQ(Text("EditorSelectedProductId"), "Assembly Joint.1");
  auto rows = [this] { return Cells("MultiListId", {0, 1}); };
  EXPECT_THAT(rows(), ElementsAre("JB-FLOOR No", "JB-SIDE No"));
  ASSERT_EQ(Deliver(QIVWidgetEvent::Activate("MultiListId", 0)), S_OK);
  EXPECT_THAT(rows(), ElementsAre("JB-FLOOR Yes", "JB-SIDE No"));
  ASSERT_EQ(PressDialog(QIVNotificationKind::OK), S_OK);
  EXPECT_TRUE(Display().IsIdentifierShown(_w1) && Display().IsIdentifierShown(_w2));
  EXPECT_FALSE(Display().IsIdentifierShown(_w3));

  ASSERT_EQ(Deliver(QIVWidgetEvent::Activate("MultiListId", 0)), S_OK);
  ASSERT_EQ(Deliver(QIVWidgetEvent::Activate("MultiListId", 1)), S_OK);
  ASSERT_EQ(PressDialog(QIVNotificationKind::OK), S_OK);
  EXPECT_FALSE(Display().IsIdentifierShown(_w1) || Display().IsIdentifierShown(_w2));
  EXPECT_TRUE(Display().IsIdentifierShown(_w3));
  ASSERT_EQ(PressDialog(QIVNotificationKind::Cancel), S_OK);
  EXPECT_EQ(Dispatcher().GetActiveCommand(), nullptr);
}
