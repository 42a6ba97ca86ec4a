#include <gtest/gtest.h>

#include "CommandTestSupport.h"
#include "QIVDictionary.h"
#include "QIVPathElementAgent.h"

namespace {

// An interface offered to products only through an extension of their
// late type, as the property editors are.
class ITestLabelled : public QIVInterface<ITestLabelled> {
 public:
  static constexpr const char* InterfaceName = "ITestLabelled";
};

class TestLabelExtension : public ITestLabelled {};

// An interface nobody names before an agent asks for it by name.
class ITestLate : public QIVInterface<ITestLate> {
 public:
  static constexpr const char* InterfaceName = "ITestLate";
};

class TestLate : public ITestLate {};

const bool Registered = QIVDictionary::Instance().RegisterExtension(
    "TestProduct", "ITestLabelled",
    [](QIVBaseUnknown*) -> QIVBaseUnknown* { return new TestLabelExtension(); });

class QIVPathElementAgentTest : public ::testing::Test {
 protected:
  void TearDown() override {
    _agent = nullptr;
    _product = nullptr;
    _welds.clear();
    EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), _liveAtStart);
  }
  std::vector<QIVPathElement_var> Picked(int welds, bool withProduct = false) {
    std::vector<QIVPathElement_var> paths;
    for (int i = 1; i <= welds; ++i) {
      _welds.push_back(QIVMake<TestWeld>(i));
      paths.push_back(PathOf({_product.get(), _welds.back().get()}));
    }
    if (withProduct) paths.push_back(PathOf({_product.get()}));
    return paths;
  }

  long _liveAtStart = QIVBaseUnknown::LiveObjectCount();
  QIVVar<TestProduct> _product = QIVMake<TestProduct>("Body");
  std::vector<QIVVar<TestWeld>> _welds;
  QIVPathElementAgent_var _agent = QIVMake<QIVPathElementAgent>("Agent");
};

TEST_F(QIVPathElementAgentTest, ElementTypesAreInterfacesByIdentifierOrNameAndNoneTakesAnything) {
  EXPECT_TRUE(_agent->AcceptsElementType(_product.get()));
  EXPECT_FALSE(_agent->AcceptsElementType(nullptr));

  _agent->SetElementType(ITestWeld::ClassId());
  EXPECT_FALSE(_agent->AcceptsElementType(_product.get()));
  _agent->AddElementType(ITestProduct::ClassName());
  EXPECT_TRUE(_agent->AcceptsElementType(_product.get()));

  _agent->SetElementType("ITestLate");
  QIVVar<TestLate> late = QIVMake<TestLate>();
  EXPECT_STREQ(ITestLate::ClassName(), "ITestLate");
  EXPECT_TRUE(_agent->AcceptsElementType(late.get()));

  _agent->SetElementType("ITestLabelled");
  EXPECT_TRUE(_agent->AcceptsElementType(_product.get()));  // through the extension
  EXPECT_FALSE(_agent->AcceptsElementType(QIVMake<TestWeld>(1).get()));
  _agent->SetElementType("INeverDeclared");
  EXPECT_FALSE(_agent->AcceptsElementType(_product.get()));
}

TEST_F(QIVPathElementAgentTest, ASinglePickAgentTakesTheFirstAcceptedPathAMultiPickOneAllOfThem) {
  _agent->SetElementType(ITestWeld::ClassName());
  std::vector<QIVPathElement_var> picked = Picked(3, true);
  EXPECT_EQ(_agent->SelectAcceptedPaths(picked).size(), 1u);

  _agent->SetBehavior(0x840800);
  std::vector<QIVPathElement_var> accepted = _agent->SelectAcceptedPaths(picked);
  ASSERT_EQ(accepted.size(), 3u);
  EXPECT_TRUE(accepted[2] == picked[2]);
  EXPECT_FALSE(_agent->IsOutputSet());

  ASSERT_TRUE(_agent->ValuateFromPick(accepted, QIVPickModifier::Extend));
  EXPECT_EQ(_agent->GetListOfValues().Size(), 3);
  EXPECT_TRUE(_agent->GetElementValue() == picked[2]);
  EXPECT_EQ(QIVVar<ITestWeld>(_agent->GetValue())->GetNumber(), 3);
  EXPECT_TRUE(_agent->IsExtendSelection());
}

TEST_F(QIVPathElementAgentTest, TheFilterSeesTheCandidateAsValueAndTheHeldValueComesBack) {
  std::vector<int> seen;
  QIVAcquisitionFilter evenOnly([&](QIVDialogAgent* agent) {
    auto* pathAgent = static_cast<QIVPathElementAgent*>(agent);
    const int number = QIVVar<ITestWeld>(pathAgent->GetValue())->GetNumber();
    seen.push_back(number);
    return agent->IsOutputSet() && number % 2 == 0;
  });
  _agent->SetBehavior(QIVAgentBehavior::MultiAcquisition | QIVAgentBehavior::Repeat);
  std::vector<QIVPathElement_var> picked = Picked(4);
  _agent->ValuateFromPick({picked[0]}, 0);
  _agent->SetFilter(&evenOnly);

  std::vector<QIVPathElement_var> accepted = _agent->SelectAcceptedPaths(picked);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4}));
  ASSERT_EQ(accepted.size(), 2u);
  EXPECT_TRUE(accepted[0] == picked[1]);
  EXPECT_TRUE(_agent->GetElementValue() == picked[0]);
  EXPECT_TRUE(_agent->IsOutputSet());
}

TEST_F(QIVPathElementAgentTest, AValuedAgentTakesNoMoreUntilRearmedUnlessItRepeats) {
  std::vector<QIVPathElement_var> picked = Picked(2);
  EXPECT_FALSE(_agent->ValuateFromPick({}, 0));
  EXPECT_TRUE(_agent->ValuateFromPick({picked[0]}, QIVPickModifier::Extend));
  EXPECT_FALSE(_agent->ValuateFromPick({picked[1]}, 0));
  EXPECT_TRUE(_agent->GetElementValue() == picked[0]);

  _agent->InitializeAcquisition();
  EXPECT_FALSE(_agent->IsOutputSet());
  EXPECT_EQ(_agent->GetListOfValues().Size(), 0);
  EXPECT_FALSE(_agent->IsExtendSelection());
  EXPECT_TRUE(_agent->GetValue().IsNull());

  _agent->SetBehavior(QIVAgentBehavior::Repeat);
  EXPECT_TRUE(_agent->ValuateFromPick({picked[0]}, 0));
  EXPECT_TRUE(_agent->ValuateFromPick({picked[1]}, 0));
  EXPECT_TRUE(_agent->GetElementValue() == picked[1]);
}

TEST_F(QIVPathElementAgentTest, SettingAValueByObjectMakesAPathOfIt) {
  _agent->SetValue(_product.get());
  EXPECT_TRUE(_agent->IsOutputSet());
  EXPECT_EQ(_agent->GetElementValue()->GetSize(), 1);
  EXPECT_TRUE(_agent->GetValue() == _product);
  QIVPathElement_var path = PathOf({_product.get()});
  _agent->SetValue(static_cast<QIVBaseUnknown*>(path.get()));
  EXPECT_TRUE(_agent->GetElementValue() == path);
}

}  // namespace
