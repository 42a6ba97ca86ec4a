#include <iostream>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanSaving.h"
#include "BiwplanStationVerbs.h"
#include "BiwplanSteps.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWPointFastener.h"
#include "ZELIPLMOpenObjectInfo.h"
#include "ZELPLMServices.h"

namespace {

constexpr const char* kCommand = "ZELBIWFastenerLocationCmd";

struct PositionReset {
  std::string document;
  std::string to;
  std::vector<std::string> fasteners;
  BiwplanSaving saving;
};

struct Named : BiwplanNamedFastener {
  std::string plmId;
};

std::string Position(const QIVBaseUnknown_var& fastener) {
  QIVRawColldouble values;
  ZELIBIWPointFastener_var(fastener)->GetManufacturingPosition(values);
  if (values.Size() == 0) return "none";
  std::string text;
  for (double value : values) text += (text.empty() ? "" : " ") + QIVUnicodeString::Format("%g", value).str();
  return text;
}

// Why the command left the fastener as it was.
std::string WhyKept(const Named& one, bool toSaved,
                    const std::unordered_map<std::string, std::string>& firstOfId,
                    const std::unordered_set<std::string>& recorded) {
  if (!ZELIBIWPointFastener_var(one.fastener)) return "not a point fastener";
  if (!toSaved) return "already at its design position";
  if (one.plmId.empty()) return "no PLM identifier (the document was not published)";
  if (const auto first = firstOfId.find(one.plmId); first->second != one.name)
    return one.plmId + " is the identifier of " + first->second + " too, which took its saved position";
  if (!recorded.count(one.plmId)) return "the repository has no record of " + one.plmId;
  return "already at its saved position";
}

// The planner's steps: the command started in the chosen mode, the
// fasteners picked at once (the command resets the selection it gets and
// ends).
int ResetPositions(const PositionReset& request) {
  const bool toSaved = request.to == "saved";
  if (!toSaved && request.to != "design")
    return BiwplanReport(BiwplanExit::Usage,
                         "reset-positions: --to is design or saved, not \"" + request.to + "\"");
  BiwplanSession session;
  if (!request.saving.Open(session, request.document)) return BiwplanExit::Failed;
  if (toSaved && !ZELPLMServices::GetCurrentRepository())
    return BiwplanFail("reset-positions --to saved reads the plant's repository: set BIWPLAN_REPOSITORY");

  std::vector<BiwplanNamedFastener> found;
  if (!BiwplanFindFasteners(session, request.fasteners, found)) return BiwplanExit::Failed;
  std::vector<Named> named;
  std::unordered_map<std::string, std::string> firstOfId;
  std::vector<std::string> picks;
  for (const BiwplanNamedFastener& one : found) {
    QIVUnicodeString plmId;
    ZELPLMServices::GetPLMID(one.fastener, plmId);
    if (ZELIBIWPointFastener_var(one.fastener) && !plmId.str().empty()) firstOfId.emplace(plmId.str(), one.name);
    named.push_back({one, plmId.str()});
    picks.push_back("fastener:" + one.name);
  }
  BiwplanSteps steps("reset-positions");
  int status =
      steps.Add(JournalVerb::Start, {kCommand, toSaved ? "SavedManufacturingPosition" : "DesignPosition"})
          .Add(JournalVerb::Pick, picks)
          .Play(session, false);
  if (status != BiwplanExit::Ok) return status;
  const QIVCommandOutcome& outcome = BiwplanOutcome(session, kCommand);
  if (outcome.ending == QIVCommandOutcome::Ending::Failed)
    return BiwplanFail("the reset failed: " + outcome.failure + "; nothing was changed");

  std::unordered_set<const QIVBaseUnknown*> changed;
  for (const QIVBaseUnknown_var& object : outcome.modified) changed.insert(object.Identity());
  std::unordered_set<std::string> recorded;
  if (toSaved) {
    QIVListValQIVUnicodeString asked;
    for (const Named& one : named)
      if (!changed.count(one.fastener.Identity()) && !one.plmId.empty()) asked.Append(one.plmId);
    QIVListValQIVBaseUnknown_var records;
    ZELFastenerServices::GetK2ManufacturingFasternerInfo(asked, records);
    for (const QIVBaseUnknown_var& record : records)
      if (ZELIPLMOpenObjectInfo_var info = record) recorded.insert(info->GetIdentifier().str());
  }
  for (const Named& one : named) {
    if (changed.count(one.fastener.Identity()))
      std::cout << "reset " << one.name << ": " << Position(one.fastener) << '\n';
    else
      std::cout << "kept " << one.name << ": " << WhyKept(one, toSaved, firstOfId, recorded) << '\n';
  }
  if (changed.empty()) return BiwplanExit::NothingToDo;
  return request.saving.Finish(session, BiwplanExit::Ok);
}

}  // namespace

void AddPositionResetVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand(
      "reset-positions",
      "Set the manufacturing position of point fasteners back to their design or saved position");
  auto request = std::make_shared<PositionReset>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("--to", request->to,
                   "design: the design position; saved: the position the plant's repository saved")
      ->required();
  verb->add_option("FASTENER", request->fasteners, "Fasteners by name, e.g. \"W0012, A\"")->required();
  request->saving.AddOptions(*verb);
  verb->callback([&status, request] { status = ResetPositions(*request); });
}
