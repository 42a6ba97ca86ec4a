#include <gtest/gtest.h>

#include "CommandTestSupport.h"
#include "QIVPathElement.h"

namespace {

class QIVPathElementTest : public ::testing::Test {
 protected:
  void SetUp() override { _liveAtStart = QIVBaseUnknown::LiveObjectCount(); }
  void TearDown() override { EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), _liveAtStart); }
  long _liveAtStart = 0;
};

TEST_F(QIVPathElementTest, WalksFromTheLeafUpAndFromTheTopDown) {
  QIVVar<TestProduct> body = QIVMake<TestProduct>("Body");
  QIVVar<TestProduct> floor = QIVMake<TestProduct>("Floor");
  QIVVar<TestWeld> weld = QIVMake<TestWeld>(12);
  QIVPathElement_var path = PathOf({body.get(), floor.get(), weld.get()});

  path->InitToLeafElement();
  EXPECT_TRUE(path->NextFatherElement() == weld);
  EXPECT_TRUE(path->NextFatherElement() == floor);
  EXPECT_TRUE(path->NextFatherElement() == body);
  EXPECT_TRUE(path->NextFatherElement().IsNull());
  EXPECT_TRUE(path->NextFatherElement().IsNull());

  path->InitToTopElement();
  EXPECT_TRUE(path->NextChildElement() == body);
  path->InitToLeafElement();
  path->NextFatherElement();
  path->AddFatherElement(QIVMake<TestProduct>("Plant").get());
  EXPECT_TRUE(path->NextFatherElement() == floor);  // the walk keeps its place
  EXPECT_EQ(path->GetSize(), 4);
  EXPECT_EQ(QIVVar<ITestProduct>(path->GetRoot())->GetProductName(), "Plant");
  EXPECT_TRUE((*path)[3] == weld);
  EXPECT_TRUE((*path)[4].IsNull());
}

TEST_F(QIVPathElementTest, FindsTheObjectNearestTheLeafOfferingAnInterface) {
  QIVVar<TestProduct> body = QIVMake<TestProduct>("Body");
  QIVVar<TestProduct> floor = QIVMake<TestProduct>("Floor");
  QIVVar<TestWeld> weld = QIVMake<TestWeld>(12);
  QIVPathElement_var path = PathOf({body.get(), floor.get(), weld.get()});

  QIVVar<ITestProduct> product = path->FindFromLeaf<ITestProduct>();
  ASSERT_TRUE(product);
  EXPECT_EQ(product->GetProductName(), "Floor");
  EXPECT_TRUE(path->FindFromLeaf(ITestWeld::ClassId()) == weld);
  EXPECT_TRUE(PathOf({body.get()})->FindFromLeaf<ITestWeld>().IsNull());
  EXPECT_TRUE(QIVPathElement().GetLeaf().IsNull());
}

TEST_F(QIVPathElementTest, PathsThroughTheSameObjectsAreTheSame) {
  QIVVar<TestProduct> body = QIVMake<TestProduct>("Body");
  QIVVar<TestWeld> weld = QIVMake<TestWeld>(1);
  QIVPathElement_var first = PathOf({body.get(), weld.get()});
  QIVPathElement_var second = PathOf({body.get(), weld.get()});
  EXPECT_TRUE(first->SameObjects(*second));
  EXPECT_EQ(first->Hash(), second->Hash());
  EXPECT_FALSE(first->SameObjects(*PathOf({weld.get()})));
  EXPECT_EQ(first->Format(), "TestProduct/TestWeld");
  EXPECT_EQ(QIVPathElement(std::vector<QIVBaseUnknown_var>{nullptr, weld}).GetSize(), 1);
}

}  // namespace
