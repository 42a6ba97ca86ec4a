#include <gmock/gmock.h>

#include <memory>
#include <vector>

#include "ModuleTestSession.h"
#include "QIVFrmEditor.h"
#include "QIVIPLMObject.h"
#include "ScratchRepository.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWPointFastener.h"
#include "ZELPLMServices.h"
#include "fasteners/ZELBIWFastenerLocationCmd.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Position = std::vector<double>;

namespace {

// Welds published to a repository with saved positions, then moved: W1 was
// saved at 1..6, W2 saved without one, W3 shares W1's identifier, W4 has an
// identifier the repository does not know, W5 was never published, S1 is a
// seam (not a point fastener).
class ZELBIWFastenerLocationCmdTest : public ModuleTestSession {
 protected:
  void SetUp() override {
    ModuleTestSession::SetUp();
    ZELIBIWFPPFactory_var factory = FastenerFactory();
    factory->GetTopGroup(_top);
    w1 = Weld("W1", {1, 2, 3, 4, 5, 6});
    w2 = Weld("W2", {});
    factory->CreateCurveFastener(_top, s1);
    QIVIAlias_var(s1)->SetAlias("S1");
    std::shared_ptr<QIVRepository> repository = _repository.Open();
    ZELPLMServices::PublishDocument(QIVBaseUnknown_var(Document()), *repository);
    QIVFrmEditor::GetCurrentEditor()->SetRepository(repository);
    w3 = Weld("W3", {7, 7, 7, 0, 0, 0});
    QIVIPLMObject_var(w3)->SetPLMID(QIVIPLMObject_var(w1)->GetPLMID());
    w4 = Weld("W4", {8, 8, 8, 0, 0, 0});
    QIVIPLMObject_var(w4)->SetPLMID("PLM-99999999");
    w5 = Weld("W5", {9, 9, 9, 0, 0, 0});
    for (const QIVBaseUnknown_var& moved : {w1, w2})
      Point(moved)->SetManufacturingPosition({5, 5, 5, 0, 0, 0}, false);
  }
  void TearDown() override {
    QIVFrmEditor::GetCurrentEditor()->SetRepository(nullptr);
    _top = w1 = w2 = w3 = w4 = w5 = s1 = nullptr;
    ModuleTestSession::TearDown();
  }

  QIVBaseUnknown_var Weld(const char* name, const Position& manufacturing) {
    QIVBaseUnknown_var weld;
    FastenerFactory()->CreatePointFastener(_top, weld);
    QIVIAlias_var(weld)->SetAlias(name);
    Point(weld)->SetDesignPosition({100, 200, 300, 0, 90, 0});
    QIVRawColldouble values;
    for (double value : manufacturing) values.Append(value);
    Point(weld)->SetManufacturingPosition(values, false);
    return weld;
  }
  static ZELIBIWPointFastener_var Point(const QIVBaseUnknown_var& object) {
    return ZELIBIWPointFastener_var(object);
  }
  static Position Manufacturing(const QIVBaseUnknown_var& weld) {
    QIVRawColldouble values;
    Point(weld)->GetManufacturingPosition(values);
    return Position(values.begin(), values.end());
  }

  // Starts the command in `mode` and picks the welds at once; the names the
  // run modified.
  std::vector<std::string> Reset(const char* mode, std::initializer_list<QIVBaseUnknown_var> welds) {
    EXPECT_EQ(Deliver(QIVStartEvent{"ZELBIWFastenerLocationCmd", std::string(mode)}), S_OK);
    EXPECT_EQ(Pick(welds), S_OK);
    const QIVCommandOutcome* outcome = Dispatcher().GetLastOutcome();
    EXPECT_EQ(outcome->ending, QIVCommandOutcome::Ending::Ended);
    std::vector<std::string> names;
    for (const QIVBaseUnknown_var& object : outcome->modified) names.push_back(NameOf(object));
    return names;
  }

  ScratchRepository _repository{"SQLite"};
  QIVBaseUnknown_var _top, w1, w2, w3, w4, w5, s1;
};

}  // namespace

TEST_F(ZELBIWFastenerLocationCmdTest, SavedModeTakesEachRecordOnceAndSkipsWhatHasNone) {
  // W3 comes first with W1's identifier, so the record goes to W3 alone;
  // W2's record saved no position, which clears the one it has now.
  EXPECT_THAT(Reset("SavedManufacturingPosition", {s1, w3, w1, w2, w4, w5}), ElementsAre("W3", "W2"));
  EXPECT_EQ(Manufacturing(w3), (Position{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Manufacturing(w1), (Position{5, 5, 5, 0, 0, 0}));
  EXPECT_THAT(Manufacturing(w2), IsEmpty());
  EXPECT_EQ(Manufacturing(w4), (Position{8, 8, 8, 0, 0, 0}));
  EXPECT_EQ(Manufacturing(w5), (Position{9, 9, 9, 0, 0, 0}));
}

TEST_F(ZELBIWFastenerLocationCmdTest, DesignModeResetsPointFastenersAndOtherModesNothing) {
  const std::string before = SavedText();
  EXPECT_THAT(Reset("Unknown", {w1, w5}), IsEmpty());
  // The host may hand the factory no text at all.
  auto made =
      QIVBaseUnknown_var::Adopt(QIVDictionary::Instance().Create("ZELBIWFastenerLocationCmd", nullptr));
  EXPECT_EQ(dynamic_cast<ZELBIWFastenerLocationCmd*>(made.get())->GetMode(), "");
  EXPECT_EQ(SavedText(), before);

  EXPECT_THAT(Reset("DesignPosition", {s1, w1, w5}), ElementsAre("W1", "W5"));
  for (const QIVBaseUnknown_var& weld : {w1, w5})
    EXPECT_EQ(Manufacturing(weld), (Position{100, 200, 300, 0, 90, 0}));
}

TEST_F(ZELBIWFastenerLocationCmdTest, CancelAndRevertLeaveTheDocumentAsItWas) {
  const std::string before = SavedText();
  ASSERT_EQ(Deliver(QIVStartEvent{"ZELBIWFastenerLocationCmd", std::string("DesignPosition")}), S_OK);
  EXPECT_EQ(Deliver(QIVCancelEvent{}), S_OK);
  EXPECT_EQ(Dispatcher().GetLastOutcome()->ending, QIVCommandOutcome::Ending::Cancelled);
  EXPECT_EQ(SavedText(), before);

  // What the dispatcher does when an action throws after some welds moved.
  // Run without a dispatcher, the command goes to the delayed destruction
  // queue with its creator's reference when it ends.
  auto* command = new ZELBIWFastenerLocationCmd("DesignPosition");
  command->BuildGraph();
  command->Start();
  ASSERT_TRUE(command->OfferPick({QIVMake<QIVPathElement>(w1.get()), QIVMake<QIVPathElement>(w5.get())}, 0));
  command->Advance();
  ASSERT_NE(SavedText(), before);
  command->Revert();
  EXPECT_EQ(SavedText(), before);
}
