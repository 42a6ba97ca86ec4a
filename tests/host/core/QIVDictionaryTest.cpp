#include "QIVDictionary.h"

#include <gtest/gtest.h>

#include "QIVBaseUnknown.h"
#include "QIVVar.h"

namespace {
class Widget : public QIVBaseUnknown {
 public:
  explicit Widget(void* argument = nullptr) : argument(argument) {}
  void* argument;
};
QIVBaseUnknown* CreateWidget() { return new Widget; }
QIVBaseUnknown* CreateWidgetWith(void* argument) { return new Widget(argument); }
QIVBaseUnknown* CreateOther() { return nullptr; }
}  // namespace

TEST(QIVDictionaryTest, FactoriesByNameOnceAndInOrder) {
  QIVDictionary& dictionary = QIVDictionary::Instance();
  const std::size_t before = dictionary.FactoryCount();
  static int counterA = 0, counterB = 0;
  for (int load = 0; load < 3; ++load) {
    QIVFillDictionary a("DictTestWidget", &CreateWidget, &counterA);
    QIVFillDictionary b("DictTestWidgetWith", &CreateWidgetWith, &counterB);
  }
  EXPECT_EQ(dictionary.FactoryCount(), before + 2);
  // A second registration of a known name keeps the first factory.
  EXPECT_FALSE(dictionary.RegisterFactory("DictTestWidget", &CreateOther));

  auto names = dictionary.FactoryNames();
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[names.size() - 2], "DictTestWidget");
  EXPECT_EQ(names.back(), "DictTestWidgetWith");

  int argument = 5;
  auto plain = QIVVar<QIVBaseUnknown>::Adopt(dictionary.Create("DictTestWidget", &argument));
  ASSERT_TRUE(plain);
  EXPECT_EQ(dynamic_cast<Widget*>(plain.get())->argument, nullptr);
  auto with = QIVVar<QIVBaseUnknown>::Adopt(dictionary.Create("DictTestWidgetWith", &argument));
  EXPECT_EQ(dynamic_cast<Widget*>(with.get())->argument, &argument);
  EXPECT_EQ(dictionary.Create("NoSuchClass"), nullptr);
  EXPECT_EQ(dictionary.FindFactory("NoSuchClass"), nullptr);
}

