#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "QIVDocument.h"
#include "QIVDocumentReader.h"
#include "QIVDocumentWriter.h"
#include "QIVIAlias.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItemMgt.h"
#include "QIVMathTransformation.h"
#include "QIVSPPActivityType.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELISpotWeld.h"

namespace {

// Documents drawn at random: product, feature and activity trees of any
// shape, names of any text, numbers of any magnitude.
class RandomDocument {
 public:
  explicit RandomDocument(unsigned seed) : _random(seed) {
    for (int i = Below(30); i >= 0; --i) {
      QIVBaseUnknown_var product;
      document->CreateProduct(Below(4) ? Pick(_products) : QIVBaseUnknown_var(), Name(), Below(3) ? Name() : QIVUnicodeString(), product);
      QIVIProduct_var(product)->SetPosition(
          QIVMathTransformation::FromYPR(Number(), Number(), Number(), Number(), Number(), Number()));
      _products.push_back(product);
    }
    QIVBaseUnknown_var container, top;
    document->GetFeatureContainer(container);
    ZELIBIWFPPFactory_var factory(container);
    factory->GetTopGroup(top);
    std::vector<QIVBaseUnknown_var> groups{top};
    for (int i = Below(20); i >= 0; --i) {
      QIVBaseUnknown_var feature;
      if (Below(3) == 0) {
        factory->CreateGroup(Pick(groups), feature);
        groups.push_back(feature);
      } else {
        factory->CreatePointFastener(Pick(groups), feature);
        ZELIBIWFastener_var(feature)->SetType(Name());
        ZELISpotWeld_var(feature)->SetValues({Number(), Number(), Number(), Number(), Number(), Number(), 0, 0, 1});
        _features.push_back(feature);
      }
      QIVIAlias_var(feature)->SetAlias(Name());
    }
    const char* const types[] = {QIVSPPActivityTypes::Process, QIVSPPActivityTypes::Station,
                                 QIVSPPActivityTypes::Loading, QIVSPPActivityTypes::SpotWelding};
    QIVBaseUnknown_var root;
    document->GetRootActivity(root);
    std::vector<QIVBaseUnknown_var> activities{root};
    for (int i = Below(25); i >= 0; --i) {
      QIVBaseUnknown_var activity;
      QIVISPPChildManagement_var(Pick(activities))->CreateChild(types[Below(4)], activity);
      QIVISPPActivity_var(activity)->SetName(Name());
      QIVISPPActivity_var(activity)->SetCycleTime(std::fabs(Number()));
      if (Below(2)) QIVISPPFlowMgt_var(Pick(activities))->AddNextActivity(activity);
      if (!_products.empty() && Below(2)) QIVISPPItemMgt_var(activity)->AddItem(Pick(_products), QIVSPPItemAssigned);
      activities.push_back(activity);
    }
  }

  QIVIDocument_var document = QIVDocument::New();

 private:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(_random); }
  QIVBaseUnknown_var Pick(const std::vector<QIVBaseUnknown_var>& from) {
    return from.empty() ? QIVBaseUnknown_var() : from[Below(static_cast<int>(from.size()))];
  }
  QIVUnicodeString Name() {
    static const char* const pieces[] = {"Floor", ".1", " ", "\"", "\\", "/", "Bügel", "長", "🚗", "\t", "\x01", ""};
    std::string name;
    for (int i = Below(4); i >= 0; --i) name += pieces[Below(12)];
    return QIVUnicodeString(name);
  }
  double Number() {
    switch (Below(5)) {
      case 0: return std::uniform_real_distribution<double>(-1e4, 1e4)(_random);
      case 1: return std::ldexp(std::uniform_real_distribution<double>(-1, 1)(_random), Below(2000) - 1000);
      case 2: return Below(1000) - 500;
      case 3: return -0.0;
      default: return 0.1 * Below(100);
    }
  }

  std::mt19937 _random;
  std::vector<QIVBaseUnknown_var> _products, _features;
};

std::string Saved(const QIVIDocument_var& document, QIVDocumentError& error) {
  std::string text;
  QIVDocumentWriter::Write(document, text, error);
  return text;
}

}  // namespace

// Whatever a save writes, a load reads back to the same document: saving
// it again gives the same bytes.
TEST(QIVDocumentRoundTripTest, ARandomDocumentReadsBackAsSaved) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE(seed);
    RandomDocument random(seed);
    QIVDocumentError error;
    const std::string saved = Saved(random.document, error);
    ASSERT_EQ(error.GetReason(), "");
    QIVIDocument_var loaded;
    ASSERT_EQ(QIVDocumentReader::Read(std::string_view(saved), "random.json", loaded, error), S_OK)
        << error.Format().str();
    EXPECT_EQ(Saved(loaded, error), saved);
    random.document->Close();
    loaded->Close();
  }
}

TEST(QIVDocumentRoundTripTest, ATreeDeeperThanALoadReadsIsNotSaved) {
  QIVIDocument_var document = QIVDocument::New();
  QIVBaseUnknown_var product;
  for (int level = 1; level <= 257; ++level) {
    QIVBaseUnknown_var father = product;
    document->CreateProduct(father, "P" + std::to_string(level), "", product);
    if (level < 256) continue;
    QIVDocumentError error;
    const std::string saved = Saved(document, error);
    if (level == 256) {
      QIVIDocument_var loaded;
      EXPECT_EQ(QIVDocumentReader::Read(std::string_view(saved), "deep.json", loaded, error), S_OK);
      loaded->Close();
    } else {
      EXPECT_EQ(saved, "");
      EXPECT_TRUE(error.GetReason().EndsWith(" lies deeper than 256 levels, more than a document holds"))
          << error.GetReason().str();
    }
  }
  document->Close();
}
