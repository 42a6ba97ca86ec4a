#include "ZELVekBIWProductCandidates.h"

#include <gtest/gtest.h>

#include "QIVDocument.h"

namespace {

// Body with two brackets of one reference and two parts named alike.
class ZELVekBIWProductCandidatesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    document->CreateProduct(nullptr, "Body.1", "BD-100", body);
    document->CreateProduct(body, "Bracket.1", "BR-500", bracket1);
    document->CreateProduct(body, "Panel.1", "PN-600", panel);
    document->CreateProduct(body, "Bracket.2", "BR-500", bracket2);
    document->CreateProduct(nullptr, "Panel.1", "PN-601", loosePanel);
  }
  QIVListValQIVBaseUnknown_var AllProducts() const { return document->GetAllProducts(); }

  QIVIDocument_var document = QIVDocument::New();
  QIVBaseUnknown_var body, bracket1, panel, bracket2, loosePanel;
};

TEST_F(ZELVekBIWProductCandidatesTest, FindsTheFirstRemainingProductInDocumentOrder) {
  ZELVekBIWProductCandidates candidates(AllProducts());
  EXPECT_EQ(candidates.Size(), 5);
  EXPECT_TRUE(candidates.FirstByInstanceName("Panel.1") == panel);
  EXPECT_TRUE(candidates.FirstByPartNumber("BR-500") == bracket1);
  EXPECT_TRUE(candidates.FirstByPartNumber("PN-601") == loosePanel);
  EXPECT_FALSE(candidates.FirstByInstanceName("BR-500"));
  EXPECT_FALSE(candidates.FirstByPartNumber("Panel.1"));
  EXPECT_FALSE(candidates.FirstByPartNumber(""));
}

TEST_F(ZELVekBIWProductCandidatesTest, RemovedProductsAreSkippedUntilRestored) {
  ZELVekBIWProductCandidates candidates(AllProducts());
  candidates.Remove(panel);
  candidates.Remove(bracket1);
  candidates.Remove(bracket1);
  EXPECT_EQ(candidates.RemainingCount(), 3);
  EXPECT_TRUE(candidates.FirstByInstanceName("Panel.1") == loosePanel);
  EXPECT_TRUE(candidates.FirstByPartNumber("BR-500") == bracket2);
  candidates.Remove(loosePanel);
  EXPECT_FALSE(candidates.FirstByInstanceName("Panel.1"));
  candidates.RestoreAll();
  EXPECT_EQ(candidates.RemainingCount(), 5);
  EXPECT_TRUE(candidates.FirstByInstanceName("Panel.1") == panel);
}

TEST_F(ZELVekBIWProductCandidatesTest, CountsTheVisualisableInstancesOfAReferenceOnce) {
  ZELVekBIWProductCandidates candidates(AllProducts());
  EXPECT_EQ(candidates.VisualisableInstanceCount(QIVIProduct_var(bracket2)), 2);
  EXPECT_EQ(candidates.VisualisableInstanceCount(QIVIProduct_var(panel)), 1);
  // Read while the tree does not change: a bracket added later is not seen.
  QIVBaseUnknown_var bracket3;
  document->CreateProduct(body, "Bracket.3", "BR-500", bracket3);
  EXPECT_EQ(candidates.VisualisableInstanceCount(QIVIProduct_var(bracket1)), 2);
  EXPECT_EQ(ZELVekBIWProductCandidates::CountVisualisableInstances(QIVIProduct_var(bracket1)), 3);
  QIVBaseUnknown_var noReference;
  document->CreateProduct(body, "Loose.1", "", noReference);
  EXPECT_EQ(candidates.VisualisableInstanceCount(QIVIProduct_var(noReference)), 0);
}

TEST_F(ZELVekBIWProductCandidatesTest, EntriesThatAreNotProductsOrComeTwiceAreLeftOut) {
  QIVListValQIVBaseUnknown_var entries = AllProducts();
  entries.Append(QIVMake<QIVBaseUnknown>());
  entries.Append(nullptr);
  entries.Append(panel);
  ZELVekBIWProductCandidates candidates(entries);
  EXPECT_EQ(candidates.Size(), 5);
  candidates.Remove(panel);
  EXPECT_TRUE(candidates.FirstByInstanceName("Panel.1") == loosePanel);
}

}  // namespace
