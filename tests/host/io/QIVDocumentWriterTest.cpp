#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>

#include "EveryKindDocument.h"
#include "QIVDocumentReader.h"
#include "QIVDocumentWriter.h"
#include "QIVIModelObject.h"

namespace {

class QIVDocumentWriterTest : public ::testing::Test {
 protected:
  std::string Write(const QIVIDocument_var& document) {
    std::string text;
    EXPECT_EQ(QIVDocumentWriter::Write(document, text, error), S_OK) << error.Format();
    return text;
  }
  QIVIDocument_var Read(const std::string& text) {
    QIVIDocument_var document;
    EXPECT_EQ(QIVDocumentReader::Read(text, "written", document, error), S_OK) << error.Format();
    return document;
  }
  static long long IdOf(const QIVBaseUnknown_var& object) {
    return QIVIModelObject_var(object)->GetDocumentId();
  }

  QIVDocumentError error;
};

TEST_F(QIVDocumentWriterTest, NewDocumentIsWrittenWithEverySectionInItsPlace) {
  EXPECT_EQ(Write(QIVDocument::New()), R"({
  "format": "biwplan-document",
  "version": 1,
  "references": [],
  "products": [],
  "datums": [],
  "features": {
    "id": 2,
    "groups": []
  },
  "assemblies": [],
  "process": {
    "id": 1,
    "activities": [
      {
        "id": 4,
        "type": "Process",
        "name": "Process",
        "automaticUpdate": false
      }
    ]
  },
  "flow": [],
  "items": [],
  "plantLibrary": {
    "id": 3
  }
}
)");
}

TEST_F(QIVDocumentWriterTest, EntriesLeaveOutWhatHoldsItsDefault) {
  QIVIDocument_var document = QIVDocument::New();
  QIVBaseUnknown_var container, top, weld;
  document->GetFeatureContainer(container);
  ZELIBIWFPPFactory_var(container)->GetTopGroup(top);
  ZELIBIWFPPFactory_var(container)->CreatePointFastener(top, weld);
  const nlohmann::json entry = nlohmann::json::parse(Write(document))["features"]["groups"][0]["children"][0];
  EXPECT_EQ(entry, nlohmann::json::parse(R"({"id": 6, "kind": "PointFastener", "type": "", "category": "exo",
                                             "values": [0, 0, 0, 0, 0, 0, 0, 0, 0]})"));
}

TEST_F(QIVDocumentWriterTest, WhatTheFormatCannotHoldIsRefusedNamingTheObject) {
  std::string text = "left alone";
  {
    EveryKindDocument built;
    ZELISpotWeld_var(built.weld)->SetValue(4, std::nan(""));
    EXPECT_EQ(QIVDocumentWriter::Write(built.document, text, error), E_FAIL);
    EXPECT_EQ(error.GetReason(), "PointFastener " + std::to_string(IdOf(built.weld)) +
                                     ": values holds a number that is not finite");
    EXPECT_TRUE(text.empty());
  }
  {
    EveryKindDocument built;
    QIVISPPActivity_var(built.welding)->SetCycleTime(std::numeric_limits<double>::infinity());
    EXPECT_EQ(QIVDocumentWriter::Write(built.document, text, error), E_FAIL);
    EXPECT_EQ(error.GetReason(),
              "Activity " + std::to_string(IdOf(built.welding)) + ": cycleTime is not a finite number");
  }
  {
    EveryKindDocument built;
    QIVBaseUnknown_var loose;
    built.document->CreateObject("Activity", QIVSPPActivityTypes::Station, 0, loose);
    EXPECT_EQ(QIVDocumentWriter::Write(built.document, text, error), E_FAIL);
    EXPECT_EQ(error.GetReason(),
              "Activity " + std::to_string(IdOf(loose)) + " stands outside the document's structure");
  }
  {
    // A tree a load would refuse is not saved either.
    QIVIDocument_var document = QIVDocument::New();
    QIVBaseUnknown_var product;
    for (int level = 1; level <= 257; ++level) {
      QIVBaseUnknown_var father = product;
      document->CreateProduct(father, "P" + std::to_string(level), "", product);
    }
    EXPECT_EQ(QIVDocumentWriter::Write(document, text, error), E_FAIL);
    EXPECT_TRUE(error.GetReason().EndsWith(" lies deeper than 256 levels, more than a document holds"));
    document->Close();
  }
  EXPECT_EQ(QIVDocumentWriter::Write(nullptr, text, error), E_INVALIDARG);
}

}  // namespace
