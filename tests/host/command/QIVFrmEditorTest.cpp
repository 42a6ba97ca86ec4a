#include <gtest/gtest.h>

#include "CommandTestSupport.h"
#include "QIVFrmEditor.h"

namespace {

TEST(QIVFrmEditorTest, EachEditorOwnsItsSelectionAndHighlight) {
  const long before = QIVBaseUnknown::LiveObjectCount();
  {
    QIVVar<QIVFrmEditor> first = QIVMake<QIVFrmEditor>(QIVMake<QIVBaseUnknown>());
    QIVVar<QIVFrmEditor> second = QIVMake<QIVFrmEditor>(QIVBaseUnknown_var());
    QIVFrmEditor::SetCurrentEditor(first.get());
    QIVVar<TestWeld> weld = QIVMake<TestWeld>(1);
    QIVFrmEditor::GetCurrentEditor()->GetCSO()->AddElement(PathOf({weld.get()}).get());
    EXPECT_EQ(first->GetCSO()->GetSize(), 1);
    EXPECT_EQ(first->GetHSO()->GetSize(), 0);
    EXPECT_EQ(second->GetCSO()->GetSize(), 0);

    QIVFrmEditor::SetCurrentEditor(second.get());
    EXPECT_EQ(QIVFrmEditor::GetCurrentEditor(), second.get());
    QIVFrmEditor::SetCurrentEditor(nullptr);
    EXPECT_EQ(QIVFrmEditor::GetCurrentEditor(), nullptr);
  }
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
}

}  // namespace
