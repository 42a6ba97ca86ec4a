#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>
#include <random>

#include "QIVJsonWriter.h"

namespace {

std::string NumberText(double value) {
  std::string text;
  QIVJsonWriter::AppendNumber(text, value);
  return text;
}

std::string StringText(std::string_view value) {
  std::string text;
  QIVJsonWriter::AppendString(text, value);
  return text;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(QIVJsonWriterTest, LaysOutBlocksOneEntryALineAndInlineValuesOnOneLine) {
  QIVJsonWriter out;
  out.BeginObject();
  out.Key("name");
  out.String("Station.1");
  out.Key("values");
  out.BeginInlineArray();
  out.Number(1.5);
  out.Integer(-2);
  out.Null();
  out.EndArray();
  out.Key("empty");
  out.BeginArray();
  out.EndArray();
  out.Key("nothing");
  out.BeginObject();
  out.EndObject();
  out.Key("points");
  out.BeginArray();
  for (int row = 0; row < 2; ++row) {
    out.BeginInlineArray();
    out.Integer(row);
    out.Bool(row == 1);
    out.EndArray();
  }
  out.BeginInlineObject();
  out.Key("a");
  out.Integer(1);
  out.Key("b");
  out.BeginInlineArray();
  out.EndArray();
  out.EndObject();
  out.EndArray();
  out.EndObject();
  EXPECT_EQ(out.Text(), R"({
  "name": "Station.1",
  "values": [1.5, -2, null],
  "empty": [],
  "nothing": {},
  "points": [
    [0, false],
    [1, true],
    {"a": 1, "b": []}
  ]
}
)");
}

TEST(QIVJsonWriterTest, NumbersAreShortAndReadBackToTheSameDouble) {
  EXPECT_EQ(NumberText(0.1), "0.1");
  EXPECT_EQ(NumberText(90.0), "90");
  EXPECT_EQ(NumberText(-0.0), "-0.0");
  EXPECT_EQ(NumberText(1e300), "1e+300");
  const double hard[] = {1.0 / 3,
                         -2.5e-12,
                         DBL_MAX,
                         -DBL_MAX,
                         DBL_MIN,
                         4.9e-324,
                         18446744073709551616.0,
                         9007199254740993.0,
                         123456789012345678.0,
                         -0.0,
                         0.0,
                         1e-7,
                         1e21,
                         1e22};
  std::mt19937_64 random(7);
  std::vector<double> values(std::begin(hard), std::end(hard));
  for (int i = 0; i < 2000; ++i) {
    double value;
    const std::uint64_t bits = random();
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value)) values.push_back(value);
  }
  // Decimals of few places, which documents are full of, written exactly as
  // to_chars writes them.
  std::uniform_int_distribution<long long> mantissa(-(1LL << 52), 1LL << 52);
  const auto toChars = [](double value) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
  };
  for (int i = 0; i < 20000; ++i) {
    const double value = static_cast<double>(mantissa(random) >> (i % 50)) / std::pow(10.0, i % 7);
    EXPECT_EQ(NumberText(value), toChars(value));
    values.push_back(value);
  }
  for (double value : {0.1, -0.1, 0.09999, 99999.0, 100000.0, -100000.0, 1e11, 99999999999.9999, 12345.6789})
    EXPECT_EQ(NumberText(value), toChars(value));
  for (double value : values) {
    const std::string text = NumberText(value);
    EXPECT_TRUE(SameBits(nlohmann::json::parse(text).get<double>(), value)) << text;
    EXPECT_TRUE(SameBits(std::strtod(text.c_str(), nullptr), value)) << text;
  }
}

TEST(QIVJsonWriterTest, TextsAreEscapedAndBytesThatAreNotUtf8Replaced) {
  EXPECT_EQ(StringText("W0001, \"A\"\\B"), R"("W0001, \"A\"\\B")");
  EXPECT_EQ(StringText("a\nb\tc\r\b\f\x01\x1f/"), R"("a\nb\tc\r\b\f\u0001\u001f/")");
  EXPECT_EQ(StringText("Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x9A\x97"),
            "\"Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x9A\x97\"");
  const std::string replacement = "\xEF\xBF\xBD";
  // Latin-1, an overlong slash, a surrogate, a cut sequence, a byte past U+10FFFF.
  EXPECT_EQ(StringText("Tr\xE4ger"), "\"Tr" + replacement + "ger\"");
  EXPECT_EQ(StringText("\xC0\xAF"), "\"" + replacement + replacement + "\"");
  EXPECT_EQ(StringText("\xED\xA0\x80"), "\"" + replacement + replacement + replacement + "\"");
  EXPECT_EQ(StringText("x\xE2\x82"), "\"x" + replacement + replacement + "\"");
  EXPECT_EQ(StringText("\xF5\x80\x80\x80"),
            "\"" + replacement + replacement + replacement + replacement + "\"");
  for (const char* text : {"Tr\xE4ger", "\xC0\xAF", "\xED\xA0\x80", "x\xE2\x82", "\xF5\x80\x80\x80", "\x7f"})
    EXPECT_NO_THROW(nlohmann::json::parse(StringText(text))) << text;
}

}  // namespace
