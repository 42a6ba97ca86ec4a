#include "QIVBaseUnknown.h"

#include <gtest/gtest.h>

#include "QIVDictionary.h"
#include "QIVVar.h"

namespace {

class ITestShape : public QIVInterface<ITestShape> {
 public:
  static constexpr const char* InterfaceName = "ITestShape";
  virtual int Corners() const = 0;
};

class ITestColour : public QIVInterface<ITestColour> {
 public:
  static constexpr const char* InterfaceName = "ITestColour";
  virtual int Colour() const = 0;
};

class ITestLabel : public QIVInterface<ITestLabel> {
 public:
  static constexpr const char* InterfaceName = "ITestLabel";
  virtual int LabelOf() const = 0;
};

class TestSquare : public ITestShape, public ITestColour {
 public:
  int Corners() const override { return 4; }
  int Colour() const override { return 7; }
  const char* IsA() const override { return "TestSquare"; }
};

class TestTriangle : public ITestShape {
 public:
  int Corners() const override { return 3; }
  const char* IsA() const override { return "TestTriangle"; }
};

// An extension that gives every TestTriangle a label.
class TestTriangleLabel : public ITestLabel {
 public:
  explicit TestTriangleLabel(QIVBaseUnknown* extended) : _extended(extended) {}
  int LabelOf() const override { return QIVVar<ITestShape>(_extended)->Corners() * 10; }

 private:
  QIVBaseUnknown_var _extended;
};

QIVBaseUnknown* MakeTriangleLabel(QIVBaseUnknown* extended) { return new TestTriangleLabel(extended); }

}  // namespace

TEST(QIVBaseUnknownTest, OneCountForAllInterfacesAndReleaseFrees) {
  const long before = QIVBaseUnknown::LiveObjectCount();
  {
    QIVVar<ITestShape> shape = QIVMake<TestSquare>();
    EXPECT_EQ(shape->RefCount(), 1u);
    QIVVar<ITestColour> colour(shape);  // queried: another interface, same object
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->Colour(), 7);
    EXPECT_EQ(shape->RefCount(), 2u);
    EXPECT_TRUE(shape == colour);
    QIVBaseUnknown_var base(shape);
    EXPECT_EQ(shape->RefCount(), 3u);
    EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before + 1);
  }
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
}

TEST(QIVBaseUnknownTest, QueryOfMissingInterfaceGivesEmptyHandle) {
  QIVVar<ITestShape> triangle = QIVMake<TestTriangle>();
  QIVVar<ITestColour> colour(triangle);
  EXPECT_FALSE(colour);
  EXPECT_EQ(triangle->RefCount(), 1u);
  void* raw = reinterpret_cast<void*>(1);
  EXPECT_EQ(triangle->QueryInterface(ITestColour::ClassId(), &raw), E_NOINTERFACE);
  EXPECT_EQ(raw, nullptr);
  QIVVar<ITestColour> fromNull(static_cast<ITestShape*>(nullptr));
  EXPECT_FALSE(fromNull);
}

TEST(QIVBaseUnknownTest, ExtensionRegisteredForLateTypeAnswersQueries) {
  static int loadCounter = 0;
  QIVFillDictionary registration("TestTriangle", "ITestLabel", &MakeTriangleLabel, &loadCounter);
  QIVFillDictionary again("TestTriangle", "ITestLabel", &MakeTriangleLabel, &loadCounter);
  EXPECT_EQ(loadCounter, 2);

  const long before = QIVBaseUnknown::LiveObjectCount();
  {
    QIVVar<ITestShape> triangle = QIVMake<TestTriangle>();
    // Asked again once the triangle's own answer (none) is remembered: the
    // extension still answers, each time with a new extension object.
    for (int round = 0; round < 2; ++round) {
      QIVVar<ITestLabel> label(triangle);
      ASSERT_TRUE(label);
      EXPECT_EQ(label->LabelOf(), 30);
      EXPECT_EQ(label->RefCount(), 1u);
      EXPECT_EQ(static_cast<void*>(label.get()), ITestLabel::ClassId().cast(label.Identity()));
      EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before + 2);
    }
    EXPECT_EQ(triangle->RefCount(), 1u);
    QIVVar<ITestLabel> squareLabel(QIVMake<TestSquare>());
    EXPECT_FALSE(squareLabel);  // the extension is bound to the late type only
  }
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
}

