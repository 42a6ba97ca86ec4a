#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ModuleTestSession.h"
#include "QIVFrmEditor.h"
#include "QIVIPLMObject.h"
#include "QIVRepository.h"
#include "ScratchRepository.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWLocatingPoint.h"
#include "ZELIBIWPointFastener.h"
#include "ZELPLMServices.h"
#include "xml/ZELVekBIWFeatureAppearanceXMLSelectDlg.h"
#include "xml/ZELVekEditBIWFeatureAppearanceCmd.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// A body of four point fasteners, a locating and a clamping point, all
// published to a repository but W5, added after; the command is run
// through its dialog on two files written for each test.
class ZELVekEditBIWFeatureAppearanceCmdTest : public ModuleTestSession {
 protected:
  void SetUp() override {
    ModuleTestSession::SetUp();
    _repositoryFolder = std::filesystem::path(_repository.Location()).parent_path();
    ZELIBIWFPPFactory_var factory = FastenerFactory();
    QIVBaseUnknown_var top, locators, clamps;
    factory->GetTopGroup(top);
    w1 = Fastener(top, "W1", "spot weld", "exo", 100.0);
    w2 = Fastener(top, "W2", "sealant", "endo", 100.0001);
    w3 = Fastener(top, "W3, A", "spot weld", "exo", 50.0);
    factory->GetTopLocatingPointGroup(locators);
    factory->CreateLocatingPoint(locators, lp1);
    QIVIAlias_var(lp1)->SetAlias("LP1");
    ZELIBIWFeature_var(lp1)->SetPlanTypeName("4-way pin");
    factory->GetTopClampingPointGroup(clamps);
    factory->CreateClampingPoint(clamps, cp1);
    QIVIAlias_var(cp1)->SetAlias("CP1");
    std::shared_ptr<QIVRepository> repository = _repository.Open();
    ZELPLMServices::PublishDocument(QIVBaseUnknown_var(Document()), *repository);
    QIVFrmEditor::GetCurrentEditor()->SetRepository(repository);
    w5 = Fastener(top, "W5", "sealant", "endo", 100.0);
    Write("spot.obj", "v 0 0 0\n");
    Write("Style.xml", "<StyleFormat>\n<Style name=\"Spot\" file=\"" + File("spot.obj") +
                           "\"/>\n<Style name=\"Pin\" file=\"pin-nowhere.obj\"/>\n</StyleFormat>\n");
  }

  void TearDown() override {
    QIVFrmEditor::GetCurrentEditor()->SetRepository(nullptr);
    w1 = w2 = w3 = w5 = lp1 = cp1 = nullptr;
    ModuleTestSession::TearDown();
  }

  QIVBaseUnknown_var Fastener(const QIVBaseUnknown_var& top, const char* name, const char* type,
                              const char* category, double x) {
    QIVBaseUnknown_var fastener;
    FastenerFactory()->CreatePointFastener(top, fastener);
    QIVIAlias_var(fastener)->SetAlias(name);
    ZELIBIWFastener_var(fastener)->SetType(type);
    ZELIBIWFastener_var(fastener)->SetCategory(category);
    ZELIBIWPointFastener_var(fastener)->SetDesignPosition({x, 0, 0, 0, 0, 0});
    return fastener;
  }

  std::string File(const std::string& name) const { return (_repositoryFolder / name).string(); }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(File(name)) << text;
    return File(name);
  }

  // The rules in a graphic file: (kind, AttributeDetails lines).
  std::string Rules(const std::vector<std::pair<std::string, std::string>>& kinds) const {
    std::string text = "<Appearance>\n";
    for (const auto& [kind, details] : kinds)
      text += "<BIWFeatureType BIWFeature=\"" + kind + "\">\n" + details + "</BIWFeatureType>\n";
    return Write("Graphic.xml", text + "</Appearance>\n");
  }
  static std::string Rule(const char* attribute, const char* value, const char* color,
                          const char* graphic = "") {
    std::string rule =
        std::string("<AttributeDetails attribute=\"") + attribute + "\" value=\"" + value + "\">";
    if (*color) rule += std::string("<color>") + color + "</color>";
    if (*graphic) rule += std::string("<CGRName>") + graphic + "</CGRName>";
    return rule + "</AttributeDetails>\n";
  }

  // Picks both files through the browse buttons, then OK; the figures the
  // command told.
  std::vector<long long> Run(const std::string& graphic) {
    EXPECT_EQ(Deliver(QIVStartEvent{"ZELVekEditBIWFeatureAppearanceCmd"}), S_OK);
    _command = dynamic_cast<ZELVekEditBIWFeatureAppearanceCmd*>(Dispatcher().GetActiveCommand());
    Press("ButtonTextId1");
    Deliver(QIVWidgetEvent::File(File("Style.xml")));
    Press("ButtonTextId2");
    Deliver(QIVWidgetEvent::File(graphic));
    EXPECT_EQ(_command->GetDialog()->GetOKSensitivity(), QIVDlgEnable);
    EXPECT_EQ(PressDialog("OK"), S_OK);
    std::vector<long long> counts;
    for (const QIVCommandFigure& figure : Dispatcher().GetLastOutcome()->figures)
      counts.push_back(figure.value);
    return counts;
  }

  static long Color(const QIVBaseUnknown_var& object) {
    if (ZELIBIWFastener_var fastener = object) return fastener->GetColor();
    if (ZELIBIWLocatingPoint_var point = object) return point->GetColor();
    return ZELIBIWClampingPoint_var(object)->GetColor();
  }
  static std::string Graphic(const QIVBaseUnknown_var& object) {
    return ZELIBIWFeature_var(object)->GetGraphicRepresentation().str();
  }

  ScratchRepository _repository{"SQLite"};
  std::filesystem::path _repositoryFolder;
  ZELVekEditBIWFeatureAppearanceCmd* _command = nullptr;
  QIVBaseUnknown_var w1, w2, w3, w5, lp1, cp1;
};

}  // namespace

TEST_F(ZELVekEditBIWFeatureAppearanceCmdTest, ColoursEachFeatureByLocalAndRepositoryAttributes) {
  const std::string graphic =
      Rules({{"point fastener", Rule("fasteningcontext", "1", "255") + Rule("location.x", "100", "65280") +
                                    Rule("name", "W3", "3") + Rule("type", "spot weld", "", "Spot") +
                                    Rule("type", "no such type", "9")},
             {"locating feature",
              Rule("plantype_name", "4-way pin", "16711680", "Pin") + Rule("type", "spot weld", "7")},
             {"clamping point", Rule("name", "CP1", "4")}});
  // W5 has no PLM identifier, so no rule takes it; W2 stands at 100.0001.
  EXPECT_THAT(Run(graphic), ElementsAre(1, 1, 1, 2, 0, 1, 0, 1));
  EXPECT_THAT(Boxes(), ElementsAre());
  EXPECT_EQ(Color(w1), 65280);
  EXPECT_EQ(Color(w2), 255);
  EXPECT_EQ(Color(w3), 3);
  EXPECT_EQ(Color(w5), -1);
  EXPECT_EQ(Color(lp1), 16711680);
  EXPECT_EQ(Color(cp1), 4);
  EXPECT_EQ(Graphic(w1), File("spot.obj"));
  EXPECT_EQ(Graphic(w3), File("spot.obj"));
  // A representation found nowhere leaves the feature's as it was.
  EXPECT_EQ(Graphic(lp1), "");
  EXPECT_THAT(Transcript(), ::testing::Contains("feature modified \"W3, A\""));
  EXPECT_THAT(SavedText(), HasSubstr(File("spot.obj")));
}

TEST_F(ZELVekEditBIWFeatureAppearanceCmdTest, AsksTheRepositoryOnlyForTheAttributesNoFeatureHolds) {
  // Repeats go, and so do the local attributes: "type" is asked once.
  EXPECT_EQ(Deliver(QIVStartEvent{"ZELVekEditBIWFeatureAppearanceCmd"}), S_OK);
  auto* command = dynamic_cast<ZELVekEditBIWFeatureAppearanceCmd*>(Dispatcher().GetActiveCommand());
  ASSERT_NE(command, nullptr);
  command->ListOfQueryAttributes({"type", "name", "type", "quality"}, {"fasteningcontext", "name"}, {});
  EXPECT_EQ(command->GetRepositoryAttributes(0), (QIVListValQIVUnicodeString{"type", "quality"}));
  EXPECT_EQ(command->GetRepositoryAttributes(1), (QIVListValQIVUnicodeString{"fasteningcontext"}));
  // Rules on local attributes only: no query, no records.
  command->ListOfQueryAttributes({"name"}, {}, {});
  command->QueryXMLAttributes();
  EXPECT_EQ(command->GetRecordCount(), 0);
  command->ListOfQueryAttributes({"type"}, {}, {});
  command->QueryXMLAttributes();
  EXPECT_EQ(command->GetRecordCount(), 5);
  PressDialog("Cancel");
}

TEST_F(ZELVekEditBIWFeatureAppearanceCmdTest, AFaultyFileIsNamedWithItsPlaceAndChangesNothing) {
  const std::string before = SavedText();
  const std::string good = Rule("name", "W1", "255");
  struct Case {
    std::string text;
    const char* fault;
  };
  const Case cases[] = {
      {"<A><BIWFeatureType BIWFeature=\"point fastener\">\n" + good +
           "<AttributeDetails attribute=\"name\" value=\"W2\"><color>blue</color></AttributeDetails>\n"
           "</BIWFeatureType></A>\n",
       "Graphic.xml:3:58: bad colour \"blue\": a colour is a number from 0 to 16777215 (0xRRGGBB)"},
  };
  for (const Case& fault : cases) {
    EXPECT_THAT(Run(Write("Graphic.xml", fault.text)), ElementsAre()) << fault.text;
    const std::vector<QIVBoxShown>& boxes = Dispatcher().GetLastOutcome()->boxes;
    ASSERT_EQ(boxes.size(), 1u) << fault.text;
    EXPECT_EQ(boxes[0].text,
              File("Graphic.xml") + " cannot be used; no feature was changed:\n" + File(fault.fault));
    EXPECT_EQ(SavedText(), before) << fault.text;
  }
}
