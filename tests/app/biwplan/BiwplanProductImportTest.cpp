#include "BiwplanProductImport.h"

#include <gtest/gtest.h>

#include "QIVDocument.h"
#include "QIVIProduct.h"

namespace {

QIVBaseUnknown_var Find(const QIVIDocument_var& document, std::initializer_list<const char*> names) {
  QIVListValQIVUnicodeString path;
  for (const char* name : names) path.Append(name);
  QIVBaseUnknown_var product;
  document->FindProductByPath(path, product);
  return product;
}

// As a spreadsheet program writes it: a byte-order mark first.
const char* const kBom =
    "\xEF\xBB\xBF"
    "parent,instance,reference,x,y,z,roll,pitch,yaw\n"
    ",Body.1,B-1,0,0,0,0,0,0\n"
    "Body.1,Floor.1,F-1,100,0,50,0,0,0\n"
    "\n"
    "Body.1/Floor.1,\"Bracket, left.1\",BR-1,10,20,0,0,0,90\n"
    "Body.1/Floor.1,Bracket.2,BR-1,10,-20,0,0,0,0\n";

}  // namespace

TEST(BiwplanProductImportTest, BuildsTheTreeWithReferencesAndRelativePlacements) {
  QIVIDocument_var document = QIVDocument::New();
  std::string error;
  ASSERT_EQ(BiwplanProductImport::ImportText(document, kBom, "bom.csv", error), 4) << error;

  QIVIProduct_var floor = Find(document, {"Body.1", "Floor.1"});
  ASSERT_TRUE(floor);
  EXPECT_EQ(floor->GetPartNumber(), "F-1");
  EXPECT_EQ(floor->GetChildrenCount(), 2);
  QIVIProduct_var bracket = Find(document, {"Body.1", "Floor.1", "Bracket, left.1"});
  ASSERT_TRUE(bracket);
  QIVMathTransformation absolute;
  ASSERT_TRUE(SUCCEEDED(bracket->GetAbsolutePosition(absolute)));
  EXPECT_DOUBLE_EQ(absolute.Translation(0), 110.0);
  EXPECT_DOUBLE_EQ(absolute.Translation(1), 20.0);
  EXPECT_DOUBLE_EQ(absolute.Translation(2), 50.0);
  EXPECT_NEAR(absolute.Rotation(1, 0), 1.0, 1e-12);  // turned 90 degrees about Z
  EXPECT_EQ(document->FindProductsByPartNumber("BR-1").Size(), 2);
  document->Close();
}

TEST(BiwplanProductImportTest, RefusesTheWholeFileAtTheFirstBadLine) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"parent,instance\n", "bom.csv:1: missing column \"reference\""},
      {"parent,instance,reference,colour\n", "bom.csv:1: unknown column \"colour\""},
      {"parent,instance,reference\n,A.1,A\nNope.1,B.1,B\n", "bom.csv:3: unknown parent \"Nope.1\""},
      {"parent,instance,reference\n,A.1,A\n,A.1,A\n", "bom.csv:3: \"A.1\" is already in the product tree"},
      {"parent,instance,reference,x\n,A.1,A,1.5mm\n", "bom.csv:2: bad number \"1.5mm\" in column x"},
      {"parent,instance,reference,y\n,A.1,A,nan\n", "bom.csv:2: bad number \"nan\" in column y"},
      {"parent,instance,reference,y\n,A.1,A,-inf\n", "bom.csv:2: bad number \"-inf\" in column y"},
      {"parent,instance,reference,y\n,A.1,A,0x10\n", "bom.csv:2: bad number \"0x10\" in column y"},
      {"parent,instance,reference,z\n,A.1,A,1e999\n", "bom.csv:2: number \"1e999\" out of range in column z"},
      {"parent,instance,reference\n,A.1\n", "bom.csv:2: expected 3 fields, found 2"},
      {"parent,instance,reference\n,\"A.1,A\n", "bom.csv:2: unclosed double quote"},
      {"parent,instance,reference\n,,A\n", "bom.csv:2: empty instance name"},
      {"", "bom.csv:0: no header line"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    QIVIDocument_var document = QIVDocument::New();
    std::string error;
    EXPECT_EQ(BiwplanProductImport::ImportText(document, c.text, "bom.csv", error), -1);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(document->GetAllProducts().Size(), 0);
    document->Close();
  }
}

TEST(BiwplanProductImportTest, AddsBelowProductsAlreadyInTheDocument) {
  QIVIDocument_var document = QIVDocument::New();
  std::string error;
  ASSERT_EQ(BiwplanProductImport::ImportText(document, "parent,instance,reference\n,Body.1,B\n", "a.csv", error), 1);
  ASSERT_EQ(BiwplanProductImport::ImportText(document, "parent,instance,reference\nBody.1,Door.1,D\n", "b.csv", error),
            1)
      << error;
  EXPECT_TRUE(Find(document, {"Body.1", "Door.1"}));
  EXPECT_EQ(BiwplanProductImport::Import(document, "/no/such/bom.csv", error), -1);
  EXPECT_NE(error.find("/no/such/bom.csv"), std::string::npos);
  document->Close();
}
