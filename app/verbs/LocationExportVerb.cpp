#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanSteps.h"
#include "BiwplanVerbs.h"
#include "ZELFastenerServices.h"
#include "ZELISpotWeld.h"

namespace {

struct LocationExport {
  std::string document;
  std::string output;
  std::vector<std::string> welds;
  std::vector<std::string> groups;
  std::string refProduct;
};

int SpotWeldCount(const QIVIDocument_var& document) {
  QIVListValQIVBaseUnknown_var fasteners;
  ZELFastenerServices::GetListOfAllPointFasteners(QIVBaseUnknown_var(document), fasteners);
  return static_cast<int>(
      std::count_if(fasteners.begin(), fasteners.end(),
                    [](const QIVBaseUnknown_var& fastener) { return bool(ZELISpotWeld_var(fastener)); }));
}

// The planner's steps in the export dialog: with chosen welds or groups,
// empty the list the dialog starts with and pick them back one by one;
// pick the reference product; save.
void AddExportSteps(BiwplanSteps& steps, const LocationExport& request, const QIVIDocument_var& document) {
  steps.Add(JournalVerb::Start, {"ZELVekBIWSaveLocationsInXMLCmd"});
  if (!request.welds.empty() || !request.groups.empty()) {
    const int listedWelds = SpotWeldCount(document);
    std::vector<std::string> rows{"pWeldsListSelectorList"};
    for (int row = 0; row < listedWelds; ++row) rows.push_back(std::to_string(row));
    if (listedWelds > 0) steps.Add(JournalVerb::Select, rows).Add(JournalVerb::Press, {"pRemoveWeldsPushButton"});
    for (const std::string& weld : request.welds)
      steps.Add(JournalVerb::Pick, {BiwplanReference(weld, JournalObjectRef::Fastener)});
    for (const std::string& group : request.groups)
      steps.Add(JournalVerb::Pick, {BiwplanReference(group, JournalObjectRef::Feature)});
  }
  if (!request.refProduct.empty())
    steps.Add(JournalVerb::Pick, {BiwplanReference(request.refProduct, JournalObjectRef::Product)});
  steps.Add(JournalVerb::Press, {"OK"}).File(request.output);
}

// Every name must stand for an object before anything is played, so that a
// mistyped name is told as such, not as a step of the canned journal.
bool AllFound(BiwplanSession& session, const LocationExport& request) {
  for (const std::string& weld : request.welds)
    if (!BiwplanFindNamed(session, weld, JournalObjectRef::Fastener)) return false;
  for (const std::string& group : request.groups)
    if (!BiwplanFindNamed(session, group, JournalObjectRef::Feature)) return false;
  return request.refProduct.empty() || BiwplanFindNamed(session, request.refProduct, JournalObjectRef::Product);
}

int ExportLocations(const LocationExport& request) {
  BiwplanSession session;
  if (!BiwplanOpen(session, request.document)) return BiwplanExit::Failed;
  if (!AllFound(session, request)) return BiwplanExit::Failed;
  BiwplanSteps steps("export-locations");
  AddExportSteps(steps, request, session.Document());
  if (const int status = steps.Play(session); status != BiwplanExit::Ok) return status;
  // A file that could not be written is told in the command's box.
  const QIVCommandOutcome& outcome = BiwplanOutcome(session, "ZELVekBIWSaveLocationsInXMLCmd");
  if (!outcome.boxes.empty()) return BiwplanFail(outcome.boxes.front().text);
  if (const int status = steps.Add(JournalVerb::Press, {"Cancel"}).Play(session); status != BiwplanExit::Ok)
    return status;
  // The command gives a name without any dot the XML extension.
  const bool extended = request.output.find('.') == std::string::npos;
  std::cout << "wrote " << request.output << (extended ? ".xml" : "") << '\n';
  return BiwplanExit::Ok;
}

}  // namespace

void AddLocationExportVerbs(CLI::App& app, int& status) {
  auto* verb =
      app.add_subcommand("export-locations",
                         "Write the design and manufacturing positions of spot welds, and a reference "
                         "product's position, to an XML file");
  auto request = std::make_shared<LocationExport>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("OUT", request->output, "XML file to write; \".xml\" is added to a name without any dot")
      ->required();
  verb->add_option("--weld", request->welds,
                   "A spot weld to write, by name or reference (all of them when no --weld or --group)");
  verb->add_option("--group", request->groups, "A joint body whose spot welds to write, by name or reference");
  verb->add_option("--ref-product", request->refProduct,
                   "The reference product, e.g. UnderBody.1/FrontFloor.1");
  verb->callback([&status, request] { status = ExportLocations(*request); });
}
