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

