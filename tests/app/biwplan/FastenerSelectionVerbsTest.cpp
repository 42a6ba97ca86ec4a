#include <gmock/gmock.h>

#include "BiwplanVerbTest.h"
#include "BiwplanVerbs.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"

using ::testing::HasSubstr;

namespace {

// biwplan select on the sample document with four fasteners: spot welds
// W1 to W3 and a sealant bead S1, all in the top group.
class FastenerSelectionVerbsTest : public BiwplanVerbTest {
 protected:
  FastenerSelectionVerbsTest() : BiwplanVerbTest("biwplan-select-", &AddSelectionVerbs) {}
  void SetUp() override {
    BiwplanVerbTest::SetUp();
    BiwplanSession session;
    ASSERT_TRUE(BiwplanOpen(session, _path));
    QIVBaseUnknown_var container, top, weld;
    session.Document()->GetFeatureContainer(container);
    ZELIBIWFPPFactory_var factory(container);
    factory->GetTopGroup(top);
    for (const char* name : {"W1, A", "W2, A", "W3, B", "S1"}) {
      factory->CreatePointFastener(top, weld);
      QIVIAlias_var(weld)->SetAlias(name);
      ZELIBIWFastener_var(weld)->SetType(name[0] == 'S' ? "sealant" : "spot weld");
    }
    ASSERT_TRUE(BiwplanSave(session));
  }
};

}  // namespace

TEST_F(FastenerSelectionVerbsTest, PrintsWhatTheQuerySelectsAndChangesNothing) {
  const std::string before = DocumentText();
  ASSERT_EQ(Run("select", {"--query", "type=spot weld; name=*A", "--format", "csv"}), BiwplanExit::Ok) << _err;
  EXPECT_EQ(_out, "Identifier,Name,Type\nW1,\"W1, A\",spot weld\nW2,\"W2, A\",spot weld\n");
  EXPECT_EQ(DocumentText(), before);
}

TEST_F(FastenerSelectionVerbsTest, NothingSelectedExitsFourWithTheBrowsersReason) {
  EXPECT_EQ(Run("select", {"--query", "identifier=X*"}), BiwplanExit::NothingToDo);
  EXPECT_THAT(_err, HasSubstr("0 fasteners match"));
  EXPECT_EQ(Run("select", {"--query", "colour=red"}), BiwplanExit::NothingToDo);
  EXPECT_THAT(_err, HasSubstr("Unknown attribute: colour"));
}
