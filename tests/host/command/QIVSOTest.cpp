#include <gtest/gtest.h>

#include "CommandTestSupport.h"
#include "QIVSO.h"

namespace {

class QIVSOTest : public ::testing::Test {
 protected:
  QIVVar<TestProduct> _body = QIVMake<TestProduct>("Body");
  std::vector<QIVVar<TestWeld>> _welds = {QIVMake<TestWeld>(1), QIVMake<TestWeld>(2), QIVMake<TestWeld>(3)};
  QIVCSO _set;
};

TEST_F(QIVSOTest, KeepsAddingOrderAndTakesEachObjectOrPathOnce) {
  for (const QIVVar<TestWeld>& weld : _welds)
    EXPECT_TRUE(_set.AddElement(PathOf({_body.get(), weld.get()}).get()));
  EXPECT_FALSE(_set.AddElement(PathOf({_body.get(), _welds[1].get()}).get()));
  EXPECT_TRUE(_set.AddElement(_body.get()));
  EXPECT_FALSE(_set.AddElement(_body.get()));
  EXPECT_FALSE(_set.AddElement(nullptr));

  ASSERT_EQ(_set.GetSize(), 4);
  EXPECT_TRUE(QIVPathElement_var(_set.GetElement(2))->GetLeaf() == _welds[1]);
  EXPECT_TRUE(_set.GetElement(4) == _body);
  EXPECT_TRUE(_set.GetElement(0).IsNull());
  EXPECT_TRUE(_set.GetElement(5).IsNull());
  EXPECT_TRUE(_set.Contains(PathOf({_body.get(), _welds[2].get()}).get()));
  EXPECT_FALSE(_set.Contains(PathOf({_welds[2].get()}).get()));
}

TEST_F(QIVSOTest, RemovingDuringAWalkKeepsTheWalkOnTheNextElement) {
  for (const QIVVar<TestWeld>& weld : _welds) _set.AddElement(weld.get());
  _set.InitElementList();
  EXPECT_TRUE(_set.NextElement() == _welds[0]);
  EXPECT_TRUE(_set.RemoveElement(_welds[0].get()));
  EXPECT_FALSE(_set.RemoveElement(_welds[0].get()));
  EXPECT_TRUE(_set.NextElement() == _welds[1]);
  EXPECT_TRUE(_set.RemoveElement(_welds[2].get()));
  EXPECT_TRUE(_set.NextElement().IsNull());

  EXPECT_TRUE(_set.AddElement(_welds[2].get()));
  EXPECT_TRUE(_set.RemoveElement(_welds[1].get()));
  EXPECT_TRUE(_set.Contains(_welds[2].get()));  // positions moved with the removal
  EXPECT_TRUE(_set.RemoveElement(_welds[2].get()));
  EXPECT_TRUE(_set.IsEmpty());
}

TEST_F(QIVSOTest, EmptyingReleasesTheElements) {
  const long before = QIVBaseUnknown::LiveObjectCount();
  _set.AddElement(PathOf({QIVMake<TestWeld>(9).get()}).get());
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before + 2);
  _set.Empty();
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
  EXPECT_EQ(_set.GetSize(), 0);
}

}  // namespace
