#include <iostream>
#include <memory>
#include <string>

#include "BiwplanCli.h"
#include "BiwplanSteps.h"
#include "BiwplanTable.h"
#include "BiwplanVerbs.h"
#include "QIVDlgLabel.h"
#include "QIVFrmEditor.h"
#include "QIVPathElement.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"

namespace {

struct SelectRequest {
  std::string document;
  std::string query;
  std::string format = "table";
};

// The planner's steps: the browser opened over the document's fasteners,
// the query typed (which runs it), the browser closed.
int Select(const SelectRequest& request) {
  BiwplanSession session;
  if (!BiwplanOpen(session, request.document)) return BiwplanExit::Failed;
  BiwplanSteps steps("select");
  const int typed = steps.Add(JournalVerb::Start, {"ZELVekBIWMultiSelectCmd"})
                        .Add(JournalVerb::Type, {"EditorQueryId", request.query})
                        .Play(session, false);
  if (typed != BiwplanExit::Ok) return typed;
  // The browser's status line says how many matched, or why the query is
  // faulty; it goes with the message when nothing is selected.
  const auto* status = dynamic_cast<const QIVDlgLabel*>(session.Dispatcher().FindWidget("LabelStatusId"));
  const std::string said = status ? status->GetTitle().str() : std::string();
  const int closed = steps.Add(JournalVerb::Press, {"Close"}).Play(session, false);
  if (closed != BiwplanExit::Ok) return closed;
  if (BiwplanOutcome(session, "ZELVekBIWMultiSelectCmd").ending != QIVCommandOutcome::Ending::Ended)
    return BiwplanFail("the selection did not complete");

  BiwplanTable table({"Identifier", "Name", "Type"});
  for (const QIVBaseUnknown_var& element : QIVFrmEditor::GetCurrentEditor()->GetCSO()->Elements()) {
    const QIVPathElement_var path(element);
    const QIVBaseUnknown_var fastener = path ? path->GetLeaf() : element;
    const ZELIBIWFastener_var typed(fastener);
    table.AddRow({ZELFastenerServices::GetWeldID(fastener).str(), BiwplanFeatureName(fastener),
                  typed ? typed->GetType().str() : std::string()});
  }
  if (table.RowCount() == 0)
    return BiwplanReport(BiwplanExit::NothingToDo, "no fastener matches " + BiwplanJournalWord(request.query) +
                                                       (said.empty() ? std::string() : " (" + said + ")"));
  BiwplanTable::Format format = BiwplanTable::Text;
  BiwplanTable::ParseFormat(request.format, format);
  table.Print(std::cout, format);
  return BiwplanExit::Ok;
}

}  // namespace

void AddSelectionVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand("select", "Print the fasteners a catalogue query selects");
  auto request = std::make_shared<SelectRequest>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option(
          "--query", request->query,
          "attribute=value terms separated by \";\" (identifier, name, type, category; \"*\" for any run), "
          "e.g. \"type=spot weld; identifier=W00*\"")
      ->required();
  verb->add_option("--format", request->format, "table, csv or json")
      ->check(CLI::IsMember({"table", "csv", "json"}));
  verb->callback([&status, request] { status = Select(*request); });
}
