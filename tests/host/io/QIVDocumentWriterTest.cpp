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

TEST_F(QIVDocumentWriterTest, NumbersComeBackBitForBit) {
  EveryKindDocument built;
  const double values[] = {-0.0,    4.9e-324, DBL_MAX, 1.0 / 3, 0.1 + 0.2, 18446744073709551616.0,
                           -1e-300, 1e21,     7};
  QIVRawColldouble set;
  set.Items().assign(std::begin(values), std::end(values));
  ZELISpotWeld_var(built.weld)->SetValues(set);
  const std::string text = Write(built.document);
  QIVIDocument_var reloaded = Read(text);
  QIVBaseUnknown_var weld;
  reloaded->FindObject(IdOf(built.weld), weld);
  QIVRawColldouble read;
  ZELISpotWeld_var(weld)->GetValues(read);
  ASSERT_EQ(read.Size(), 9);
  for (int i = 1; i <= 9; ++i)
    EXPECT_EQ(std::memcmp(&read[i], &values[i - 1], sizeof(double)), 0) << values[i - 1];
  EXPECT_EQ(Write(reloaded), text);
  reloaded->Close();
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

TEST_F(QIVDocumentWriterTest, TextsThatAreNotUtf8AreWrittenOnceWithReplacementCharacters) {
  EveryKindDocument built;
  QIVIProduct_var(built.floor)->SetPrdInstanceName("Tr\xE4ger \"links\"\n");
  const std::string text = Write(built.document);
  EXPECT_NE(text.find(R"("name": "Tr)"
                      "\xEF\xBF\xBD"
                      R"(ger \"links\"\n")"),
            std::string::npos);
  QIVIDocument_var reloaded = Read(text);
  QIVBaseUnknown_var floor;
  reloaded->FindObject(IdOf(built.floor), floor);
  EXPECT_EQ(QIVIProduct_var(floor)->GetPrdInstanceName(), "Tr\xEF\xBF\xBDger \"links\"\n");
  EXPECT_EQ(Write(reloaded), text);
  reloaded->Close();
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
  EXPECT_EQ(QIVDocumentWriter::Write(nullptr, text, error), E_INVALIDARG);
}

}  // namespace
