#include "BiwplanTable.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(BiwplanTableTest, PrintsAlignedCsvAndJson) {
  BiwplanTable table({"name", "type"});
  table.AddRow({"W0001, A", "spot weld"});
  table.AddRow({"Süd \"seam\"", "sealant"});

  std::ostringstream text;
  table.Print(text, BiwplanTable::Text);
  EXPECT_EQ(text.str(),
            "name        type\n"
            "----------  ---------\n"
            "W0001, A    spot weld\n"
            "Süd \"seam\"  sealant\n");

  std::ostringstream csv;
  table.Print(csv, BiwplanTable::Csv);
  EXPECT_EQ(csv.str(), "name,type\r\n\"W0001, A\",spot weld\r\n\"Süd \"\"seam\"\"\",sealant\r\n");

  std::ostringstream json;
  table.Print(json, BiwplanTable::Json);
  EXPECT_NE(json.str().find("\"name\": \"W0001, A\""), std::string::npos);
  EXPECT_NE(json.str().find("\"type\": \"sealant\""), std::string::npos);

  BiwplanTable::Format format;
  EXPECT_TRUE(BiwplanTable::ParseFormat("csv", format));
  EXPECT_EQ(format, BiwplanTable::Csv);
  EXPECT_FALSE(BiwplanTable::ParseFormat("xml", format));
}
