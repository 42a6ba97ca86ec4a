#include <gtest/gtest.h>

#include <string>

#include "QIVEnvironment.h"

TEST(QIVEnvironmentTest, SetUnsetAndGenerationTellReadersOfAChange) {
  QIVUnsetEnv("BIWPLAN_ENV_TEST");
  EXPECT_EQ(QIVGetEnv("BIWPLAN_ENV_TEST"), nullptr);
  const unsigned long before = QIVEnvGeneration();

  QIVSetEnv("BIWPLAN_ENV_TEST", "");
  ASSERT_NE(QIVGetEnv("BIWPLAN_ENV_TEST"), nullptr);  // set but empty still counts as set
  EXPECT_STREQ(QIVGetEnv("BIWPLAN_ENV_TEST"), "");
  QIVSetEnv("BIWPLAN_ENV_TEST", "/data/welds");
  EXPECT_STREQ(QIVGetEnv("BIWPLAN_ENV_TEST"), "/data/welds");
  QIVUnsetEnv("BIWPLAN_ENV_TEST");
  EXPECT_EQ(QIVGetEnv("BIWPLAN_ENV_TEST"), nullptr);
  EXPECT_EQ(QIVEnvGeneration(), before + 3);

  EXPECT_EQ(QIVGetEnv(nullptr), nullptr);
  QIVSetEnv("", "x");  // refused, nothing changes
  EXPECT_EQ(QIVEnvGeneration(), before + 3);
}

TEST(QIVEnvironmentTest, ScopedEnvRestoresWhatWasThere) {
  QIVSetEnv("ADL_ODT_IN", "outer");
  {
    QIVScopedEnv unset("ADL_ODT_IN", nullptr);
    EXPECT_EQ(QIVGetEnv("ADL_ODT_IN"), nullptr);
    {
      QIVScopedEnv inner("ADL_ODT_IN", "inner");
      EXPECT_STREQ(QIVGetEnv("ADL_ODT_IN"), "inner");
    }
    EXPECT_EQ(QIVGetEnv("ADL_ODT_IN"), nullptr);
  }
  EXPECT_STREQ(QIVGetEnv("ADL_ODT_IN"), "outer");
  QIVUnsetEnv("ADL_ODT_IN");
  QIVUnsetEnv("ADL_ODT_OUT");
  {
    QIVScopedEnv set("ADL_ODT_OUT", "1");
    EXPECT_NE(QIVGetEnv("ADL_ODT_OUT"), nullptr);
  }
  EXPECT_EQ(QIVGetEnv("ADL_ODT_OUT"), nullptr);
}
