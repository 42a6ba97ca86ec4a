#include "ZELFastenerServices.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "../model/ModelTestDocument.h"
#include "QIVFrmEditor.h"
#include "QIVIAlias.h"
#include "QIVISPPActivity.h"
#include "ZELEMfgAssemblyFactory.h"
#include "ZELIBIWFeature.h"
#include "ZELIMfgAssembly.h"

namespace T = QIVSPPActivityTypes;

namespace {

// Makes the model's document the current editor's for the test's duration.
struct CurrentModel : ModelTestDocument {
  CurrentModel() {
    QIVVar<QIVFrmEditor> editor = QIVMake<QIVFrmEditor>(QIVBaseUnknown_var(document));
    QIVFrmEditor::SetCurrentEditor(editor.get());
  }
  ~CurrentModel() { QIVFrmEditor::SetCurrentEditor(nullptr); }
};

QIVListValQIVUnicodeString Names(std::initializer_list<const char*> names) {
  QIVListValQIVUnicodeString list;
  for (const char* name : names) list.Append(name);
  return list;
}

QIVListValQIVUnicodeString WeldIDs(const QIVListValQIVBaseUnknown_var& fasteners) {
  QIVListValQIVUnicodeString ids;
  for (const QIVBaseUnknown_var& fastener : fasteners) ids.Append(ZELFastenerServices::GetWeldID(fastener));
  return ids;
}

}  // namespace

TEST(ZELFastenerServicesTest, DocumentListsComeInDocumentOrderFromTheCurrentEditor) {
  QIVBaseUnknown_var document;
  EXPECT_EQ(ZELFastenerServices::GetCurrentDocument(document), E_FAIL);
  _SEQUENCE_QIVBaseUnknown_ptr sequence;
  EXPECT_EQ(ZELFastenerServices::GetListOfAllFasteners(sequence), E_FAIL);
  EXPECT_TRUE(sequence.empty());

  CurrentModel model;
  ASSERT_EQ(ZELFastenerServices::GetCurrentDocument(document), S_OK);
  EXPECT_TRUE(document == model.document);

  // One reference per entry, which the caller gives back.
  const unsigned long held = model.w1->RefCount();
  ASSERT_EQ(ZELFastenerServices::GetListOfAllFasteners(sequence), S_OK);
  ASSERT_EQ(sequence.size(), 4u);
  EXPECT_EQ(sequence[0], model.w1.Identity());
  EXPECT_EQ(sequence[3], model.seam.Identity());
  EXPECT_EQ(model.w1->RefCount(), held + 1);
  QIVReleaseSequence(sequence);
  EXPECT_EQ(model.w1->RefCount(), held);

  QIVListValQIVBaseUnknown_var list;
  ZELFastenerServices::GetListOfAllPointFasteners(model.document, list);
  EXPECT_EQ(NamesOf(list), Names({"W0001, A", "W0002, A", "W0003, B"}));
  ZELFastenerServices::GetAllProducts(list);
  EXPECT_EQ(NamesOf(list)[5], "CrossMember.1");
  ZELFastenerServices::GetListOfAllActivities(list);
  EXPECT_EQ(NamesOf(list), Names({"Process", "Grouping.1", "Station.1", "Loading.1", "SpotWelding.1",
                                  "SealantApplication.1", "Station.2"}));
  QIVBaseUnknown_var root, container, fromFeature, fromDocument;
  ZELFastenerServices::GetRootActivity(root);
  EXPECT_TRUE(root == model.root);
  EXPECT_EQ(ZELFastenerServices::GetRootProcessContainer(container), S_OK);
  ZELFastenerServices::GetProductFeatureContainer(container);
  ZELFastenerServices::GetFeatContainerFromFeature(model.floor, fromFeature);
  ZELFastenerServices::GetFeatContainerFromDocument(model.document, fromDocument);
  EXPECT_TRUE(container == model.container && fromFeature == container && fromDocument == container);
  EXPECT_EQ(ZELFastenerServices::GetFeatContainerFromFeature(nullptr, fromFeature), E_FAIL);

  QIVBaseUnknown_var top, pin, clamp;
  ZELIBIWFPPFactory_var factory(model.container);
  factory->GetTopLocatingPointGroup(top);
  factory->CreateLocatingPoint(top, pin);
  factory->GetTopClampingPointGroup(top);
  factory->CreateClampingPoint(top, clamp);
  ZELFastenerServices::GetListOfAllLocators(sequence);
  ASSERT_EQ(sequence.size(), 1u);
  EXPECT_EQ(sequence[0], pin.Identity());
  ZELFastenerServices::GetListOfAllClamps(sequence);
  ASSERT_EQ(sequence.size(), 1u);
  EXPECT_EQ(sequence[0], clamp.Identity());
  QIVReleaseSequence(sequence);
}

TEST(ZELFastenerServicesTest, WeldIDIsTheGivenIdentifierElseTheNameBeforeTheComma) {
  ModelTestDocument model;
  EXPECT_EQ(ZELFastenerServices::GetWeldID(model.w1), "W0001");
  ZELIBIWFastener_var(model.w1)->SetIdentifier("ID-77");
  EXPECT_EQ(ZELFastenerServices::GetWeldID(model.w1), "ID-77");
  QIVIAlias_var(model.w2)->SetAlias("W0002");
  EXPECT_EQ(ZELFastenerServices::GetWeldID(model.w2), "W0002");
  QIVIAlias_var(model.w2)->SetAlias("W, 1, 2");
  EXPECT_EQ(ZELFastenerServices::GetWeldID(model.w2), "W");
  EXPECT_EQ(ZELFastenerServices::GetWeldID(model.floor), "");
}

TEST(ZELFastenerServicesTest, QuickSortOrdersByIdentifierNaturallyAndKeepsEqualOnesInPlace) {
  ModelTestDocument model;
  QIVBaseUnknown_var w10 = model.Point(model.body1, "W10, A", "spot weld");
  QIVBaseUnknown_var w9b = model.Point(model.body1, "W9, B", "spot weld");
  QIVBaseUnknown_var w9a = model.Point(model.body1, "W9, A", "spot weld");
  QIVBaseUnknown_var named = model.Point(model.body1, "Z1, A", "spot weld");
  ZELIBIWFastener_var(named)->SetIdentifier("A100");
  QIVListValQIVBaseUnknown_var list{w10, w9b, named, w9a, model.w2};

  EXPECT_EQ(ZELFastenerServices::QuickSort("Name", list), E_INVALIDARG);
  EXPECT_EQ(WeldIDs(list), Names({"W10", "W9", "A100", "W9", "W0002"}));
  EXPECT_EQ(ZELFastenerServices::QuickSort("Fastener", list), S_OK);
  EXPECT_EQ(WeldIDs(list), Names({"A100", "W0002", "W9", "W9", "W10"}));
  EXPECT_TRUE(list[3] == w9b);
  EXPECT_TRUE(list[4] == w9a);

  _SEQUENCE_QIVBaseUnknown_ptr sequence{w10.get(), w9a.get(), model.w1.get()};
  EXPECT_EQ(ZELFastenerServices::QuickSort("Fastener", sequence), S_OK);
  EXPECT_EQ(sequence, (_SEQUENCE_QIVBaseUnknown_ptr{model.w1.get(), w9a.get(), w10.get()}));

  EXPECT_LT(ZELFastenerServices::CompareWeldIDs("W9", "W10"), 0);
  EXPECT_EQ(ZELFastenerServices::CompareWeldIDs("W009", "W9"), 0);
  EXPECT_GT(ZELFastenerServices::CompareWeldIDs("W9b", "W9a"), 0);
  EXPECT_LT(ZELFastenerServices::CompareWeldIDs("W9", "W9a"), 0);
  EXPECT_LT(ZELFastenerServices::CompareWeldIDs("W99999999999999999998", "W99999999999999999999"), 0);
}

// Random identifiers (digits with leading zeros, the bytes next to the
// digits, runs too long for a sort key, long common beginnings) come out in CompareWeldIDs' order,
// equal ones as they stood.
TEST(ZELFastenerServicesTest, QuickSortKeepsTheNaturalOrderOfAnyIdentifiers) {
  ModelTestDocument model;
  std::mt19937 random(5);
  const std::string bytes = "00019/:AaZ_-\x7f\xc3";
  for (const bool longRun : {false, true}) {
    QIVListValQIVBaseUnknown_var list;
    for (int i = 0; i < 300; ++i) {
      std::string name;
      // Half share their first sixteen bytes and more.
      if (i % 2) name = "Body.Side.Frame.L";
      for (int length = random() % 7; length > 0; --length) name += bytes[random() % bytes.size()];
      if (longRun && i == 150) name += std::string(300, '7');
      list.Append(model.Point(model.body1, name.c_str(), "spot weld"));
    }
    const QIVListValQIVBaseUnknown_var before = list;
    // Sorted with their identifiers given, the same order; then a part of
    // the list, and the list with one renamed, by the same sort again.
    ZELFastenerServices::WeldIDSort sort;
    const auto sortedWithIDs = [&sort](QIVListValQIVBaseUnknown_var fasteners) {
      std::vector<QIVUnicodeString> ids;
      for (const QIVBaseUnknown_var& fastener : fasteners) ids.push_back(ZELFastenerServices::GetWeldID(fastener));
      sort.Sort(fasteners, ids);
      for (int i = 1; i <= fasteners.Size(); ++i) EXPECT_EQ(ids[i - 1], ZELFastenerServices::GetWeldID(fasteners[i]));
      return fasteners;
    };
    const auto quickSorted = [](QIVListValQIVBaseUnknown_var fasteners) {
      EXPECT_EQ(ZELFastenerServices::QuickSort("Fastener", fasteners), S_OK);
      return fasteners;
    };
    EXPECT_TRUE(sortedWithIDs(list) == quickSorted(list));
    QIVListValQIVBaseUnknown_var part;
    for (int i = 1; i <= list.Size(); i += 1 + i % 3) part.Append(list[i]);
    EXPECT_TRUE(sortedWithIDs(part) == quickSorted(part));
    EXPECT_TRUE(sortedWithIDs(part) == quickSorted(part));
    QIVIAlias_var(part[part.Size() / 2])->SetAlias("0");
    EXPECT_TRUE(sortedWithIDs(part) == quickSorted(part));
    EXPECT_EQ(ZELFastenerServices::QuickSort("Fastener", list), S_OK);
    for (int i = 1; i < list.Size(); ++i) {
      const int order = ZELFastenerServices::CompareWeldIDs(ZELFastenerServices::GetWeldID(list[i]),
                                                            ZELFastenerServices::GetWeldID(list[i + 1]));
      EXPECT_LE(order, 0) << i;
      if (order == 0) {
        EXPECT_LT(before.Locate(list[i]), before.Locate(list[i + 1])) << i;
      }
    }
  }
}

TEST(ZELFastenerServicesTest, GetWeldFromActivityReadsAssignedFastenersByModeAndDepth) {
  ModelTestDocument model;
  QIVISPPItemMgt_var(model.welding)->AddItem(model.w2);
  QIVISPPItemMgt_var(model.welding)->AddItem(model.w1);
  QIVISPPItemMgt_var(model.welding)->AddItem(model.floor);
  QIVISPPItemMgt_var(model.sealing)->AddItem(model.seam);
  QIVISPPItemMgt_var(model.station1)->AddItem(model.w1, QIVSPPItemFromFlow);

  QIVListValQIVBaseUnknown_var fasteners;
  EXPECT_EQ(ZELFastenerServices::GetWeldFromActivity(model.welding, fasteners, 0, 0), S_OK);
  EXPECT_EQ(NamesOf(fasteners), Names({"W0002, A", "W0001, A"}));
  ZELFastenerServices::GetWeldFromActivity(model.station1, fasteners, 0, 0);
  EXPECT_EQ(NamesOf(fasteners), Names({"W0001, A"}));
  ZELFastenerServices::GetWeldFromActivity(model.station1, fasteners, 0, -1);
  EXPECT_EQ(NamesOf(fasteners), Names({"W0001, A", "W0002, A", "S0001, B"}));
  ZELFastenerServices::GetWeldFromActivity(model.grouping, fasteners, 0, 1);
  EXPECT_EQ(NamesOf(fasteners), Names({"W0001, A"}));
  ZELFastenerServices::GetWeldFromActivity(model.grouping, fasteners, 0, 2);
  EXPECT_EQ(fasteners.Size(), 3);

  // Mode 1 adds to what the list holds, each fastener once.
  fasteners = {model.w3, model.w2};
  ZELFastenerServices::GetWeldFromActivity(model.root, fasteners, 1, -1);
  EXPECT_EQ(NamesOf(fasteners), Names({"W0003, B", "W0002, A", "W0001, A", "S0001, B"}));
  EXPECT_EQ(ZELFastenerServices::GetWeldFromActivity(model.floor, fasteners, 0, 0), E_INVALIDARG);

  ZELFastenerServices::GetListOfR7AssignedWeld(model.grouping, fasteners);
  EXPECT_EQ(NamesOf(fasteners), Names({"W0001, A", "W0002, A", "S0001, B"}));
}

TEST(ZELFastenerServicesTest, CheckWeldAssignementRefusesAFastenerAssignedAnywhereOrOfAnotherKind) {
  ModelTestDocument model;
  QIVBaseUnknown_var studWeld = model.Point(model.body1, "ST1, A", "stud weld");
  EXPECT_EQ(ZELFastenerServices::CheckWeldAssignement(model.w1, model.welding, nullptr, 0), S_OK);
  QIVISPPItemMgt_var(model.station2)->AddItem(model.w1);
  EXPECT_LT(ZELFastenerServices::CheckWeldAssignement(model.w1, model.welding, nullptr, 0), 0);
  EXPECT_LT(ZELFastenerServices::CheckWeldAssignement(studWeld, model.welding, nullptr, 0), 0);
  // Asked in turn of kinds and activities, each answer is its own.
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(ZELFastenerServices::IsValidWeldForActivity(model.w2, model.welding), S_OK);
    EXPECT_EQ(ZELFastenerServices::IsValidWeldForActivity(model.seam, model.welding), E_FAIL);
    EXPECT_EQ(ZELFastenerServices::IsValidWeldForActivity(model.seam, model.sealing), S_OK);
    EXPECT_EQ(ZELFastenerServices::IsValidWeldForActivity(model.w2, model.sealing), E_FAIL);
  }
}

TEST(ZELFastenerServicesTest, PartLoadConstraintKeepsFastenersWhosePartsAllReachTheStation) {
  ModelTestDocument model;
  model.RelateFastenersToJoints();
  QIVISPPItemMgt_var(model.loading)->AddItem(model.floor);
  QIVISPPItemMgt_var(model.loading)->AddItem(model.side1);

  QIVListValQIVBaseUnknown_var parts;
  EXPECT_EQ(ZELFastenerServices::GetLoadedParts(model.welding, parts), S_OK);
  EXPECT_EQ(NamesOf(parts), Names({"Floor.1", "SideMember.1"}));

  QIVListValQIVBaseUnknown_var list{model.w3, model.w1, nullptr, model.seam, model.w2, model.floor};
  QIVListValQIVBaseUnknown_var unconstrained = list;
  EXPECT_EQ(ZELFastenerServices::ValidateListOfFastenersForAssignmentToActivity(unconstrained, model.welding, false),
            S_OK);
  EXPECT_EQ(unconstrained.Size(), 6);
  EXPECT_EQ(ZELFastenerServices::ValidateListOfFastenersForAssignmentToActivity(list, model.welding, true), S_OK);
  EXPECT_EQ(NamesOf(list), Names({"W0001, A", "W0002, A", "Floor.1"}));

  // The cross member reaching the station inside an incoming assembly is
  // loaded too, at any depth of sub-assemblies.
  ZELEMfgAssemblyFactory factory(model.document);
  QIVBaseUnknown_var outer = factory.CreateMfgAssembly(), inner = factory.CreateMfgAssembly();
  ZELIMfgAssembly_var(inner)->AddPart(model.cross);
  ZELIMfgAssembly_var(outer)->AddPart(inner);
  QIVISPPItemMgt_var(model.station1)->AddItem(outer, QIVSPPItemFromFlow);
  list = {model.w3, model.seam};
  ZELFastenerServices::ValidateListOfFastenersForAssignmentToActivity(list, model.sealing, true);
  EXPECT_EQ(list.Size(), 2);

  // Station.2 loads nothing; an activity without a station loads its own items.
  list = {model.w1};
  ZELFastenerServices::ValidateListOfFastenersForAssignmentToActivity(list, model.station2, true);
  EXPECT_TRUE(list.IsEmpty());
  QIVBaseUnknown_var loose;
  ModelTestDocument::Child(model.grouping, T::SpotWelding, loose);
  QIVISPPItemMgt_var(loose)->AddItem(model.floor);
  QIVISPPItemMgt_var(loose)->AddItem(model.side1);
  list = {model.w1, model.w3};
  ZELFastenerServices::ValidateListOfFastenersForAssignmentToActivity(list, loose, true);
  EXPECT_EQ(NamesOf(list), Names({"W0001, A"}));
  EXPECT_EQ(ZELFastenerServices::ValidateListOfFastenersForAssignmentToActivity(list, model.floor, true),
            E_INVALIDARG);
}

TEST(ZELFastenerServicesTest, AssignUnassignAndReallocateMakeAndBreakItemLinks) {
  ModelTestDocument model;
  QIVBaseUnknown_var second;
  ModelTestDocument::Child(model.station2, T::SpotWelding, second);
  QIVListValQIVBaseUnknown_var list{model.w1, model.seam, model.w2};
  EXPECT_EQ(ZELFastenerServices::AssignListOfWelds(&list, model.welding, model.body, 0), S_FALSE);
  EXPECT_EQ(ZELFastenerServices::AssignListOfWelds(nullptr, model.welding, model.body, 0), S_FALSE);
  EXPECT_EQ(ZELFastenerServices::AssignR7Weld(model.welding, model.w3), S_OK);
  EXPECT_EQ(ZELFastenerServices::AssignR7Weld(model.welding, model.seam), E_FAIL);
  QIVListValQIVBaseUnknown_var assigned;
  ZELFastenerServices::GetWeldFromActivity(model.welding, assigned, 0, 0);
  EXPECT_EQ(NamesOf(assigned), Names({"W0001, A", "W0002, A", "W0003, B"}));
  EXPECT_TRUE(QIVISPPItemMgt_var(model.welding)->HasItem(model.w1, QIVSPPItemAssigned));

  int count = -1;
  QIVListValQIVBaseUnknown_var activities;
  ZELFastenerServices::GetActivityFromAssignedWeld(model.w1, activities, count);
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(activities[1] == model.welding);

  EXPECT_EQ(ZELFastenerServices::ReallocateWeld(model.welding, second, {model.w1, model.seam}), S_FALSE);
  ZELFastenerServices::GetActivityFromAssignedWeld(model.w1, activities, count);
  EXPECT_TRUE(activities[1] == second);

  EXPECT_EQ(ZELFastenerServices::UnassignListOfWelds({model.w2, model.floor}, model.welding), S_OK);
  ZELFastenerServices::GetWeldFromActivity(model.welding, assigned, 0, 0);
  EXPECT_EQ(NamesOf(assigned), Names({"W0003, B"}));
  EXPECT_EQ(ZELIBIWFeature_var(model.w2)->GetNumberOfAssignments(), 0);
  EXPECT_EQ(ZELFastenerServices::AssignListOfWelds(&list, model.floor, nullptr, 0), E_INVALIDARG);

  EXPECT_EQ(ZELFastenerServices::AssignProductsAsFirstAssign(model.station2, {model.floor, model.cross}), S_OK);
  EXPECT_EQ(NamesOf(QIVISPPItemMgt_var(model.station2)->GetItems("Item", QIVSPPItemFromFlow)),
            Names({"Floor.1", "CrossMember.1"}));
}

TEST(ZELFastenerServicesTest, HierarchyProcessVersionsAndRepositoryAssignments) {
  ModelTestDocument model;
  QIVUnicodeString text;
  EXPECT_EQ(ZELFastenerServices::GetActivityHierarchy(model.welding, text), S_OK);
  EXPECT_EQ(text, "Process/Grouping.1/Station.1/SpotWelding.1");
  ZELFastenerServices::GetActivityHierarchy(model.root, text);
  EXPECT_EQ(text, "Process");
  EXPECT_EQ(ZELFastenerServices::GetActivityHierarchy(model.floor, text), E_INVALIDARG);
  QIVListValQIVUnicodeString tree;
  ZELFastenerServices::GetListOfExpandedTREEUpwards(model.welding, tree);
  EXPECT_EQ(tree, Names({"SpotWelding.1", "Station.1", "Grouping.1", "Process"}));

  // A fastener assigned under another process root belongs to another version.
  QIVBaseUnknown_var container, variant, station;
  model.document->GetProcessContainer(container);
  QIVISPPProcessContainer_var(container)->CreateProcess("Variant B", variant);
  ModelTestDocument::Child(variant, T::Station, station);
  EXPECT_EQ(ZELFastenerServices::IsValidProcessVersion(model.welding, model.w1, tree), S_OK);
  QIVISPPItemMgt_var(station)->AddItem(model.w1);
  EXPECT_EQ(ZELFastenerServices::IsValidProcessVersion(model.welding, model.w1, tree), E_FAIL);
  EXPECT_EQ(ZELFastenerServices::IsValidProcessVersion(station, model.w1, {}), S_OK);

  EXPECT_EQ(ZELFastenerServices::GetNumberOfK2Assignments(model.w2), 0);
  ZELIBIWFastener_var(model.w2)->AddExternalAssignment("Plant/Station 40");
  ZELIBIWFastener_var(model.w2)->AddExternalAssignment("Plant/Station 50");
  EXPECT_EQ(ZELFastenerServices::GetNumberOfK2Assignments(model.w2), 2);
  EXPECT_EQ(ZELFastenerServices::GetNumberOfK2Assignments(model.floor), 0);
  text = "Process/Station.1;";
  ZELFastenerServices::AddK2AssignmentToText(model.w2, text);
  EXPECT_EQ(text, "Process/Station.1;Plant/Station 40;Plant/Station 50;");
}

TEST(ZELFastenerServicesTest, PlacementsTurnIntoPositionAndAngles) {
  QIVRawColldouble values;
  ZELFastenerServices::FromQIVMathToYPR(QIVMathTransformation::FromYPR(12.5, -3, 7, 10, 20, 30), values);
  ASSERT_EQ(values.Size(), 6);
  const double expected[] = {12.5, -3, 7, 10, 20, 30};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(values[i + 1], expected[i], 1e-9);
}
