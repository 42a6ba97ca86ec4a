#include <gtest/gtest.h>

#include <sstream>

#include "QIVEnvironment.h"
#include "QIVTrace.h"
#include "TemporaryDirectory.h"

namespace {
class QIVTraceTest : public ::testing::Test {
 protected:
  void SetUp() override { QIVTrace::SetStandardErrorStream(&captured); }
  void TearDown() override { QIVTrace::SetStandardErrorStream(nullptr); }
  std::ostringstream captured;
};
}  // namespace

TEST_F(QIVTraceTest, OffUnlessTheEnvironmentNamesTheTrace) {
  QIVScopedEnv off("BIWPLAN_TRACE", nullptr);
  QIVTrace trace("ZELBIWCmdTrace", "Traces for module ZELVekBIWCommands", 0, "STDERR", 1024);
  EXPECT_EQ(trace.GetName(), "ZELBIWCmdTrace");
  EXPECT_EQ(trace.GetSize(), 1024);
  trace.TraPutLN("ZELVekBIWReadWeldFromFileCmd::BuildGraph --> IN");
  EXPECT_FALSE(trace.IsActive());
  EXPECT_EQ(captured.str(), "");

  for (const char* list : {"ZELBIW", "OtherTrace", "", "ZELBIWCmdTrace2"}) {
    QIVScopedEnv other("BIWPLAN_TRACE", list);
    EXPECT_FALSE(trace.IsActive()) << list;
  }
  for (const char* list : {"ZELBIWCmdTrace", "OtherTrace, ZELBIWCmdTrace ", "all", "OtherTrace,all"}) {
    QIVScopedEnv on("BIWPLAN_TRACE", list);
    EXPECT_TRUE(trace.IsActive()) << list;
  }

  // Switching on after the trace was built takes effect at the next line.
  QIVScopedEnv on("BIWPLAN_TRACE", "ZELBIWCmdTrace");
  trace.TraPutLN("ZELVekBIWReadWeldFromFileCmd::BuildGraph --> IN");
  trace.TraPutLN(QIVUnicodeString("welds.txt"));
  trace.TraPutLN("ZELVekBIWReadWeldFromFileCmd::BuildGraph <-- OUT");
  EXPECT_EQ(captured.str(),
            "ZELVekBIWReadWeldFromFileCmd::BuildGraph --> IN\n"
            "welds.txt\n"
            "ZELVekBIWReadWeldFromFileCmd::BuildGraph <-- OUT\n");
  QIVSetEnv("BIWPLAN_TRACE", "OtherTrace");
  trace.TraPutLN("not written");
  EXPECT_EQ(captured.str().find("not written"), std::string::npos);
}

TEST_F(QIVTraceTest, FileDestinationAppendsLines) {
  TemporaryDirectory dir;
  dir.Write("trace.log", "earlier\n");
  QIVScopedEnv on("BIWPLAN_TRACE", "all");
  {
    QIVTrace trace("FileTrace", "", 0, dir.File("trace.log").c_str(), 1024);
    trace.TraPutLN("first");
    trace.TraPutLN("second");
  }
  EXPECT_EQ(dir.Read("trace.log"), "earlier\nfirst\nsecond\n");
  EXPECT_EQ(captured.str(), "");
}
