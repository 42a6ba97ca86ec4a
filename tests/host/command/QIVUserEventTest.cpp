#include <gtest/gtest.h>

#include "CommandTestSupport.h"
#include "QIVUserEvent.h"

namespace {

TEST(QIVUserEventTest, EachEventFormatsAsTheLineThatPlaysIt) {
  using E = QIVWidgetEvent;
  const std::pair<QIVUserEvent, const char*> cases[] = {
      {QIVStartEvent("ZELVekBIWReadWeldFromFileCmd"), "start ZELVekBIWReadWeldFromFileCmd"},
      {QIVStartEvent("ZELBIWFastenerLocationCmd", std::string("DesignPosition")),
       "start ZELBIWFastenerLocationCmd DesignPosition"},
      {E::Type("EditorTextPathId", "examples/floor welds.txt"),
       "type EditorTextPathId \"examples/floor welds.txt\""},
      {E::Type("EditorId", ""), "type EditorId \"\""},
      {E::Press("PushButtonAssignId"), "press PushButtonAssignId"},
      {E::PressDialog("OK"), "press OK"},
      {E::PressDialog("Close", "ZELVekBIWCatalogBrowserDlg"), "press ZELVekBIWCatalogBrowserDlg/Close"},
      {E::Choose("ComboActivityId", 2), "choose ComboActivityId 2"},
      {E::Select("SelectListLeftId", {0, 3}), "select SelectListLeftId 0 3"},
      {E::Select("SelectListLeftId", {}), "select SelectListLeftId"},
      {E::Activate("SelectListRightId", 1), "activate SelectListRightId 1"},
      {E::Check("CheckAllProductId", true), "check CheckAllProductId on"},
      {E::Check("CheckAllProductId", false), "check CheckAllProductId off"},
      {E::Tab("TabContainerId", "TabPageAccountabilityId"), "tab TabContainerId TabPageAccountabilityId"},
      {E::File("out.xml"), "file out.xml"},
      {E::FileCancel(), "file cancel"},
      {E::FocusOut("EditorTextPathId"), "focusout EditorTextPathId"},
      {QIVCancelEvent{}, "cancel"},
  };
  for (const auto& [event, line] : cases) EXPECT_EQ(QIVFormatEvent(event), line);
}

TEST(QIVUserEventTest, PicksNameTheirObjectsByLabelOrByPath) {
  QIVVar<TestProduct> body = QIVMake<TestProduct>("Body");
  QIVVar<TestWeld> weld = QIVMake<TestWeld>(1);
  QIVPickEvent labelled({PathOf({body.get(), weld.get()})}, QIVPickModifier::Extend, {"fastener:W0012, A"});
  EXPECT_TRUE(labelled.Extends());
  EXPECT_EQ(labelled.Format(), "pick+ \"fastener:W0012, A\"");
  QIVPickEvent plain({PathOf({body.get(), weld.get()}), PathOf({body.get()})});
  EXPECT_EQ(plain.Format(), "pick TestProduct/TestWeld TestProduct");
}

}  // namespace
