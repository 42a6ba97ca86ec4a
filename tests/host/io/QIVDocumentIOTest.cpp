#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <string>

#include "../system/TemporaryDirectory.h"
#include "EveryKindDocument.h"
#include "QIVAtomicFile.h"
#include "QIVDocumentIO.h"
#include "QIVIModelObject.h"
#include "QIVIProductReference.h"
#include "QIVISPPActivityRoot.h"
#include "QIVISPPItem.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureContainer.h"

namespace {

class QIVDocumentIOTest : public ::testing::Test {
 protected:
  void TearDown() override { QIVSetAtomicWriteHook(nullptr); }

  void Save(const QIVIDocument_var& document, const std::string& path) {
    ASSERT_EQ(QIVDocumentIO::Save(document, path, error), S_OK) << error.Format();
  }
  QIVIDocument_var Load(const std::string& path) {
    QIVIDocument_var document;
    EXPECT_EQ(QIVDocumentIO::Load(path, document, error), S_OK) << error.Format();
    return document;
  }
  // The object of the reloaded document with the id `original` had.
  template <class I = QIVBaseUnknown>
  QIVVar<I> Same(const QIVIDocument_var& reloaded, const QIVBaseUnknown_var& original) {
    QIVBaseUnknown_var object;
    reloaded->FindObject(QIVIModelObject_var(original)->GetDocumentId(), object);
    return QIVVar<I>(object);
  }
  QIVIDocument_var SavedAndLoaded(const EveryKindDocument& built) {
    Save(built.document, dir.File("body.json"));
    return Load(dir.File("body.json"));
  }
  static std::vector<long long> Ids(const QIVListValQIVBaseUnknown_var& objects) {
    std::vector<long long> ids;
    for (const QIVBaseUnknown_var& object : objects)
      ids.push_back(QIVIModelObject_var(object)->GetDocumentId());
    return ids;
  }

  TemporaryDirectory dir;
  QIVDocumentError error;
};

TEST_F(QIVDocumentIOTest, EveryKindOfObjectSavesLoadsAndSavesToTheSameBytes) {
  EveryKindDocument built;
  Save(built.document, dir.File("first.json"));
  QIVIDocument_var reloaded = Load(dir.File("first.json"));
  ASSERT_TRUE(reloaded);
  Save(reloaded, dir.File("second.json"));
  EXPECT_EQ(dir.Read("second.json"), dir.Read("first.json"));
  EXPECT_EQ(reloaded->GetObjectCount(), built.document->GetObjectCount());
  EXPECT_EQ(Ids(reloaded->GetAllObjects()), Ids(built.document->GetAllObjects()));
  reloaded->Close();
}

TEST_F(QIVDocumentIOTest, ReloadedDocumentKeepsTheOrdersLinksAndValuesPlannersSee) {
  EveryKindDocument built;
  QIVIDocument_var doc = SavedAndLoaded(built);
  ASSERT_TRUE(doc);

  // Orders that a reload in tree order would have turned round.
  EXPECT_EQ(Ids(Same<QIVISPPFlowMgt>(doc, built.operation)->GetPreviousActivities("")),
            Ids({built.unloading, built.loading}));
  QIVListValQIVBaseUnknown_var processing;
  Same<QIVISPPItem>(doc, built.weld)->GetProcessingActivities(processing, QIVSPPItemAnyMode);
  EXPECT_EQ(Ids(processing), Ids({built.sealing, built.welding}));
  EXPECT_EQ(Ids(doc->GetMfgAssemblies()), Ids({built.outer, built.inner}));
  EXPECT_EQ(Ids(Same<QIVISPPItemMgt>(doc, built.station)->GetItems("Item", QIVSPPItemAnyMode)),
            Ids({built.floor, built.inner, built.pin}));

  // Links and values.
  QIVBaseUnknown_var link, standsFor, owner, reference;
  Same<QIVISPPItemMgt>(doc, built.welding)->GetItemLink(Same(doc, built.weld), link);
  int first = 0, second = 0;
  QIVISPPItemLink_var(link)->GetOptions(first, second);
  EXPECT_EQ(std::pair(first, second), std::pair(3, -4));
  EXPECT_EQ(QIVISPPItemLink_var(link)->GetMode(), QIVSPPItemAssigned);
  EXPECT_TRUE(Same<QIVISPPItemMgt>(doc, built.station)->HasItem(Same(doc, built.inner), QIVSPPItemFromFlow));
  Same<QIVISPPDynamicActivity>(doc, built.dynamic)->GetActivity(standsFor);
  EXPECT_TRUE(standsFor == Same(doc, built.unloading));
  EXPECT_TRUE(Same<ZELIUpdateManufAssly>(doc, built.root)->IsAutomaticUpdate());
  double value = 0;
  Same<QIVISPPActivity>(doc, built.welding)->GetCycleTime(value);
  EXPECT_EQ(value, 0.1);
  Same<QIVISPPActivity>(doc, built.grouping)->GetAttribute("ProductExitRate", value);
  EXPECT_EQ(value, 55.5);

  QIVMathTransformation before, after;
  QIVIProduct_var(built.floor)->GetAbsolutePosition(before);
  Same<QIVIProduct>(doc, built.floor)->GetAbsolutePosition(after);
  EXPECT_EQ(after, before);
  EXPECT_EQ(Same<QIVIPLMObject>(doc, built.floor)->GetPLMID(), "PLM-FLOOR-7");
  Same<QIVIProduct>(doc, built.sideR)->GetReferenceProduct(reference);
  QIVBaseUnknown_var sharedReference;
  Same<QIVIProduct>(doc, built.sideL)->GetReferenceProduct(sharedReference);
  EXPECT_TRUE(reference == sharedReference);
  EXPECT_EQ(QIVIProductReference_var(reference)->GetVisualisableInstanceCount(), 2);
  EXPECT_TRUE(Same<QIVIProductReference>(doc, built.spare));
  Same<QIVITPSDatumTarget>(doc, built.targetA1)->GetOwnerProduct(owner);
  EXPECT_TRUE(owner == Same(doc, built.floor));

  QIVRawColldouble values, manufacturing;
  Same<ZELISpotWeld>(doc, built.weld)->GetValues(values);
  ZELISpotWeld_var(built.weld)->GetValues(manufacturing);
  EXPECT_EQ(values, manufacturing);
  Same<ZELIBIWPointFastener>(doc, built.weld)->GetManufacturingPosition(manufacturing);
  EXPECT_EQ(manufacturing, QIVRawColldouble({0.2, 0, 1e300, 90, -45, 180}));
  ZELIBIWFastener_var weld = Same<ZELIBIWFastener>(doc, built.weld);
  EXPECT_EQ(weld->GetColor(), 0x00FF7F);
  EXPECT_EQ(weld->GetIdentifier(), "W0001");
  QIVListValQIVBaseUnknown_var parts;
  QIVBaseUnknown_var container;
  doc->GetFeatureContainer(container);
  ZELIBIWFeaturePartRelations_var(container)->GetRelatedParts(Same(doc, built.weld), parts);
  EXPECT_EQ(Ids(parts), Ids({built.sideL, built.floor}));
  QIVBaseUnknown_var found;
  EXPECT_EQ(doc->FindFeatureByName("W0001, A", found), S_OK);
  EXPECT_EQ(Same<ZELIBIWLocatingPoint>(doc, built.pin)->GetColor(), 0);
  EXPECT_EQ(Same<ZELIBIWCurveFastener>(doc, built.seam)->GetLength(),
            ZELIBIWCurveFastener_var(built.seam)->GetLength());
  doc->Close();
}

TEST_F(QIVDocumentIOTest, ReloadedDocumentGoesOnNumberingNamesAndIds) {
  EveryKindDocument built;
  QIVIDocument_var doc = SavedAndLoaded(built);
  ASSERT_TRUE(doc);
  QIVBaseUnknown_var station;
  ASSERT_EQ(
      Same<QIVISPPChildManagement>(doc, built.grouping)->CreateChild(QIVSPPActivityTypes::Station, station),
      S_OK);
  EXPECT_EQ(QIVISPPActivity_var(station)->GetName(), "Station.2");
  const long long highest = Ids(doc->GetAllObjects()).back();
  EXPECT_GT(QIVIModelObject_var(station)->GetDocumentId(), highest - 1);
  QIVBaseUnknown_var product;
  doc->CreateProduct(nullptr, "Roof", "RF-1", product);
  EXPECT_GT(QIVIModelObject_var(product)->GetDocumentId(), QIVIModelObject_var(station)->GetDocumentId());
  doc->Close();
}

TEST_F(QIVDocumentIOTest, AFailedOrRefusedSaveLeavesTheOldFile) {
  EveryKindDocument built;
  const std::string path = dir.File("body.json");
  Save(built.document, path);
  const std::string saved = dir.Read("body.json");

  QIVIProduct_var(built.floor)->SetPrdInstanceName("Floor renamed");
  QIVSetAtomicWriteHook([](const std::string&) { return EIO; });
  EXPECT_EQ(QIVDocumentIO::Save(built.document, path, error), E_FAIL);
  EXPECT_EQ(error.Format(), "cannot write " + path + ": Input/output error");
  EXPECT_EQ(dir.Read("body.json"), saved);
  QIVSetAtomicWriteHook(nullptr);

  QIVISPPActivity_var(built.station)->SetAttribute("ProductExitRate", std::nan(""));
  EXPECT_EQ(QIVDocumentIO::Save(built.document, path, error), E_FAIL);
  const long long station = QIVIModelObject_var(built.station)->GetDocumentId();
  EXPECT_EQ(error.Format(), path + ": not saved: Activity " + std::to_string(station) +
                                ": ProductExitRate is not a finite number");
  EXPECT_EQ(dir.Read("body.json"), saved);
  EXPECT_EQ(dir.EntryCount(), 1);
}

TEST_F(QIVDocumentIOTest, LoadFailuresNameTheFileAndLeaveNothingBehind) {
  {
    EveryKindDocument built;
    Save(built.document, dir.File("body.json"));
    built.document->Close();
  }
  const std::string text = dir.Read("body.json");
  const std::string cut = dir.Write("cut.json", text.substr(0, text.size() - 40));
  const long alive = QIVBaseUnknown::LiveObjectCount();

  QIVIDocument_var doc;
  EXPECT_EQ(QIVDocumentIO::Load(dir.File("missing.json"), doc, error), E_FAIL);
  EXPECT_EQ(error.Format(), "cannot read " + dir.File("missing.json") + ": No such file or directory");

  EXPECT_EQ(QIVDocumentIO::Load(dir.Path(), doc, error), E_FAIL);
  EXPECT_EQ(error.Format(), dir.Path() + ": not a document file");
  EXPECT_EQ(QIVDocumentIO::Load("/dev/zero", doc, error), E_FAIL);
  EXPECT_EQ(error.Format(), "/dev/zero: not a document file");

  EXPECT_EQ(QIVDocumentIO::Load(cut, doc, error), E_FAIL);
  EXPECT_FALSE(doc);
  EXPECT_EQ(error.Format().str().rfind(cut + ":", 0), 0u) << error.Format();
  EXPECT_NE(error.GetReason().str().find("not valid JSON"), std::string::npos);
  EXPECT_GT(error.GetLine(), 1);

  // Broken at the very end: every object was built before the fault.
  std::string dangling = text;
  dangling.replace(dangling.rfind("\"entries\": ["), 13, "\"entries\": [99999, ");
  EXPECT_EQ(QIVDocumentIO::Load(dir.Write("dangling.json", dangling), doc, error), E_FAIL);
  EXPECT_EQ(error.GetPointer(), "/plantLibrary/entries/0");
  // Placed on its line in the file read again: the text went before the objects were built.
  EXPECT_EQ(error.GetLine(), 1 + std::count(dangling.begin(), dangling.begin() + dangling.rfind("\"entries\""), '\n'));
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), alive);
}

}  // namespace
