#include "ZELFastenerDisplay.h"

#include <gtest/gtest.h>

#include "../model/ModelTestDocument.h"
#include "QIVTranscript.h"
#include "ZELIBIWFPPFactory.h"

namespace {

class ZELFastenerDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ZELFastenerDisplay::Instance().Reset();
    QIVBaseUnknown_var container, top;
    model.document->GetFeatureContainer(container);
    ZELIBIWFPPFactory_var factory(container);
    factory->GetTopGroup(top);
    for (QIVBaseUnknown_var* weld : {&a, &b, &c}) factory->CreatePointFastener(top, *weld);
  }
  void TearDown() override { ZELFastenerDisplay::Instance().Reset(); }

  ModelTestDocument model;
  QIVBaseUnknown_var a, b, c;
  ZELFastenerDisplay& display = ZELFastenerDisplay::Instance();
};

TEST_F(ZELFastenerDisplayTest, WeldPointsAreShownUntilHidden) {
  EXPECT_TRUE(display.IsWeldPointShown(a));
  ZELFastenerDisplay::HideShowWeldPointsInList({a, c}, false);
  QIVListValQIVBaseUnknown_var visible;
  ZELFastenerDisplay::CheckVisualizationOfR7Welds({c, b, a}, visible, 0);
  ASSERT_EQ(visible.Size(), 1);
  EXPECT_EQ(visible[1], b);
  ZELFastenerDisplay::HideShowWeldPointsInList({c}, true);
  EXPECT_EQ(display.CountWeldPointsHidden(), 1u);
}

TEST_F(ZELFastenerDisplayTest, IdentifiersAndHighlightAreKeptPerFastener) {
  ZELFastenerDisplay::ShowWeldIDs({a, b}, true);
  ZELFastenerDisplay::ShowWeldIDs({b}, false);
  EXPECT_TRUE(display.IsIdentifierShown(a));
  EXPECT_FALSE(display.IsIdentifierShown(b));
  ZELFastenerDisplay::ActivateListWeldVisualization({b, c});
  ZELFastenerDisplay::ActivateListWeldVisualization({c});
  EXPECT_FALSE(display.IsHighlighted(b));
  EXPECT_TRUE(display.IsHighlighted(c));
  EXPECT_EQ(ZELFastenerDisplay::DeactivateListWeldVisualization(), S_OK);
  EXPECT_EQ(ZELFastenerDisplay::DeactivateListWeldVisualization(), S_FALSE);
}

TEST_F(ZELFastenerDisplayTest, ChangesAreWrittenToTheTranscriptOnce) {
  const std::size_t mark = QIVTranscript::Current().Size();
  ZELFastenerDisplay::ShowWeldIDs({a}, true);
  ZELFastenerDisplay::ShowWeldIDs({a}, true);
  ZELFastenerDisplay::HideShowWeldPointsInList({b}, false);
  const auto lines = QIVTranscript::Current().LinesSince(mark);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "display identifiers=1 hidden-points=0 highlighted=0");
  EXPECT_EQ(lines[1], "display identifiers=1 hidden-points=1 highlighted=0");
}

TEST_F(ZELFastenerDisplayTest, ObjectsOutsideTheDocumentAndColoursChangeNothing) {
  auto stray = QIVMake<QIVBaseUnknown>();
  ZELFastenerDisplay::ShowWeldIDs({QIVBaseUnknown_var(stray)}, true);
  EXPECT_EQ(display.CountIdentifiersShown(), 0u);
  EXPECT_EQ(ZELFastenerDisplay::VisualizationR7WeldList({}, 0, 0, 1, 2, 3, 4), S_FALSE);
  EXPECT_EQ(ZELFastenerDisplay::VisualizationR7WeldList({a}, 0, 0, 255, 255, 255, 255), S_OK);
  EXPECT_EQ(display.GetIdentifierColor(), 0xFFFFFFFFul);
}

}  // namespace
