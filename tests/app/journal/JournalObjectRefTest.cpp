#include <gtest/gtest.h>

#include "JournalObjectRef.h"

namespace {
JournalObjectRef ParseOk(std::string_view text) {
  QIVUnicodeString reason;
  const std::optional<JournalObjectRef> ref = JournalObjectRef::Parse(text, reason);
  EXPECT_TRUE(ref) << text << ": " << reason;
  return ref.value_or(JournalObjectRef());
}

QIVUnicodeString ParseError(std::string_view text) {
  QIVUnicodeString reason;
  EXPECT_FALSE(JournalObjectRef::Parse(text, reason)) << text;
  return reason;
}

using Names = std::vector<QIVUnicodeString>;
}  // namespace

TEST(JournalObjectRefTest, EveryKindParses) {
  const JournalObjectRef station = ParseOk("process:Process/Station.1");
  EXPECT_EQ(station.GetKind(), JournalObjectRef::Process);
  EXPECT_EQ(station.GetPath(), (Names{"Process", "Station.1"}));
  EXPECT_EQ(station.GetName(), "Station.1");

  const JournalObjectRef root = ParseOk("process:Process");
  EXPECT_EQ(root.GetPath(), (Names{"Process"}));

  const JournalObjectRef floor = ParseOk("product:Body/Floor.1/Bracket LH.2");
  EXPECT_EQ(floor.GetKind(), JournalObjectRef::Product);
  EXPECT_EQ(floor.GetPath(), (Names{"Body", "Floor.1", "Bracket LH.2"}));

  const JournalObjectRef weld = ParseOk("fastener:W0012, A/B");
  EXPECT_EQ(weld.GetKind(), JournalObjectRef::Fastener);
  EXPECT_EQ(weld.GetName(), "W0012, A/B");  // taken whole, / included

  const JournalObjectRef locator = ParseOk("feature:LP_Floor:01");
  EXPECT_EQ(locator.GetKind(), JournalObjectRef::Feature);
  EXPECT_EQ(locator.GetName(), "LP_Floor:01");

  const JournalObjectRef byId = ParseOk("id:000123456789012345678");
  EXPECT_EQ(byId.GetKind(), JournalObjectRef::Id);
  EXPECT_EQ(byId.GetId(), 123456789012345678LL);
  EXPECT_TRUE(byId.GetPath().empty());
  EXPECT_EQ(byId.GetText(), "id:123456789012345678");
}

TEST(JournalObjectRefTest, EscapedSlashesAndBackslashesInPathNames) {
  const JournalObjectRef ref = ParseOk(R"(process:Process/Load\/Clamp.1/C:\\x)");
  EXPECT_EQ(ref.GetPath(), (Names{"Process", "Load/Clamp.1", R"(C:\x)"}));
  EXPECT_EQ(ref.GetText(), R"(process:Process/Load\/Clamp.1/C:\\x)");
  EXPECT_EQ(ref, ParseOk(ref.GetText().view()));
}

TEST(JournalObjectRefTest, BadReferencesSayWhy) {
  EXPECT_EQ(ParseError("Station.1"),
            "bad object reference 'Station.1': expected KIND:VALUE with KIND process, product, fastener, "
            "feature or id");
  EXPECT_EQ(ParseError("activity:Station.1"),
            "bad object reference 'activity:Station.1': unknown kind 'activity' (expected process, product, "
            "fastener, feature or id)");
  EXPECT_EQ(ParseError("process:"), "bad object reference 'process:': empty name in the path");
  EXPECT_EQ(ParseError("product:Body/"), "bad object reference 'product:Body/': empty name in the path");
  EXPECT_EQ(ParseError(R"(product:Body\Floor)"),
            R"(bad object reference 'product:Body\Floor': a \ in a path must be followed by / or \)");
  EXPECT_EQ(ParseError("fastener:"), "bad object reference 'fastener:': empty name");
  for (const char* id : {"id:", "id:-1", "id:12a", "id:1234567890123456789"})
    EXPECT_EQ(ParseError(id),
              "bad object reference '" + QIVUnicodeString(id) + "': an id is a number of at most 18 digits");
}
