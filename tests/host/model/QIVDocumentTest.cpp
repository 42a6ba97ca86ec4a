#include "QIVDocument.h"

#include <gtest/gtest.h>

#include "ModelTestDocument.h"
#include "QIVIPlantLibrary.h"
#include "QIVISPPActivity.h"
#include "QIVISPPActivityModificationEvents.h"
#include "QIVISPPDynamicActivity.h"
#include "QIVISPPItemLink.h"
#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "QIVProductReference.h"
#include "ZELEMfgAssemblyFactory.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELIMfgAssembly.h"

namespace T = QIVSPPActivityTypes;

namespace {

QIVListValQIVUnicodeString Path(std::initializer_list<const char*> names) {
  QIVListValQIVUnicodeString path;
  for (const char* name : names) path.Append(name);
  return path;
}

QIVObjectId IdOf(const QIVBaseUnknown_var& object) { return QIVIModelObject_var(object)->GetDocumentId(); }

}  // namespace

TEST(QIVDocumentTest, ANewDocumentHasItsContainersAndAProcessRootNamedProcess) {
  QIVIDocument_var document = QIVDocument::New();
  QIVBaseUnknown_var root, container, features, library;
  ASSERT_EQ(document->GetRootActivity(root), S_OK);
  EXPECT_EQ(QIVISPPActivity_var(root)->GetName(), "Process");
  EXPECT_TRUE(QIVISPPActivity_var(root)->IsSubTypeOf(T::Process));
  EXPECT_TRUE(document->GetRootProducts().IsEmpty());
  EXPECT_TRUE(document->GetAllProducts().IsEmpty());

  QIVInit_var init(document);
  ASSERT_EQ(init->GetRootContainer(QIVISPPProcessContainer::ClassName(), container), S_OK);
  EXPECT_EQ(QIVISPPProcessContainer_var(container)->GetProcesses().Size(), 1);
  EXPECT_TRUE(QIVISPPProcessContainer_var(container)->GetProcesses()[1] == root);
  EXPECT_EQ(init->GetRootContainer("ZELFPPContainer", features), S_OK);
  EXPECT_TRUE(ZELIBIWFeatureContainer_var(features));
  EXPECT_EQ(init->GetRootContainer(QIVIPlantLibrary::ClassName(), library), S_OK);
  EXPECT_EQ(init->GetRootContainer("Nothing", library), E_INVALIDARG);
  EXPECT_EQ(document->GetObjectCount(), 4);

  QIVIDocument_var empty = QIVDocument::NewEmpty();
  EXPECT_EQ(empty->GetObjectCount(), 0);
  EXPECT_EQ(empty->GetRootActivity(root), E_FAIL);
}

TEST(QIVDocumentTest, ObjectsKeepTheirIdsAndAReaderRebuildsThemWithTheSameIds) {
  QIVIDocument_var document = QIVDocument::NewEmpty();
  QIVBaseUnknown_var container, root, station, product, group, fastener, extra;
  ASSERT_EQ(document->CreateObject("ProcessContainer", "", 3, container), S_OK);
  ASSERT_EQ(document->CreateObject("Activity", T::Process, 10, root), S_OK);
  ASSERT_EQ(document->CreateObject("Activity", T::Station, 12, station), S_OK);
  ASSERT_EQ(document->CreateObject("Product", "", 7, product), S_OK);
  EXPECT_EQ(document->CreateObject("Product", "", 7, extra), E_INVALIDARG);
  EXPECT_EQ(document->CreateObject("ProcessContainer", "", 0, extra), E_INVALIDARG);
  EXPECT_EQ(document->CreateObject("Activity", T::BIWActivity, 0, extra), E_INVALIDARG);
  EXPECT_EQ(document->CreateObject("Widget", "", 0, extra), E_INVALIDARG);
  EXPECT_EQ(document->CreateObject("FeatureGroup", "Cluster", 0, extra), E_INVALIDARG);
  EXPECT_FALSE(extra);

  // New objects take the next id after the highest one.
  ASSERT_EQ(document->CreateObject("FeatureContainer", "", 0, group), S_OK);
  EXPECT_EQ(IdOf(group), 13);

  QIVISPPActivity_var(root)->SetName("Process");
  QIVISPPActivity_var(station)->SetName("Station.4");
  EXPECT_EQ(QIVISPPProcessContainer_var(container)->AddProcess(root), S_OK);
  EXPECT_EQ(QIVISPPChildManagement_var(root)->AppendChild(station), S_OK);
  QIVIProduct_var(product)->SetPrdInstanceName("Body");
  EXPECT_EQ(document->AddRootProduct(product), S_OK);

  QIVBaseUnknown_var found;
  EXPECT_EQ(document->FindActivityByPath(Path({"Process", "Station.4"}), found), S_OK);
  EXPECT_TRUE(found == station);
  EXPECT_EQ(document->FindObject(12, found), S_OK);
  EXPECT_TRUE(found == station);
  QIVListValQIVBaseUnknown_var all = document->GetAllObjects();
  ASSERT_EQ(all.Size(), 5);
  EXPECT_EQ(IdOf(all[1]), 3);
  EXPECT_EQ(IdOf(all[5]), 13);
  EXPECT_STREQ(QIVIModelObject_var(station)->GetKindName(), "Activity");
  EXPECT_EQ(QIVIModelObject_var(station)->GetSubKind(), T::Station);
  std::string counted;
  for (const QIVIDocument::KindCount& entry : document->CountObjectsByKind())
    counted += entry.kind + "/" + entry.subKind + "=" + std::to_string(entry.count) + " ";
  EXPECT_EQ(counted,
            "Activity/BIWActivityStation=1 Activity/Process=1 FeatureContainer/=1 ProcessContainer/=1 "
            "Product/=1 ");

  // The numbering of new stations goes on after the loaded ones.
  QIVBaseUnknown_var next;
  QIVISPPChildManagement_var(root)->CreateChild(T::Station, next);
  EXPECT_EQ(QIVISPPActivity_var(next)->GetName(), "Station.5");
  EXPECT_EQ(IdOf(next), 14);
}

TEST(QIVDocumentTest, JournalReferencesResolveByPathNameAndId) {
  ModelTestDocument model;
  QIVBaseUnknown_var found;
  EXPECT_EQ(model.document->FindActivityByPath(Path({"Process", "Grouping.1", "Station.1", "SpotWelding.1"}), found),
            S_OK);
  EXPECT_TRUE(found == model.welding);
  EXPECT_EQ(model.document->FindActivityByPath(Path({"Process"}), found), S_OK);
  EXPECT_TRUE(found == model.root);
  EXPECT_EQ(model.document->FindActivityByPath(Path({"Process", "Station.1"}), found), E_FAIL);
  EXPECT_EQ(model.document->FindActivityByPath(Path({}), found), E_FAIL);

  EXPECT_EQ(model.document->FindProductByPath(Path({"Body", "SideMember.2"}), found), S_OK);
  EXPECT_TRUE(found == model.side2);
  EXPECT_EQ(model.document->FindProductByPath(Path({"Body", "SideMember.3"}), found), E_FAIL);
  EXPECT_EQ(model.document->FindProductByPath(Path({"Floor.1"}), found), E_FAIL);

  EXPECT_EQ(model.document->FindFeatureByName("W0002, A", found), S_OK);
  EXPECT_TRUE(found == model.w2);
  EXPECT_EQ(model.document->FindFeatureByName("JB2", found), S_OK);
  EXPECT_TRUE(found == model.body2);
  QIVBaseUnknown_var datum;
  model.document->CreateDatum(false, "A", model.floor, datum);
  EXPECT_EQ(model.document->FindFeatureByName("A", found), S_OK);
  EXPECT_TRUE(found == datum);
  QIVIAlias_var(model.w1)->SetAlias("W0002, A");
  EXPECT_EQ(model.document->FindFeaturesByName("W0002, A").Size(), 2);
  QIVIAlias_var(model.w2)->SetAlias("W0009, A");
  EXPECT_EQ(model.document->FindFeatureByName("W0002, A", found), S_OK);
  EXPECT_TRUE(found == model.w1);

  EXPECT_EQ(model.document->FindObject(IdOf(model.seam), found), S_OK);
  EXPECT_TRUE(found == model.seam);
  EXPECT_EQ(model.document->FindObject(99999, found), E_FAIL);

  QIVListValQIVUnicodeString names;
  model.document->GetActivityPath(model.sealing, names);
  EXPECT_EQ(names, Path({"Process", "Grouping.1", "Station.1", "SealantApplication.1"}));
  model.document->GetProductPath(model.cross, names);
  EXPECT_EQ(names, Path({"Body", "CrossMember.1"}));
}

TEST(QIVDocumentTest, ProductsAreFoundByInstanceNameAndPartNumberInTreeOrder) {
  ModelTestDocument model;
  EXPECT_EQ(NamesOf(model.document->GetAllProducts()),
            Path({"Body", "Floor.1", "SideMember.1", "SideMember.2", "CrossMember.1"}));
  QIVBaseUnknown_var spare, inner;
  model.document->CreateProduct(nullptr, "Spare", "", spare);
  model.document->CreateProduct(model.floor, "SideMember.2", "SM-300", inner);
  EXPECT_EQ(NamesOf(model.document->GetAllProducts()),
            Path({"Body", "Floor.1", "SideMember.2", "SideMember.1", "SideMember.2", "CrossMember.1", "Spare"}));

  QIVListValQIVBaseUnknown_var named = model.document->FindProductsByInstanceName("SideMember.2");
  ASSERT_EQ(named.Size(), 2);
  EXPECT_TRUE(named[1] == inner);
  EXPECT_TRUE(named[2] == model.side2);
  QIVListValQIVBaseUnknown_var numbered = model.document->FindProductsByPartNumber("SM-300");
  ASSERT_EQ(numbered.Size(), 3);
  EXPECT_TRUE(numbered[1] == inner);
  EXPECT_TRUE(numbered[3] == model.side2);
  EXPECT_TRUE(model.document->FindProductsByPartNumber("XX-1").IsEmpty());
  QIVBaseUnknown_var reference;
  EXPECT_EQ(model.document->FindReference("SM-300", reference), S_OK);
  EXPECT_EQ(QIVIProductReference_var(reference)->GetVisualisableInstanceCount(), 3);
}

TEST(QIVDocumentTest, DeletingAnObjectBreaksEveryLinkToIt) {
  ModelTestDocument model;
  model.RelateFastenersToJoints();
  QIVBaseUnknown_var assembly, datum, output, product;
  model.document->CreateObject("MfgAssembly", "", 0, assembly);
  ZELIMfgAssembly_var(assembly)->AddPart(model.side1);
  ZELIMfgAssembly_var(assembly)->AddPart(model.floor);
  model.document->CreateDatum(true, "T1", model.side1, datum);
  QIVISPPItemMgt_var(model.loading)->AddItem(model.side1);
  QIVISPPFlowMgt_var(model.loading)->CreateProductOutput(output);
  QIVISPPProductIO_var(output)->SetProduct(model.side1);

  EXPECT_EQ(model.document->RemoveObject(model.side1), S_OK);

  QIVListValQIVBaseUnknown_var parts;
  ZELIBIWFeaturePartRelations_var relations(model.container);
  relations->GetRelatedParts(model.joint1, parts);
  EXPECT_EQ(NamesOf(parts), Path({"Floor.1"}));
  relations->FindFeaturesJoiningParts({model.floor}, parts);
  EXPECT_EQ(NamesOf(parts), Path({"Assembly Joint.1", "W0001, A", "W0002, A"}));
  ZELIMfgAssembly_var(assembly)->GetParts(parts);
  EXPECT_EQ(NamesOf(parts), Path({"Floor.1"}));
  EXPECT_TRUE(QIVISPPItemMgt_var(model.loading)->GetItems().IsEmpty());
  EXPECT_EQ(QIVISPPProductIO_var(output)->GetProduct(product), E_FAIL);
  EXPECT_EQ(QIVITPSDatumTarget_var(datum)->GetOwnerProduct(product), E_FAIL);
  EXPECT_EQ(NamesOf(model.document->FindProductsByInstanceName("SideMember.1")), Path({}));
  EXPECT_EQ(NamesOf(model.document->FindProductsByPartNumber("SM-300")), Path({"SideMember.2"}));

  // Deleting a joint deletes its joint bodies and fasteners with it.
  const int before = model.document->GetObjectCount();
  EXPECT_EQ(QIVISpecObject_var(model.joint2)->GetSpecFather(product), S_OK);
  EXPECT_EQ(ZELIBIWFeatureChildMgmt_var(product)->RemoveChild(model.joint2), S_OK);
  EXPECT_EQ(model.document->GetObjectCount(), before - 4);
  EXPECT_EQ(model.document->FindFeatureByName("S0001, B", product), E_FAIL);
  EXPECT_EQ(model.document->RemoveObject(model.container), E_INVALIDARG);
}

