#include <gtest/gtest.h>

#include "JournalError.h"

TEST(JournalErrorTest, FormatPlacesTheReasonAtFileAndLine) {
  EXPECT_EQ(JournalError("jobs/assign.journal", 12, "unknown verb 'prss'").Format(),
            "jobs/assign.journal:12: unknown verb 'prss'");
  const JournalError wholeFile("missing.journal", 0, "cannot open: No such file or directory");
  EXPECT_EQ(wholeFile.Format(), "missing.journal: cannot open: No such file or directory");
  EXPECT_EQ(wholeFile.GetLine(), 0);
  EXPECT_EQ(wholeFile.GetSourceName(), "missing.journal");
}
