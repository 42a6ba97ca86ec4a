#include <gmock/gmock.h>

#include "AssignWeldTestSupport.h"
#include "assignment/ZELVekBIWCatalogBrowserDlg.h"
#include "assignment/ZELVekBIWMultiSelectCmd.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {
class ZELVekBIWMultiSelectCmdTest : public AssignWeldTest {
 protected:
  // The leaves of the editor's current selection, by name.
  std::vector<std::string> Selection() const {
    std::vector<std::string> names;
    for (const QIVBaseUnknown_var& element : QIVFrmEditor::GetCurrentEditor()->GetCSO()->Elements())
      names.push_back(NameOf(QIVPathElement_var(element)->GetLeaf()));
    return names;
  }
  HRESULT Query(const std::string& text) {
    if (FAILED(Deliver(QIVStartEvent{"ZELVekBIWMultiSelectCmd"}))) return E_FAIL;
    if (!text.empty() && FAILED(Type("EditorQueryId", text))) return E_FAIL;
    return PressDialog(QIVDialog::GetDiaCLOSENotification());
  }
};
}  // namespace

struct QueryCase {
  const char* name;
  const char* query;
  std::vector<std::string> selected;
};

class ZELVekBIWMultiSelectQueryTest : public ZELVekBIWMultiSelectCmdTest,
                                      public ::testing::WithParamInterface<QueryCase> {};

// The selection follows the query result's order, and replaces what was
// selected before, whatever the query.
TEST_P(ZELVekBIWMultiSelectQueryTest, TheQueryResultBecomesTheSelection) {
  QIVFrmEditor::GetCurrentEditor()->GetCSO()->AddElement(QIVMake<QIVPathElement>(_s1.get()).get());
  ASSERT_EQ(Query(GetParam().query), S_OK);
  EXPECT_EQ(Selection(), GetParam().selected);
  EXPECT_EQ(Dispatcher().GetLastOutcome()->ending, QIVCommandOutcome::Ending::Ended);
  EXPECT_THAT(Transcript(), ::testing::Contains("redraw viewer \"MainViewer\""));
}

INSTANTIATE_TEST_SUITE_P(
    Queries, ZELVekBIWMultiSelectQueryTest,
    ::testing::Values(QueryCase{"TwoTerms", "type=spot weld; name=*B", {"W5, B", "W4, B"}},
                      QueryCase{"BareIdentifier", "W2", {"W2, A"}}, QueryCase{"NoMatch", "identifier=X*", {}},
                      QueryCase{"NoQuery", "", {}}, QueryCase{"UnknownAttribute", "colour=red", {}}),
    [](const ::testing::TestParamInfo<QueryCase>& info) { return std::string(info.param.name); });

TEST_F(ZELVekBIWMultiSelectCmdTest, OfFastenersSharingAnIdentifierOnlyTheFirstIsSelected) {
  QIVBaseUnknown_var group;
  _factory->GetTopGroup(group);
  const QIVBaseUnknown_var twin = Point(group, "W1, Z", _side);
  ASSERT_EQ(Query("W1"), S_OK);
  EXPECT_THAT(Selection(), ElementsAre("W1, A"));
}

TEST_F(ZELVekBIWMultiSelectCmdTest, SelectedPathsRunFromTheFeatureRootToTheFastener) {
  ASSERT_EQ(Query("W3"), S_OK);
  const QIVPathElement_var path(QIVFrmEditor::GetCurrentEditor()->GetCSO()->GetElement(1));
  ASSERT_TRUE(path);
  EXPECT_EQ(path->GetLeaf().Identity(), _w3.Identity());
  EXPECT_GT(path->GetSize(), 2);
}

TEST_F(ZELVekBIWMultiSelectCmdTest, TheWindowCloseBoxEndsItAsCloseDoes) {
  ASSERT_EQ(Deliver(QIVStartEvent{"ZELVekBIWMultiSelectCmd"}), S_OK);
  const std::string before = SavedText();
  ASSERT_EQ(Type("EditorQueryId", "W5"), S_OK);
  ASSERT_EQ(PressDialog(QIVDialog::GetWindCloseNotification()), S_OK);
  EXPECT_EQ(Dispatcher().GetCommandCount(), 0);
  EXPECT_THAT(Selection(), ElementsAre("W5, B"));
  EXPECT_EQ(SavedText(), before);
}
