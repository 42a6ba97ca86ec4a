#include <gtest/gtest.h>

#include "JournalWidgetRef.h"

TEST(JournalWidgetRefTest, NameOrPathFromTheDialog) {
  QIVUnicodeString reason;
  const auto name = JournalWidgetRef::Parse("EditorTextPathId", reason);
  ASSERT_TRUE(name);
  EXPECT_FALSE(name->IsPath());
  EXPECT_EQ(name->GetName(), "EditorTextPathId");
  EXPECT_EQ(name->Format(), "EditorTextPathId");

  const auto path =
      JournalWidgetRef::Parse("ZELVekBIWAssignWeldDlg/FrameAccountabilityId/EditorWeldsOptionId", reason);
  ASSERT_TRUE(path);
  EXPECT_TRUE(path->IsPath());
  EXPECT_EQ(path->GetPath(), (std::vector<QIVUnicodeString>{"ZELVekBIWAssignWeldDlg", "FrameAccountabilityId",
                                                            "EditorWeldsOptionId"}));
  EXPECT_EQ(path->GetName(), "EditorWeldsOptionId");
  EXPECT_EQ(path->Format(), "ZELVekBIWAssignWeldDlg/FrameAccountabilityId/EditorWeldsOptionId");
  EXPECT_EQ(JournalWidgetRef().GetName(), "");
}

TEST(JournalWidgetRefTest, RefusesEmptyNames) {
  for (const char* text : {"", "/", "Dlg/", "/Widget", "Dlg//Widget"}) {
    QIVUnicodeString reason;
    EXPECT_FALSE(JournalWidgetRef::Parse(text, reason)) << text;
    EXPECT_EQ(reason, "bad widget reference '" + QIVUnicodeString(text) + "': empty widget name");
  }
}
