#include "QIVSPPActivity.h"

#include <gtest/gtest.h>

#include "ModelTestDocument.h"
#include "QIVDictionary.h"
#include "QIVISPPItemLink.h"
#include "QIVISpecObject.h"
#include "ZELIMfgAssembly.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWLocatingPoint.h"

namespace T = QIVSPPActivityTypes;

namespace {

QIVListValQIVUnicodeString ChildNames(const QIVBaseUnknown_var& parent, const char* type = "") {
  return NamesOf(*QIVISPPChildManagement_var(parent)->GetChildren(type));
}

QIVListValQIVUnicodeString Names(std::initializer_list<const char*> names) {
  QIVListValQIVUnicodeString list;
  for (const char* name : names) list.Append(name);
  return list;
}

class ITestActivityNote : public QIVInterface<ITestActivityNote> {
 public:
  static constexpr const char* InterfaceName = "ITestActivityNote";
  virtual int Note() const = 0;
};

class TestActivityNote : public ITestActivityNote {
 public:
  int Note() const override { return 42; }
};

QIVBaseUnknown* MakeNote(QIVBaseUnknown*) { return new TestActivityNote; }

}  // namespace

TEST(QIVSPPActivityTest, ChildrenKeepTheirOrderAndFilterByTypeWithSubtypes) {
  ModelTestDocument model;
  EXPECT_EQ(ChildNames(model.station1), Names({"Loading.1", "SpotWelding.1", "SealantApplication.1"}));
  EXPECT_EQ(ChildNames(model.station1, T::BIWActivity), ChildNames(model.station1));
  EXPECT_EQ(ChildNames(model.station1, T::Welding), Names({"SpotWelding.1"}));
  EXPECT_EQ(ChildNames(model.station1, T::CurveFastening), Names({"SealantApplication.1"}));
  EXPECT_EQ(ChildNames(model.station1, T::Station), Names({}));
  EXPECT_EQ(ChildNames(model.grouping, T::Station), Names({"Station.1", "Station.2"}));
  EXPECT_EQ(QIVISPPChildManagement_var(model.station1)->GetChildrenCount(), 3);

  QIVBaseUnknown_var found;
  EXPECT_EQ(QIVISPPChildManagement_var(model.station1)->FindChild("SpotWelding.1", found), S_OK);
  EXPECT_TRUE(found == model.welding);
  QIVBaseUnknown_var father;
  EXPECT_EQ(QIVISPPActivity_var(model.welding)->GetFatherActivity(father), S_OK);
  EXPECT_TRUE(father == model.station1);
  EXPECT_EQ(QIVISPPActivity_var(model.root)->GetFatherActivity(father), E_FAIL);

  // Moving the welding activity after the sealant one, then into Station.2.
  QIVISPPChildManagement_var station1(model.station1);
  EXPECT_EQ(station1->InsertChildAfter(model.welding, model.sealing), S_OK);
  EXPECT_EQ(ChildNames(model.station1), Names({"Loading.1", "SealantApplication.1", "SpotWelding.1"}));
  EXPECT_EQ(QIVISPPChildManagement_var(model.station2)->AppendChild(model.welding), S_OK);
  EXPECT_EQ(ChildNames(model.station1), Names({"Loading.1", "SealantApplication.1"}));
  EXPECT_EQ(ChildNames(model.station2), Names({"SpotWelding.1"}));
  EXPECT_EQ(QIVISPPChildManagement_var(model.station2)->AppendChild(model.grouping), E_INVALIDARG);
}

TEST(QIVSPPActivityTest, NewActivitiesAreNamedByTypeWithANumberUniquePerType) {
  ModelTestDocument model;
  EXPECT_EQ(QIVISPPActivity_var(model.root)->GetName(), "Process");
  QIVBaseUnknown_var station3, loading2, process1, renamed;
  ModelTestDocument::Child(model.grouping, T::Station, station3);
  ModelTestDocument::Child(model.station2, T::Loading, loading2);
  ModelTestDocument::Child(model.station2, T::Process, process1);
  EXPECT_EQ(QIVISPPActivity_var(station3)->GetName(), "Station.3");
  EXPECT_EQ(QIVISPPActivity_var(loading2)->GetName(), "Loading.2");
  EXPECT_EQ(QIVISPPActivity_var(process1)->GetName(), "Process.1");

  // A renamed activity never gives its number again; a name taken by hand
  // moves the numbering past it.
  EXPECT_EQ(QIVISPPActivity_var(station3)->SetName("Station.9"), S_OK);
  ModelTestDocument::Child(model.grouping, T::Station, renamed);
  EXPECT_EQ(QIVISPPActivity_var(renamed)->GetName(), "Station.10");
  QIVISPPActivity_var(renamed)->SetName("Framing station");
  ModelTestDocument::Child(model.grouping, T::Station, renamed);
  EXPECT_EQ(QIVISPPActivity_var(renamed)->GetName(), "Station.11");
  EXPECT_EQ(QIVISPPActivity_var(renamed)->SetName(""), E_INVALIDARG);

  QIVBaseUnknown_var none;
  EXPECT_EQ(QIVISPPChildManagement_var(model.station2)->CreateChild(T::Welding, none), E_INVALIDARG);
  EXPECT_EQ(QIVISPPChildManagement_var(model.station2)->CreateChild("Robot", none), E_INVALIDARG);
  EXPECT_FALSE(none);
}

TEST(QIVSPPActivityTest, FlowQueriesFilterByActivityType) {
  ModelTestDocument model;
  QIVBaseUnknown_var hub, plain, process, operation, dynamic;
  ModelTestDocument::Child(model.station2, T::Activity, hub);
  ModelTestDocument::Child(model.station2, T::Activity, plain);
  ModelTestDocument::Child(model.station2, T::Process, process);
  ModelTestDocument::Child(model.station2, T::AssemblyOperation, operation);
  ModelTestDocument::Child(model.station2, T::DynamicActivity, dynamic);
  QIVISPPFlowMgt_var flow(hub);
  for (const QIVBaseUnknown_var& next : {plain, process, operation, model.station1, dynamic})
    EXPECT_EQ(flow->AddNextActivity(next), S_OK);
  EXPECT_EQ(flow->AddNextActivity(plain), S_FALSE);

  EXPECT_EQ(NamesOf(flow->GetNextActivities("")),
            Names({"Activity.2", "Process.1", "AssemblyOperation.1", "Station.1", "DynamicActivity.1"}));
  EXPECT_EQ(NamesOf(flow->GetNextActivities(T::Activity)), NamesOf(flow->GetNextActivities("")));
  EXPECT_EQ(NamesOf(flow->GetNextActivities(T::LogicalActivity)),
            Names({"Process.1", "AssemblyOperation.1", "Station.1"}));
  EXPECT_EQ(NamesOf(flow->GetNextActivities(T::PhysicalActivity)), Names({"AssemblyOperation.1", "Station.1"}));
  EXPECT_EQ(NamesOf(flow->GetNextActivities(T::BIWActivity)), Names({"Station.1"}));

  // Links are seen from both ends; Station.1 keeps its other predecessor.
  QIVISPPFlowMgt_var(plain)->AddNextActivity(model.station1);
  QIVISPPFlowMgt_var station1(model.station1);
  EXPECT_EQ(NamesOf(station1->GetPreviousActivities(T::Activity)), Names({"Activity.1", "Activity.2"}));
  EXPECT_EQ(NamesOf(station1->GetPreviousActivities(T::LogicalActivity)), Names({}));
  EXPECT_EQ(NamesOf(QIVISPPFlowMgt_var(model.welding)->GetPreviousActivities(T::PhysicalActivity)),
            Names({"Loading.1"}));

  EXPECT_EQ(flow->RemoveNextActivity(model.station1), S_OK);
  EXPECT_EQ(flow->RemoveNextActivity(model.station1), E_FAIL);
  EXPECT_EQ(NamesOf(station1->GetPreviousActivities("")), Names({"Activity.2"}));

  // A cycle is a flow the model holds; a link to another document is not.
  EXPECT_EQ(QIVISPPFlowMgt_var(model.sealing)->AddNextActivity(model.loading), S_OK);
  ModelTestDocument other;
  EXPECT_EQ(flow->AddNextActivity(other.station1), E_INVALIDARG);
}

TEST(QIVSPPActivityTest, ItemsAreAddedOnceAndRemovedByMode) {
  ModelTestDocument model;
  QIVISPPItemMgt_var items(model.station1);
  QIVBaseUnknown_var link;
  EXPECT_EQ(items->AddItem(model.floor, QIVSPPItemAssigned, &link), S_OK);
  EXPECT_EQ(items->AddItem(model.side1, QIVSPPItemFromFlow), S_OK);
  EXPECT_EQ(items->AddItem(model.w1), S_OK);
  EXPECT_EQ(items->AddItem(model.floor, QIVSPPItemFromFlow), S_FALSE);
  EXPECT_EQ(items->AddItem(model.welding), E_INVALIDARG);
  EXPECT_EQ(items->AddItem(model.cross, 7), E_INVALIDARG);

  EXPECT_EQ(NamesOf(items->GetItems()), Names({"Floor.1", "SideMember.1", "W0001, A"}));
  EXPECT_EQ(NamesOf(items->GetItems("Item", QIVSPPItemAssigned)), Names({"Floor.1", "W0001, A"}));
  EXPECT_EQ(NamesOf(items->GetItems("Item", QIVSPPItemFromFlow)), Names({"SideMember.1"}));
  EXPECT_EQ(NamesOf(items->GetItems("Product")), Names({"Floor.1", "SideMember.1"}));
  EXPECT_EQ(NamesOf(items->GetItems("PointFastener")), Names({"W0001, A"}));
  EXPECT_TRUE(items->HasItem(model.side1, QIVSPPItemFromFlow));
  EXPECT_FALSE(items->HasItem(model.side1, QIVSPPItemAssigned));

  // The link stands under the activity and is what the item knows of it.
  QIVBaseUnknown_var father;
  QIVISpecObject_var(link)->GetSpecFather(father);
  EXPECT_TRUE(father == model.station1);
  QIVListValQIVBaseUnknown_var referrers;
  QIVILinkableObject_var(model.floor)->GetReferencingObjects(referrers);
  EXPECT_TRUE(referrers.Contains(link));
  QIVISPPItemLink_var(link)->SetOptions(4, 1);
  int first = 0, second = 0;
  QIVISPPItemLink_var(link)->GetOptions(first, second);
  EXPECT_EQ(first * 10 + second, 41);
  QIVListValQIVBaseUnknown_var activities;
  QIVISPPItem_var(model.floor)->GetProcessingActivities(activities);
  ASSERT_EQ(activities.Size(), 1);
  EXPECT_TRUE(activities[1] == model.station1);

  EXPECT_EQ(items->RemoveItem(model.side1, QIVSPPItemAssigned), E_FAIL);
  EXPECT_EQ(items->RemoveItem(model.side1, QIVSPPItemFromFlow), S_OK);
  EXPECT_EQ(items->RemoveItems({model.floor, model.cross, model.w1}), S_OK);
  EXPECT_EQ(items->RemoveItems({model.floor}), S_FALSE);
  EXPECT_EQ(items->GetItemCount(), 0);
  QIVILinkableObject_var(model.floor)->GetReferencingObjects(referrers);
  EXPECT_FALSE(referrers.Contains(link));
  QIVISpecObject_var(link)->GetSpecFather(father);
  EXPECT_FALSE(father);
}

TEST(QIVSPPActivityTest, FactoryCreatesAChildOrTheNextActivityInTheFlow) {
  ModelTestDocument model;
  ZELIBIWActivityFactory_var factory(model.welding);
  QIVBaseUnknown_var stud = factory->CreateStudWeldingActivity(model.station1);
  EXPECT_EQ(ChildNames(model.station1), Names({"Loading.1", "SpotWelding.1", "SealantApplication.1", "StudWelding.1"}));
  EXPECT_TRUE(QIVISPPActivity_var(stud)->IsSubTypeOf(T::StudWelding));

  // After Loading.1: the new activity takes over its next link.
  QIVBaseUnknown_var clinching = factory->CreateClinchingActivityAfter(model.loading);
  ASSERT_TRUE(clinching);
  EXPECT_EQ(ChildNames(model.station1),
            Names({"Loading.1", "Clinching.1", "SpotWelding.1", "SealantApplication.1", "StudWelding.1"}));
  EXPECT_EQ(NamesOf(QIVISPPFlowMgt_var(model.loading)->GetNextActivities("")), Names({"Clinching.1"}));
  EXPECT_EQ(NamesOf(QIVISPPFlowMgt_var(clinching)->GetNextActivities("")), Names({"SpotWelding.1"}));
  EXPECT_EQ(NamesOf(QIVISPPFlowMgt_var(model.welding)->GetPreviousActivities("")), Names({"Clinching.1"}));

  QIVBaseUnknown_var station3 = factory->CreateStationActivityAfter(model.station2);
  EXPECT_EQ(ChildNames(model.grouping), Names({"Station.1", "Station.2", "Station.3"}));
  EXPECT_TRUE(factory->CreateGroupingActivity(model.root));
  EXPECT_TRUE(factory->CreateActivityOfType(T::AssemblyOperation, model.station2));

  // Nothing after a process root, nothing abstract, nothing in another document.
  ModelTestDocument other;
  EXPECT_FALSE(factory->CreateLoadingActivityAfter(model.root));
  EXPECT_FALSE(factory->CreateActivityOfType(T::Welding, model.station2));
  EXPECT_FALSE(factory->CreateLoadingActivity(other.station1));
}

TEST(QIVSPPActivityTest, KindInterfacesFollowTheTypeAndRootInterfacesThePlace) {
  ModelTestDocument model;
  EXPECT_FALSE(ZELIBIWActivityWelding_var(model.station1));
  EXPECT_FALSE(ZELIBIWItemInfo_var(model.root));
  EXPECT_TRUE(QIVISPPActivityRoot_var(model.root));
  EXPECT_TRUE(ZELIUpdateManufAssly_var(model.root));
  EXPECT_FALSE(QIVISPPActivityRoot_var(model.station1));
  QIVBaseUnknown_var plainProcess;
  ModelTestDocument::Child(model.grouping, T::Process, plainProcess);
  EXPECT_FALSE(QIVISPPActivityRoot_var(plainProcess));

  // The kind interfaces and the generic attributes read the same values.
  ZELIBIWActivityStation_var(model.station1)->SetProductExitRate(2.5);
  double rate = 0.0;
  EXPECT_EQ(QIVISPPActivity_var(model.station1)->GetAttribute("ProductExitRate", rate), S_OK);
  EXPECT_EQ(rate, 2.5);
  QIVISPPActivity_var(model.welding)->SetAttribute("PointFasteningRate", 0.25);
  ZELIBIWActivityWelding_var(model.welding)->GetPointFasteningRate(rate);
  EXPECT_EQ(rate, 0.25);
  EXPECT_EQ(QIVISPPActivity_var(model.welding)->GetAttribute("ProductExitRate", rate), E_FAIL);
  QIVListValQIVUnicodeString names;
  QIVISPPActivity_var(model.grouping)->GetAttributeNames(names);
  EXPECT_EQ(names, Names({"SpecifiedPointFasteners", "SpecifiedCurveFastenerLength", "GoalInvestmentCost",
                          "ProductExitRate"}));
  EXPECT_EQ(QIVISPPActivity_var(model.loading)->SetCycleTime(-1.0), E_INVALIDARG);
}

TEST(QIVSPPActivityTest, ExtensionsRegisteredOnAGroupTypeReachItsKinds) {
  static int loads = 0;
  static QIVFillDictionary entry(T::Welding, ITestActivityNote::InterfaceName, &MakeNote, &loads);
  ModelTestDocument model;
  QIVVar<ITestActivityNote> note(model.welding);
  ASSERT_TRUE(note);
  EXPECT_EQ(note->Note(), 42);
  EXPECT_FALSE(QIVVar<ITestActivityNote>(model.sealing));
  EXPECT_STREQ(model.welding->IsA(), T::SpotWelding);
}

TEST(QIVSPPActivityTest, RemovingAnActivityTakesItsSubtreeItemsAndFlowLinks) {
  ModelTestDocument model;
  QIVBaseUnknown_var other;
  ModelTestDocument::Child(model.station2, T::Loading, other);
  QIVISPPFlowMgt_var(model.sealing)->AddNextActivity(other);
  QIVISPPItemMgt_var(model.welding)->AddItem(model.w1);
  const QIVObjectId weldingId = QIVIModelObject_var(model.welding)->GetDocumentId();
  const int before = model.document->GetObjectCount();

  QIVBaseUnknown_var father;
  QIVISpecObject_var(model.station1)->GetSpecFather(father);
  EXPECT_EQ(QIVISpecObject_var(father)->RemoveComponent(model.station1, nullptr), S_OK);

  EXPECT_EQ(model.document->GetObjectCount(), before - 4);
  QIVBaseUnknown_var found;
  EXPECT_EQ(model.document->FindObject(weldingId, found), E_FAIL);
  EXPECT_EQ(ChildNames(model.grouping), Names({"Station.2"}));
  EXPECT_TRUE(QIVISPPFlowMgt_var(other)->GetPreviousActivities("").IsEmpty());
  EXPECT_EQ(ZELIBIWFeature_var(model.w1)->GetNumberOfAssignments(), 0);
  // The handle still held works, outside any document.
  EXPECT_EQ(QIVISPPActivity_var(model.welding)->GetName(), "SpotWelding.1");
  EXPECT_FALSE(QIVIModelObject_var(model.welding)->GetDocument());
  EXPECT_EQ(QIVISPPChildManagement_var(model.grouping)->RemoveChild(model.root), E_INVALIDARG);
}

TEST(QIVSPPActivityTest, DynamicActivityStandsForAnotherUntilThatOneGoes) {
  ModelTestDocument model;
  QIVBaseUnknown_var dynamic, target;
  ModelTestDocument::Child(model.station2, T::DynamicActivity, dynamic);
  QIVISPPDynamicActivity_var standsFor(dynamic);
  ASSERT_TRUE(standsFor);
  EXPECT_EQ(standsFor->GetActivity(target), E_FAIL);
  EXPECT_EQ(standsFor->SetActivity(model.station1), S_OK);
  EXPECT_EQ(standsFor->SetActivity(dynamic), E_INVALIDARG);
  standsFor->GetActivity(target);
  EXPECT_TRUE(target == model.station1);
  model.document->RemoveObject(model.station1);
  EXPECT_EQ(standsFor->GetActivity(target), E_FAIL);
}

TEST(QIVSPPActivityTest, ProcessRootDispatchesModificationsToItsListeners) {
  ModelTestDocument model;
  QIVISPPActivityModificationEvents_var events(model.root);
  ASSERT_TRUE(events);
  std::vector<int> kinds;
  const int key = events->AddListener([&](const QIVSPPActivityNotification& note) {
    EXPECT_TRUE(note.object == model.station1);
    kinds.push_back(note.kind);
  });
  events->Dispatch({QIVSPPActivityNotification::Modified, model.station1, nullptr});
  EXPECT_EQ(events->RemoveListener(key), S_OK);
  events->Dispatch({QIVSPPActivityNotification::Deleted, model.station1, nullptr});
  EXPECT_EQ(kinds, std::vector<int>{QIVSPPActivityNotification::Modified});
  EXPECT_EQ(events->RemoveListener(key), E_FAIL);

  ZELIUpdateManufAssly_var update(model.root);
  EXPECT_FALSE(update->IsAutomaticUpdate());
  update->SetAutomaticUpdate(true);
  EXPECT_TRUE(update->IsAutomaticUpdate());
}

TEST(QIVSPPActivityTest, BIWActivitiesJudgeTheirItems) {
  ModelTestDocument model;
  QIVBaseUnknown_var clamping, locating, clamp, top, assembly;
  ModelTestDocument::Child(model.station1, T::Clamping, clamping);
  ZELIBIWFPPFactory_var factory(model.container);
  factory->GetTopLocatingPointGroup(top);
  factory->CreateLocatingPoint(top, locating);
  factory->GetTopClampingPointGroup(top);
  factory->CreateClampingPoint(top, clamp);
  model.document->CreateObject("MfgAssembly", "", 0, assembly);

  EXPECT_EQ(ZELIBIWActivity_var(model.welding)->IsValidItem(model.w1), S_OK);
  EXPECT_EQ(ZELIBIWActivity_var(model.welding)->IsValidItem(model.seam), E_FAIL);
  EXPECT_EQ(ZELIBIWActivity_var(model.sealing)->IsValidItem(model.seam), S_OK);
  EXPECT_EQ(ZELIBIWActivity_var(model.station1)->IsValidItem(model.w1), E_FAIL);
  for (const QIVBaseUnknown_var& activity : {model.station1, model.loading, model.welding, clamping}) {
    EXPECT_EQ(ZELIBIWActivity_var(activity)->IsValidItem(model.floor), S_OK);
    EXPECT_EQ(ZELIBIWActivity_var(activity)->IsValidItem(assembly), S_OK);
  }
  EXPECT_EQ(ZELIBIWActivity_var(model.loading)->IsValidItem(locating), S_OK);
  EXPECT_EQ(ZELIBIWActivity_var(clamping)->IsValidItem(locating), E_FAIL);
  EXPECT_EQ(ZELIBIWActivity_var(clamping)->IsValidItem(clamp), S_OK);
  EXPECT_EQ(ZELIBIWActivity_var(model.loading)->IsValidItem(clamp), E_FAIL);
  EXPECT_EQ(ZELIBIWActivity_var(model.grouping)->IsValidItem(model.station1), E_FAIL);
}
