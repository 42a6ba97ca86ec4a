#include "QIVUnicodeString.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "QIVPlainNumber.h"

TEST(QIVUnicodeStringTest, BuildsNumbersWithPrintfFormats) {
  QIVUnicodeString s;
  EXPECT_EQ(s.BuildFromNum(42), "42");
  for (const int value : {0, -7, 2147483647, -2147483647 - 1})
    EXPECT_EQ(QIVUnicodeString().BuildFromNum(value), QIVUnicodeString::Format("%d", value));
  EXPECT_EQ(s.BuildFromNum(12.5, "%10.3f"), "    12.500");
  EXPECT_EQ(s.BuildFromNum(-3.25, "%10.3f"), "    -3.250");
  EXPECT_EQ(s.BuildFromNum(7L), "7");
  EXPECT_EQ(QIVUnicodeString::Format("%s.%d", "Station", 3), "Station.3");
  std::string longText(500, 'x');
  EXPECT_EQ(QIVUnicodeString::Format("%s!", longText.c_str()).GetLengthInByte(), 501);
}

TEST(QIVUnicodeStringTest, ConvertToNumReportsWhenNothingConverted) {
  int n = 99;
  EXPECT_EQ(QIVUnicodeString("  17 welds").ConvertToNum(&n, "%d"), 1);
  EXPECT_EQ(n, 17);
  EXPECT_EQ(QIVUnicodeString("abc").ConvertToNum(&n, "%d"), 0);
  EXPECT_EQ(n, 17);  // untouched on failure
  EXPECT_EQ(QIVUnicodeString("").ConvertToNum(&n), 0);
  double d = 1.0;
  EXPECT_EQ(QIVUnicodeString("-1.5e2").ConvertToNum(&d, "%le"), 1);
  EXPECT_DOUBLE_EQ(d, -150.0);
  EXPECT_EQ(QIVUnicodeString("x1.5").ConvertToNum(&d, "%le"), 0);
  EXPECT_DOUBLE_EQ(d, -150.0);
}

// Plain numbers take a shorter way than sscanf; every text must still read
// exactly as sscanf reads it.
TEST(QIVUnicodeStringTest, ConvertToNumReadsEveryTextAsScanfDoes) {
  std::vector<std::string> texts = {
      "0", "-0", "+7", "  42  ", "\t-3.25\r\n", "1.", ".5", "-.5e-3", "1e5", "1E+300", "1234.5678",
      "-0.000001", "123456789", "-123456789", "2147483647", "-2147483648", "99999999999", "0000000000012",
      "123456789012345678901234567890", "1e999", "-1e999", "1e-320", "2.5e", "2.5e+", "0x1p3", "inf", "-nan",
      "1,5", "1.5.2", "12abc", " 17 welds", "3 4", "+", "-", ".", "e5", "", "   ", "1\v", "\f1"};
  std::mt19937 random(7);
  std::uniform_real_distribution<double> coordinates(-5000.0, 5000.0);
  for (int i = 0; i < 300; ++i) {
    const double value = coordinates(random);
    for (const char* format : {"%.17g", "%10.3f", "%e", "%.0f", "%+.2E"})
      texts.push_back(QIVUnicodeString::Format(format, value).str());
  }
  for (const std::string& text : texts) {
    SCOPED_TRACE("\"" + text + "\"");
    for (const char* format : {"%le", "%lf", "%lg"}) {
      double expected = -1.25, actual = -1.25;
      const int scanned = std::sscanf(text.c_str(), format, &expected) == 1 ? 1 : 0;
      EXPECT_EQ(QIVUnicodeString(text).ConvertToNum(&actual, format), scanned);
      EXPECT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0) << actual << " against " << expected;
    }
    // Read in place, as a line of a larger buffer: digits past its end are
    // not part of it.
    const std::string buffer = text + "96";
    double scannedReal = -1.25, inPlace = -1.25;
    if (QIVPlainNumber::ReadReal(std::string_view(buffer).substr(0, text.size()), inPlace)) {
      EXPECT_EQ(std::sscanf(text.c_str(), "%le", &scannedReal), 1);
      EXPECT_EQ(std::memcmp(&inPlace, &scannedReal, sizeof inPlace), 0)
          << inPlace << " against " << scannedReal;
    }
    int expected = -7, actual = -7;
    const int scanned = std::sscanf(text.c_str(), "%d", &expected) == 1 ? 1 : 0;
    EXPECT_EQ(QIVUnicodeString(text).ConvertToNum(&actual, "%d"), scanned);
    EXPECT_EQ(actual, expected);
  }
}

TEST(QIVUnicodeStringTest, SearchSubStringAndStrip) {
  QIVUnicodeString line("Weld W1 EndWeld");
  EXPECT_EQ(line.SearchSubString("Weld"), 0);
  EXPECT_EQ(line.SearchSubString("Weld", 1), 11);
  EXPECT_EQ(line.SearchSubString("Weld", 0, QIVUnicodeString::Backward), 11);
  EXPECT_EQ(line.SearchSubString("Weld", 10, QIVUnicodeString::Backward), 0);
  EXPECT_EQ(line.SearchSubString("weld"), -1);
  EXPECT_EQ(line.SearchSubString("x", 100), -1);
  EXPECT_TRUE(line.Contains("EndWeld"));

  EXPECT_EQ(QIVUnicodeString("   a b  ").Strip(), "a b");
  EXPECT_EQ(QIVUnicodeString("   a b  ").Strip(QIVUnicodeString::Leading), "a b  ");
  EXPECT_EQ(QIVUnicodeString("   a b  ").Strip(QIVUnicodeString::Trailing), "   a b");
  EXPECT_TRUE(QIVUnicodeString("     ").Strip().IsNull());
  EXPECT_EQ(QIVUnicodeString("\tx ").Strip(), "\tx");  // only blanks are stripped
}

TEST(QIVUnicodeStringTest, SubStringsReplaceAndCompare) {
  QIVUnicodeString path("Body\\Floor(FLR-001)\\Bracket");
  EXPECT_EQ(path.SubString(5, 5), "Floor");
  EXPECT_EQ(path.SubString(20), "Bracket");
  EXPECT_EQ(path.SubString(-1, 3), "");
  EXPECT_EQ(path.SubString(1000, 3), "");
  EXPECT_EQ(path.SubString(0, 1000), path);

  QIVUnicodeString text("a-b-c");
  EXPECT_EQ(text.ReplaceAll("-", "--"), 2);
  EXPECT_EQ(text, "a--b--c");
  text.ReplaceSubString(0, 1, "XY");
  EXPECT_EQ(text, "XY--b--c");
  EXPECT_EQ(text.ReplaceAll("", "z"), 0);

  EXPECT_LT(QIVUnicodeString("W0001").Compare("W0002"), 0);
  EXPECT_TRUE(QIVUnicodeString("a") < QIVUnicodeString("b"));
  EXPECT_EQ(QIVUnicodeString("Spot").ToUpper(), "SPOT");
  EXPECT_EQ(QIVUnicodeString("Spot").ToLower(), "spot");
  EXPECT_TRUE(QIVUnicodeString("x.TXT").EndsWith(".TXT"));
  EXPECT_EQ(QIVUnicodeString("Ä-b").GetLengthInChar(), 3);
  EXPECT_EQ(QIVUnicodeString("Ä-b").GetLengthInByte(), 4);
  EXPECT_EQ(QIVUnicodeString("Weld ") + "W1" + QIVUnicodeString(", A"), "Weld W1, A");
}

// Plain double formats are written without printf; they must read exactly as
// printf writes them.
TEST(QIVUnicodeStringTest, DoublesFormatAsPrintfDoes) {
  const double values[] = {0.0, -0.0, 12.5, -3.25, 0.0005, 2.0005, -1e-9, 1234567.891, 1e300, 6.02214076e23,
                           2.675, -0.0004, 0.9999996, 999999999.9995, 1e12, -1e11 - 0.5,
                           std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
  std::vector<double> all(std::begin(values), std::end(values));
  std::mt19937 random(11);
  std::uniform_real_distribution<double> coordinate(-5000.0, 5000.0);
  for (int i = 0; i < 2000; ++i)
    all.push_back(i % 2 ? coordinate(random) : std::round(coordinate(random) * 2000) / 2000);
  for (const char* format : {"%10.3f", "%.3f", "%f", "%g", "%.15g", "%12.4e", "%.0f", "%5g", "%010.3f", "%+.2f"})
    for (double value : all) {
      char expected[512];
      std::snprintf(expected, sizeof expected, format, value);
      EXPECT_EQ(QIVUnicodeString().BuildFromNum(value, format), expected) << format << " " << value;
    }
}
