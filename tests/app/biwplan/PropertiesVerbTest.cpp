#include <gtest/gtest.h>

#include "BiwplanVerbTest.h"
#include "QIVISPPActivity.h"

namespace {

constexpr const char* kStation = "process:Process/UnderBody Line/Station 10 Front Floor";

class PropertiesVerbTest : public BiwplanVerbTest {
 protected:
  double SavedAttribute(const char* name) {
    BiwplanSession session;
    EXPECT_TRUE(BiwplanOpen(session, _path));
    double value = -1.0;
    QIVISPPActivity_var(BiwplanFindObject(session, kStation))->GetAttribute(name, value);
    return value;
  }
};

TEST_F(PropertiesVerbTest, SetValuesAreAppliedThroughThePageAndRefusedOnesChangeNothing) {
  struct Case {
    std::vector<std::string> arguments;
    int status;
  };
  const std::string before = DocumentText();
  const Case refused[] = {
      {{kStation, "--set", "ProductExitRate=40", "--set", "EstimatedInvestmentCost=-1"}, BiwplanExit::Refused},
      {{kStation, "--set", "ProductExitRate=4x"}, BiwplanExit::Refused},
      {{kStation, "--set", "Unknown=4"}, BiwplanExit::Usage},
      {{"process:Process", "--set", "ProductExitRate=4"}, BiwplanExit::Refused},
  };
  for (const Case& run : refused) {
    EXPECT_EQ(Run("properties", run.arguments), run.status) << run.arguments[2];
    EXPECT_EQ(DocumentText(), before);
  }
  EXPECT_EQ(Run("properties", {kStation, "--set", "EstimatedInvestmentCost=1850000.5", "--set",
                               "ProductExitRate=42"}),
            BiwplanExit::Ok);
  EXPECT_EQ(SavedAttribute("EstimatedInvestmentCost"), 1850000.5);
  EXPECT_EQ(SavedAttribute("ProductExitRate"), 42);
}

}  // namespace
