#include "ZELPLMServices.h"

#include <gtest/gtest.h>

#include "../model/ModelTestDocument.h"
#include "QIVFrmEditor.h"
#include "QIVIPLMObject.h"
#include "ScratchRepository.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWPointFastener.h"
#include "ZELIPLMOpenObjectInfo.h"
#include "ZELPLMOpenObjectServices.h"

namespace {

using ZELPLMServicesTest = RepositoryEngineTest;

QIVUnicodeString PLMID(const QIVBaseUnknown_var& object) { return QIVIPLMObject_var(object)->GetPLMID(); }

std::string Text(const QIVBaseUnknown_var& record, const char* name) {
  QIVVariant value;
  ZELPLMOpenObjectServices::GetVariantAttribute(record, name, value);
  return value.Text() ? *value.Text() : std::string("?");
}

// Planner A's document is the current editor's, with the repository; B
// publishes a copy of the same body through a repository of its own.
TEST_P(ZELPLMServicesTest, ServicesAnswerFromWhatTheDocumentsPublished) {
  ModelTestDocument a, b;
  std::shared_ptr<QIVRepository> repository = _scratch->Open();
  QIVVar<QIVFrmEditor> editor = QIVMake<QIVFrmEditor>(QIVBaseUnknown_var(a.document));
  editor->SetRepository(repository);
  QIVFrmEditor::SetCurrentEditor(editor.get());
  QIVISPPItemMgt_var(a.welding)->AddItem(a.w1);
  ZELIBIWPointFastener_var(a.w1)->SetManufacturingPosition({1, 2, 3, 0, 0, 0}, false);

  EXPECT_EQ(ZELPLMServices::PublishDocument(QIVBaseUnknown_var(a.document), *repository).plmIds.size(), 4u);
  QIVUnicodeString id;
  EXPECT_EQ(ZELPLMServices::GetPLMID(a.w1, id), S_OK);
  EXPECT_EQ(ZELIBIWFastener_var(a.w1)->GetFastenerVersion(), "1");

  for (const auto& [mine, theirs] : {std::pair{a.w1, b.w1}, std::pair{a.w2, b.w2}})
    QIVIPLMObject_var(theirs)->SetPLMID(PLMID(mine));
  QIVISPPItemMgt_var(b.sealing)->AddItem(b.w1);
  ZELIBIWPointFastener_var(b.w1)->SetManufacturingPosition({7, 8, 9, 0, 0, 0}, false);
  ZELPLMServices::PublishDocument(QIVBaseUnknown_var(b.document), *_scratch->Open());
  // A's next session reads what B published.
  editor->SetRepository(_scratch->Open());

  EXPECT_EQ(ZELFastenerServices::GetNumberOfK2Assignments(a.w1), 1);
  QIVUnicodeString text = "Mine;";
  ZELFastenerServices::AddK2AssignmentToText(a.w1, text);
  EXPECT_EQ(text, "Mine;Process/Grouping.1/Station.1/SealantApplication.1;");

  QIVListValQIVBaseUnknown_var records;
  ASSERT_EQ(ZELFastenerServices::GetK2ManufacturingFasternerInfo({PLMID(a.w2), "PLM-none", PLMID(a.w1)}, records),
            S_OK);
  ASSERT_EQ(records.Size(), 2);
  EXPECT_EQ(ZELIPLMOpenObjectInfo_var(records[2])->GetIdentifier(), PLMID(a.w1));
  QIVRawColldouble saved;
  ZELFastenerServices::GetPointFastenersAttributesFromVUXO(records[2], saved);
  EXPECT_EQ(saved, (QIVRawColldouble{7, 8, 9, 0, 0, 0}));

  QIVListValQIVBaseUnknown_var points, locators, clamps;
  ASSERT_EQ(ZELFastenerServices::QueryAttributes({PLMID(a.w3), "PLM-none"}, {}, {}, {"type"}, {}, {}, points,
                                                 locators, clamps),
            S_OK);
  ASSERT_EQ(points.Size(), 2);
  EXPECT_EQ(Text(points[1], "type"), "spot weld");
  EXPECT_FALSE(points[2]);
  QIVFrmEditor::SetCurrentEditor(nullptr);
}

TEST_P(ZELPLMServicesTest, PlantLibraryAnswersThroughItsAttributeNames) {
  QIVLibraryContents library;
  library.plantTypes = {{"Resource", ""}, {"Robot", "Resource"}, {"WeldRobot", "Robot"}};
  library.plantTypeSetMaster = "Resource";
  library.plantTypeSetChildren = {"Robot", "WeldRobot"};
  library.resources = {{"R1", "WeldRobot"}};
  library.templates = {{"Framing", {{"S1", "Spot welding cell", 1.5e5, 2.5, 0.5, "R1"}}}};
  std::shared_ptr<QIVRepository> repository = _scratch->Open();
  repository->ReplaceLibrary(library);
  QIVVar<QIVFrmEditor> editor = QIVMake<QIVFrmEditor>(QIVBaseUnknown_var());
  editor->SetRepository(repository);
  QIVFrmEditor::SetCurrentEditor(editor.get());

  QIVListValQIVBaseUnknown_var templates, stations, resources, sets, children;
  ASSERT_EQ(ZELPLMOpenObjectServices::GetLibraryObjects("template", templates), S_OK);
  ASSERT_EQ(templates.Size(), 1);
  ZELPLMOpenObjectServices::GetLinkedObjects(templates[1], "BIWActivityStation", stations);
  ASSERT_EQ(stations.Size(), 1);
  EXPECT_EQ(Text(stations[1], "_stationtype"), "Spot welding cell");
  QIVListValQIVBaseUnknown_var bases;
  ZELPLMOpenObjectServices::GetLinkedObjects(stations[1], "ergocompbase", bases);
  ASSERT_EQ(bases.Size(), 1);
  QIVVariant rate;
  ZELPLMOpenObjectServices::GetVariantAttribute(bases[1], "_pointfasteningrate", rate);
  EXPECT_EQ(*rate.Real(), 2.5);
  ZELPLMOpenObjectServices::GetLinkedObjects(stations[1], "proc_uses_plant", resources);
  ASSERT_EQ(resources.Size(), 1);
  EXPECT_EQ(Text(resources[1], "plantype_name"), "WeldRobot");
  ZELPLMOpenObjectServices::GetLibraryObjects("ergoplantypeset", sets);
  ZELPLMOpenObjectServices::GetLinkedObjects(sets[1], "ergoplantypechild", children);
  ASSERT_EQ(children.Size(), 2);
  EXPECT_EQ(Text(children[2], "name"), "WeldRobot");
  EXPECT_TRUE(ZELPLMOpenObjectServices::IsSubTypeOf("WeldRobot", "Resource"));
  EXPECT_FALSE(ZELPLMOpenObjectServices::IsSubTypeOf("Robot", "WeldRobot"));
  QIVFrmEditor::SetCurrentEditor(nullptr);
}

BIWPLAN_INSTANTIATE_FOR_ENGINES(ZELPLMServicesTest);

}  // namespace
