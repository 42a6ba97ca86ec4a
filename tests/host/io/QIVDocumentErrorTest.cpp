#include <gtest/gtest.h>

#include "QIVDocumentError.h"

namespace {

TEST(QIVDocumentErrorTest, FormatsThePlaceAsPreciselyAsItIsKnown) {
  EXPECT_EQ(QIVDocumentError("body.json", 4, 3, "", "not valid JSON: x").Format(),
            "body.json:4:3: not valid JSON: x");
  EXPECT_EQ(QIVDocumentError("body.json", 8, 0, "/products/0/reference", "no object has id 77").Format(),
            "body.json:8: /products/0/reference: no object has id 77");
  EXPECT_EQ(QIVDocumentError("body.json", 0, 0, "", "not saved: x").Format(), "body.json: not saved: x");
  EXPECT_EQ(QIVDocumentError("", 0, 0, "", "cannot read a.json: Permission denied").Format(),
            "cannot read a.json: Permission denied");
  EXPECT_TRUE(QIVDocumentError().IsEmpty());
}

}  // namespace
