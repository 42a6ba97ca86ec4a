#include <gmock/gmock.h>

#include "ManufAssemblyFlowTestSupport.h"
#include "QIVDlgEditor.h"
#include "QIVDlgPushButton.h"
#include "QIVDlgRadioButton.h"
#include "QIVISPPActivityRoot.h"
#include "QIVISPPProcessContainer.h"
#include "ZELIUpdateManufAssly.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {
// Stands in for the command: hears what the panel tells its father.
class SignalRecorder : public QIVCommand {
 public:
  bool ReceiveNotification(const QIVNotification& notification) override {
    heard.push_back(notification.kind + (notification.sender == expectedSender ? "" : " from elsewhere"));
    return true;
  }
  std::vector<std::string> heard;
  QIVCommand* expectedSender = nullptr;
};

class ZELBIWUpdateManufAssemblyPanelTest : public ManufAssemblyFlowTest {
 protected:
  void TearDown() override {
    if (_panel) _panel->RequestDelayedDestruction();
    _panel = nullptr;
    _recorder = nullptr;
    ManufAssemblyFlowTest::TearDown();
  }

  // A shown panel whose father is the recorder.
  ZELBIWUpdateManufAssemblyPanel* Open() {
    _recorder = QIVMake<SignalRecorder>();
    _panel = new ZELBIWUpdateManufAssemblyPanel("ManufAssly", 0);
    _panel->SetFather(_recorder.get());
    _recorder->expectedSender = _panel;
    _panel->SetVisibility(QIVDlgShow);
    return _panel;
  }
  template <class T>
  T* Widget(const char* name) const {
    return _panel->Find<T>(name);
  }
  bool Checked(const char* radioButton) const { return Widget<QIVDlgRadioButton>(radioButton)->GetState(); }
  bool Sensitive(const char* widget) const {
    return Widget<QIVDialog>(widget)->GetSensitivity() == QIVDlgEnable;
  }
  void UserCheck(const char* radioButton) { Widget<QIVDlgRadioButton>(radioButton)->UserCheck(true); }
  ZELIUpdateManufAssly_var Automatic() const { return ZELIUpdateManufAssly_var(Root()); }

  ZELBIWUpdateManufAssemblyPanel* _panel = nullptr;
  QIVVar<SignalRecorder> _recorder;
};
}  // namespace

TEST_F(ZELBIWUpdateManufAssemblyPanelTest, SelectedModeWithoutAnActivityWaitsForOneBeforeUpdating) {
  Open();
  UserCheck("RBSelectedActivity");
  EXPECT_TRUE(Sensitive("EditSelectedActivity"));
  EXPECT_FALSE(Sensitive("ButtonUpdate"));
  _panel->DisplayActivity("Load parts");
  EXPECT_EQ(Widget<QIVDlgEditor>("EditSelectedActivity")->GetText(), "Load parts");
  EXPECT_TRUE(Sensitive("ButtonUpdate"));

  UserCheck("RBAllActivities");
  EXPECT_FALSE(Sensitive("EditSelectedActivity"));
  EXPECT_TRUE(Sensitive("ButtonUpdate"));
  // With a name already shown, the selected mode keeps the button.
  UserCheck("RBSelectedActivity");
  EXPECT_TRUE(Sensitive("ButtonUpdate"));
}

TEST_F(ZELBIWUpdateManufAssemblyPanelTest, TheAutomaticUpdateButtonsSwitchTheProcessFlag) {
  Open();
  UserCheck("RBActivateAuto");
  EXPECT_TRUE(Automatic()->IsAutomaticUpdate());
  UserCheck("RBDeactivateAuto");
  EXPECT_FALSE(Automatic()->IsAutomaticUpdate());
  UserCheck("RBActivateAuto");
  EXPECT_TRUE(Automatic()->IsAutomaticUpdate());
  EXPECT_THAT(_recorder->heard, IsEmpty()) << "the command hears nothing of it";
}

TEST_F(ZELBIWUpdateManufAssemblyPanelTest, WithoutAProcessTheFlagStaysOffAndTheButtonsChangeNothing) {
  QIVISPPProcessContainer_var container;
  {
    QIVBaseUnknown_var held;
    Document()->GetProcessContainer(held);
    container = QIVISPPProcessContainer_var(held);
  }
  ASSERT_EQ(container->RemoveProcess(Root()), S_OK);
  QIVISPPActivityRoot_var found;
  EXPECT_EQ(ZELBIWUpdateManufAssemblyPanel::GetRootProcess(found), E_FAIL);
  Open();
  EXPECT_TRUE(Checked("RBDeactivateAuto"));
  UserCheck("RBActivateAuto");
  EXPECT_TRUE(Checked("RBActivateAuto"));
  EXPECT_TRUE(container->GetProcesses().IsEmpty());
}

// Through the command: the panel's signals move it between its states.
TEST_F(ZELBIWUpdateManufAssemblyPanelTest, TheCommandFollowsThePanelsModes) {
  ZELBIWUpdateManufAssemblyCmd* command = Start();
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->GetCurrentState()->GetName(), "InitialState");
  ASSERT_EQ(Check("RBSelectedActivity"), S_OK);
  EXPECT_EQ(command->GetCurrentState()->GetName(), "SelectActivity");
  EXPECT_TRUE(command->GetPanel()->Find<QIVDialog>("ButtonUpdate")->GetSensitivity() == QIVDlgEnable);
  ASSERT_EQ(Check("RBAllActivities"), S_OK);
  EXPECT_EQ(command->GetCurrentState()->GetName(), "InitialState");
  ASSERT_EQ(Check("RBSelectedActivity"), S_OK);
  ASSERT_EQ(Check("RBAllActivities"), S_OK);
  EXPECT_EQ(command->GetCurrentState()->GetName(), "InitialState");
  ASSERT_EQ(PressDialog(QIVNotificationKind::WindowClose), S_OK);
  EXPECT_EQ(Command(), nullptr);
}
