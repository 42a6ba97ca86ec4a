#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanReports.h"
#include "BiwplanSaving.h"
#include "BiwplanSteps.h"
#include "BiwplanTable.h"
#include "QIVDlgMultiList.h"
#include "ZELFastenerDisplay.h"

namespace {

struct IdentifiersRequest {
  std::string document;
  std::string action;
  std::vector<std::string> products;
  std::vector<std::string> activities;
  bool recursive = false;
  // The verb changes no document (the identifiers shown belong to the
  // session): --save and --dry-run are taken and change nothing.
  BiwplanSaving saving;
};

// Removes the identifier displays of the session: none are left from an
// earlier run, as the display belongs to the session, not to the document.
int Remove(BiwplanSession& session) {
  const std::size_t shown = ZELFastenerDisplay::Instance().CountIdentifiersShown();
  BiwplanSteps steps("ids remove");
  if (const int played = steps.Add(JournalVerb::Start, {"ZELRemoveFastenerIDCmd"}).Play(session, false);
      played != BiwplanExit::Ok)
    return played;
  std::cout << "identifiers removed: " << shown << '\n';
  return shown == 0 ? BiwplanExit::NothingToDo : BiwplanExit::Ok;
}

// The identifier dialog given the objects picked one by one, with the
// recursive box as asked; `generate` then selects every row and displays
// their identifiers.
int Identifiers(const IdentifiersRequest& request) {
  BiwplanSession session;
  if (!request.saving.Open(session, request.document, false)) return BiwplanExit::Failed;
  QIVSession::Scope current(session.Session());
  if (request.action == "remove") return Remove(session);

  std::vector<std::string> picks;
  for (const std::string& word : request.products) {
    picks.push_back(BiwplanReference(word, JournalObjectRef::Product));
    if (!BiwplanFindObject(session, picks.back())) return BiwplanExit::Failed;
  }
  for (const std::string& word : request.activities) {
    picks.push_back(BiwplanReference(word, JournalObjectRef::Process));
    if (!BiwplanFindObject(session, picks.back())) return BiwplanExit::Failed;
  }
  if (picks.empty())
    return BiwplanReport(BiwplanExit::Usage, "ids " + request.action + ": give --product or --activity");

  BiwplanSteps steps("ids " + request.action);
  steps.Add(JournalVerb::Start, {"ZELManageFastenerIDCmd"})
      .Add(JournalVerb::Check, {"CheckCollectFastener", request.recursive ? "on" : "off"});
  for (const std::string& pick : picks) steps.Add(JournalVerb::Pick, {pick});
  if (const int played = steps.Play(session, false); played != BiwplanExit::Ok) return played;
  const auto* list = dynamic_cast<const QIVDlgMultiList*>(session.Dispatcher().FindWidget("MultiListId"));
  if (!list) return BiwplanFail("the identifier dialog showed no list");
  const int listed = list->GetRowCount();
  BiwplanTableOf(*list).Print(std::cout, BiwplanTable::Text);
  if (request.action == "generate" && listed > 0)
    steps.Add(JournalVerb::Press, {"SelectAll"}).Add(JournalVerb::Press, {"DisplaySelected"});
  if (const int closed = steps.Add(JournalVerb::Press, {"Close"}).Play(session, false);
      closed != BiwplanExit::Ok)
    return closed;
  if (request.action == "generate")
    std::cout << "identifiers shown: " << ZELFastenerDisplay::Instance().CountIdentifiersShown() << '\n';
  if (listed == 0) return BiwplanReport(BiwplanExit::NothingToDo, "no fastener found");
  return BiwplanExit::Ok;
}

}  // namespace

void AddIdentifierVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand(
      "ids",
      "List the fasteners of products and activities, and show or remove their identifiers in the view");
  auto request = std::make_shared<IdentifiersRequest>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("ACTION", request->action,
                   "show (list the fasteners), generate (also display their identifiers) or remove (the "
                   "identifiers displayed)")
      ->required()
      ->check(CLI::IsMember({"show", "generate", "remove"}));
  verb->add_option("--product", request->products, "A product (path of instance names, or a reference), its fasteners");
  verb->add_option("--activity", request->activities,
                   "An activity (path of names from the process, or a reference), its fasteners");
  verb->add_flag("--recursive", request->recursive,
                 "Also the fasteners of the products, activities and assemblies below");
  request->saving.AddOptions(*verb);
  verb->callback([&status, request] { status = Identifiers(*request); });
}
