#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanSaving.h"
#include "BiwplanTable.h"
#include "BiwplanVerbs.h"
#include "QIVDlgEditor.h"
#include "QIVDlgTabContainer.h"
#include "QIVDlgTabPage.h"
#include "QIVPropertyWindowCmd.h"
#include "editors/ZELBIWEditorKind.h"

namespace {

struct PropertiesRequest {
  std::string document;
  std::string activity;
  std::vector<std::string> settings;
  std::string format = "table";
  BiwplanSaving saving;
};

// A field of a page of the window: the tab page, the row of its kind.
struct Field {
  QIVDlgTabPage* page;
  const ZELBIWEditorKind* kind;
  int row;
};

// The fields of the window's pages, read from its widgets as a person sees
// them: one tab page per editor page, named after it.
std::vector<Field> Fields(const QIVDlgTabContainer& tabs) {
  std::vector<Field> fields;
  for (QIVDlgTabPage* page : tabs.GetPages()) {
    const ZELBIWEditorKind* kind = ZELBIWEditorKind::Find(page->GetName().view());
    if (!kind) continue;
    for (int row = 0; row < static_cast<int>(kind->rows.size()); ++row) fields.push_back({page, kind, row});
  }
  return fields;
}

std::string FieldNames(const std::vector<Field>& fields) {
  std::string names;
  for (const Field& field : fields) names += (names.empty() ? "" : ", ") + std::string(field.kind->rows[field.row].label);
  return names;
}

void PrintFields(const std::vector<Field>& fields, BiwplanTable::Format format) {
  BiwplanTable table({"page", "field", "value"});
  for (const Field& field : fields) {
    const std::string reference = field.kind->EditorReference(field.row);
    auto* editor = dynamic_cast<QIVDlgEditor*>(field.page->FindWidget(reference));
    table.AddRow({field.page->GetTitle().str(), field.kind->rows[field.row].label,
                  editor ? editor->GetText().str() : std::string()});
  }
  table.Print(std::cout, format);
}

// Closes the window with Cancel, which leaves every attribute as it was.
int Abandon(BiwplanSession& session, int status) {
  session.Dispatcher().Deliver(QIVWidgetEvent::PressDialog("Cancel"));
  return status;
}

// The planner's steps: open the activity's properties, type each value
// into its field, apply, read the fields back, and close with OK.
int EditProperties(const PropertiesRequest& request) {
  BiwplanTable::Format format = BiwplanTable::Text;
  BiwplanTable::ParseFormat(request.format, format);
  BiwplanSession session;
  if (!request.saving.Open(session, request.document, !request.settings.empty())) return BiwplanExit::Failed;
  const QIVBaseUnknown_var activity = BiwplanFindObject(session, request.activity);
  if (!activity) return BiwplanExit::Failed;
  QIVDispatcher& dispatcher = session.Dispatcher();
  dispatcher.Deliver(QIVStartEvent(QIVPropertyWindowCmd::ClassName, std::nullopt, activity.get(), request.activity));
  const std::string tabsPath = std::string(QIVPropertyWindowCmd::DialogName) + "/" + QIVPropertyWindowCmd::TabsName;
  auto* tabs = dynamic_cast<QIVDlgTabContainer*>(dispatcher.FindWidget(tabsPath));
  if (!BiwplanOutcome(session, QIVPropertyWindowCmd::ClassName).boxes.empty() || !tabs)
    return BiwplanReport(BiwplanExit::Refused, request.activity + " has no property pages");
  const std::vector<Field> fields = Fields(*tabs);

  for (const std::string& setting : request.settings) {
    const std::size_t equals = setting.find('=');
    const std::string name = setting.substr(0, equals);
    const Field* field = nullptr;
    for (const Field& candidate : fields)
      if (name == candidate.kind->rows[candidate.row].label) field = &candidate;
    if (equals == std::string::npos || !field)
      return Abandon(session, BiwplanReport(BiwplanExit::Usage, "properties: \"" + setting +
                                                                     "\" is not FIELD=VALUE with a field of " +
                                                                     request.activity + " (" + FieldNames(fields) + ")"));
    const std::string value = setting.substr(equals + 1);
    if (FAILED(dispatcher.Deliver(QIVWidgetEvent::Type(field->kind->EditorReference(field->row), value))))
      return Abandon(session, BiwplanReport(BiwplanExit::Refused, name + " refuses \"" + value + "\": " +
                                                                      dispatcher.GetLastRefusal() +
                                                                      "; the document is unchanged"));
  }
  if (!request.settings.empty() && FAILED(dispatcher.Deliver(QIVWidgetEvent::PressDialog("Apply"))))
    return Abandon(session, BiwplanFail(dispatcher.GetLastRefusal()));
  PrintFields(fields, format);
  if (FAILED(dispatcher.Deliver(QIVWidgetEvent::PressDialog("OK")))) return BiwplanFail(dispatcher.GetLastRefusal());
  return request.saving.Finish(session, BiwplanExit::Ok, !request.settings.empty());
}

}  // namespace

void AddPropertiesVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand(
      "properties", "Show an activity's property pages, or set their fields through the property window");
  auto request = std::make_shared<PropertiesRequest>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("ACTIVITY", request->activity, "The activity, e.g. process:\"Process/Station.1\"")->required();
  verb->add_option("--set", request->settings,
                   "FIELD=VALUE: types VALUE into the field (e.g. ProductExitRate=40) and applies");
  verb->add_option("--format", request->format, "table, csv or json")
      ->check(CLI::IsMember({"table", "csv", "json"}));
  request->saving.AddOptions(*verb);
  verb->callback([&status, request] { status = EditProperties(*request); });
}
