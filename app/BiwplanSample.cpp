#include "BiwplanSample.h"

#include "BiwplanCsvReader.h"
#include "BiwplanFeatureImport.h"
#include "BiwplanProductImport.h"
#include "QIVEnvironment.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItemMgt.h"
#include "QIVSPPActivityType.h"

namespace {

struct SampleStation {
  const char* name;
  // Product paths the station handles.
  std::vector<const char*> products;
};

const SampleStation kStations[] = {
    {"Station 10 Front Floor",
     {"UnderBody.1/FrontFloor.1/FrontFloorPanel.1", "UnderBody.1/FrontFloor.1/TunnelReinforcement.1",
      "UnderBody.1/FrontFloor.1/SeatCrossMemberFront.1", "UnderBody.1/FrontFloor.1/SeatCrossMemberRear.1"}},
    {"Station 20 Rear Floor",
     {"UnderBody.1/RearFloor.1/RearFloorPanel.1", "UnderBody.1/RearFloor.1/SpareWheelWell.1",
      "UnderBody.1/RearFloor.1/RearCrossMember.1", "UnderBody.1/HeelKickPanel.1"}},
    {"Station 30 Side Members",
     {"UnderBody.1/SideMemberLeft.1/SideMemberInnerLeft.1", "UnderBody.1/SideMemberLeft.1/SideMemberOuterLeft.1",
      "UnderBody.1/SideMemberRight.1/SideMemberInnerRight.1", "UnderBody.1/SideMemberRight.1/SideMemberOuterRight.1",
      "UnderBody.1/FrontCrossMember.1"}},
};

bool CreateNamed(const QIVBaseUnknown_var& parent, const char* type, const char* name, QIVBaseUnknown_var& child) {
  QIVISPPChildManagement_var children = parent;
  if (!children || FAILED(children->CreateChild(type, child)) || !child) return false;
  QIVISPPActivity_var activity = child;
  return activity && SUCCEEDED(activity->SetName(name));
}

}  // namespace

namespace BiwplanSample {

std::string ExamplesDirectory() {
  if (const char* overridden = QIVGetEnv("BIWPLAN_EXAMPLES")) return overridden;
  return BIWPLAN_EXAMPLES_DIR;
}

bool Build(const QIVIDocument_var& document, std::string& error) {
  if (BiwplanProductImport::Import(document, ExamplesDirectory() + "/underbody_bom.csv", error) < 0) return false;

  QIVBaseUnknown_var root;
  QIVBaseUnknown_var line;
  if (FAILED(document->GetRootActivity(root)) || !CreateNamed(root, QIVSPPActivityTypes::Grouping,
                                                               "UnderBody Line", line)) {
    error = "the sample process could not be built";
    return false;
  }
  QIVISPPFlowMgt_var previous;
  for (const SampleStation& sample : kStations) {
    QIVBaseUnknown_var station;
    QIVBaseUnknown_var loading;
    if (!CreateNamed(line, QIVSPPActivityTypes::Station, sample.name, station) ||
        !CreateNamed(station, QIVSPPActivityTypes::Loading, "Load parts", loading)) {
      error = std::string("the station \"") + sample.name + "\" could not be built";
      return false;
    }
    QIVISPPItemMgt_var items = station;
    for (const char* path : sample.products) {
      QIVBaseUnknown_var product;
      if (FAILED(document->FindProductByPath(BiwplanCsvReader::SplitPath(path), product)) || !product || !items ||
          FAILED(items->AddItem(product))) {
        error = std::string("the sample part \"") + path + "\" could not be handled";
        return false;
      }
    }
    if (previous) previous->AddNextActivity(station);
    previous = station;
  }
  return BiwplanFeatureImport::Import(document, ExamplesDirectory() + "/underbody_locators.csv", error) >= 0;
}

}  // namespace BiwplanSample
