#include "ZELMfgAssembly.h"

#include <gtest/gtest.h>

#include "ModelTestDocument.h"
#include "ZELEMfgAssemblyFactory.h"
#include "ZELIMfgAssembly.h"

TEST(ZELMfgAssemblyTest, PartsAndSubAssembliesAreKeptApartWithoutCycles) {
  ModelTestDocument model;
  ZELEMfgAssemblyFactory factory(model.document);
  QIVBaseUnknown_var outer = factory.CreateMfgAssembly();
  QIVBaseUnknown_var inner = factory.CreateMfgAssembly();
  ZELIMfgAssembly_var assembly(outer);
  assembly->SetLabel("Station.1");
  EXPECT_EQ(assembly->GetLabel(), "Station.1");
  EXPECT_EQ(assembly->AddPart(model.floor), S_OK);
  EXPECT_EQ(assembly->AddPart(model.floor), S_FALSE);
  EXPECT_EQ(assembly->AddPart(inner), S_OK);
  EXPECT_EQ(ZELIMfgAssembly_var(inner)->AddPart(outer), E_INVALIDARG);
  EXPECT_EQ(assembly->AddPart(outer), E_INVALIDARG);
  EXPECT_EQ(assembly->AddPart(model.w1), E_INVALIDARG);

  QIVListValQIVBaseUnknown_var parts;
  assembly->GetParts(parts);
  EXPECT_EQ(NamesOf(parts).Size(), 1);
  assembly->GetSubAssemblies(parts);
  ASSERT_EQ(parts.Size(), 1);
  EXPECT_TRUE(parts[1] == inner);
  EXPECT_EQ(model.document->GetMfgAssemblies().Size(), 2);

  EXPECT_EQ(assembly->RemovePart(inner), S_OK);
  EXPECT_EQ(assembly->RemovePart(inner), E_FAIL);
  EXPECT_EQ(assembly->RemovePart(model.floor), S_OK);
  assembly->GetParts(parts);
  EXPECT_TRUE(parts.IsEmpty());
}

TEST(ZELMfgAssemblyTest, AnAssemblyMadeWithoutDocumentJoinsTheFirstDocumentItIsLinkedWith) {
  ModelTestDocument model;
  QIVBaseUnknown_var loose = ZELEMfgAssemblyFactory().CreateMfgAssembly();
  ASSERT_TRUE(ZELIMfgAssembly_var(loose));
  EXPECT_FALSE(QIVIModelObject_var(loose)->GetDocument());
  EXPECT_EQ(QIVIModelObject_var(loose)->GetDocumentId(), 0);

  QIVBaseUnknown_var output;
  QIVISPPFlowMgt_var(model.station1)->CreateProductOutput(output);
  EXPECT_EQ(QIVISPPProductIO_var(output)->SetProduct(loose), S_OK);
  EXPECT_TRUE(QIVIModelObject_var(loose)->GetDocument() == model.document);
  EXPECT_GT(QIVIModelObject_var(loose)->GetDocumentId(), 0);
  EXPECT_EQ(model.document->GetMfgAssemblies().Size(), 1);
  EXPECT_EQ(model.document->Adopt(loose), S_FALSE);

  // Once in a document, it cannot take parts of another one.
  ModelTestDocument other;
  EXPECT_EQ(ZELIMfgAssembly_var(loose)->AddPart(other.floor), E_INVALIDARG);
  QIVBaseUnknown_var second = ZELEMfgAssemblyFactory().CreateMfgAssembly();
  EXPECT_EQ(ZELIMfgAssembly_var(second)->AddPart(model.side1), S_OK);
  EXPECT_TRUE(QIVIModelObject_var(second)->GetDocument() == model.document);
  EXPECT_EQ(other.document->Adopt(second), E_INVALIDARG);
}
