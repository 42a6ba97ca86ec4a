#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanSaving.h"
#include "BiwplanSteps.h"
#include "BiwplanVerbs.h"
#include "QIVISPPActivity.h"
#include "activities/ZELVekBIWCreateActivityDlg.h"

namespace {

using Layout = ZELVekBIWCreateActivityDlg::Layout;
constexpr Layout kNoAttributes = ZELVekBIWCreateActivityDlg::LayoutCount;

// The kind words of the creation commands (ZELVekBIWCreate<KIND>ActivityCmd)
// and the attribute rows their dialog offers.
struct KindWord {
  const char* word;
  Layout layout;
};

const KindWord kKinds[] = {
    {"Station", Layout::StationLayout},
    {"Grouping", Layout::GroupingLayout},
    {"ACTWelding", Layout::PointFasteningLayout},
    {"StudWelding", Layout::PointFasteningLayout},
    {"SpotGluing", Layout::PointFasteningLayout},
    {"Clinching", Layout::PointFasteningLayout},
    {"ArcWelding", Layout::CurveFasteningLayout},
    {"AdhesiveApplication", Layout::CurveFasteningLayout},
    {"SealantApplication", Layout::CurveFasteningLayout},
    {"Loading", kNoAttributes},
    {"Unloading", kNoAttributes},
    {"Clamping", kNoAttributes},
    {"Unclamping", kNoAttributes},
};

// Short names of the rows, in the dialog's row order.
std::vector<std::string> ShortNames(Layout layout) {
  switch (layout) {
    case Layout::GroupingLayout:
    case Layout::StationLayout:
      return {"points", "length", "cost", "exit-rate"};
    case Layout::PointFasteningLayout:
      return {"rate", "points"};
    case Layout::CurveFasteningLayout:
      return {"rate", "length"};
    default:
      return {};
  }
}

struct ActivityCreation {
  std::string document;
  std::string kind;
  std::string parent;
  std::string name;
  std::vector<std::string> attributes;
  BiwplanSaving saving;
};

struct TypedAttribute {
  std::string editor;
  std::string value;
};

const KindWord* FindKind(const std::string& word) {
  for (const KindWord& kind : kKinds)
    if (word == kind.word) return &kind;
  return nullptr;
}

std::string KindWords() {
  std::string words;
  for (const KindWord& kind : kKinds) words += (words.empty() ? "" : ", ") + std::string(kind.word);
  return words;
}

int UsageError(const std::string& message) { return BiwplanReport(BiwplanExit::Usage, "create-activity: " + message); }

// KEY=VALUE pairs as the editors to type into; nothing with the reason
// written when a key is not one of the kind's rows or a value not a number.
std::optional<std::vector<TypedAttribute>> ReadAttributes(const ActivityCreation& request, Layout layout,
                                                          int& status) {
  const std::vector<const char*> editors = ZELVekBIWCreateActivityDlg::GetAttributeEditorNames(layout);
  const std::vector<std::string> shortNames = ShortNames(layout);
  std::string known;
  for (std::size_t row = 0; row < editors.size(); ++row)
    known += (row ? ", " : "") + shortNames[row] + " (" + editors[row] + ")";

  std::vector<TypedAttribute> typed;
  for (const std::string& pair : request.attributes) {
    const std::size_t equals = pair.find('=');
    const std::string key = pair.substr(0, equals);
    const std::string value = equals == std::string::npos ? std::string() : pair.substr(equals + 1);
    if (editors.empty()) {
      status = UsageError("a " + request.kind + " activity has no attributes to set");
      return std::nullopt;
    }
    std::optional<std::size_t> row;
    for (std::size_t i = 0; i < editors.size(); ++i)
      if (key == shortNames[i] || key == editors[i]) row = i;
    if (!row) {
      status =
          UsageError("\"" + key + "\" is not an attribute of a " + request.kind + " activity; use " + known);
      return std::nullopt;
    }
    char* end = nullptr;
    std::strtod(value.c_str(), &end);
    if (value.empty() || *end != '\0') {
      status = UsageError("the value of " + key + " is not a number: \"" + value + "\"");
      return std::nullopt;
    }
    typed.push_back({editors[*row], value});
  }
  return typed;
}

// The planner's steps: start the command, pick the parent; then, when the
// parent was taken, name the new activity, open the attributes and type
// them, and press OK.
int CreateActivity(const ActivityCreation& request) {
  const KindWord* kind = FindKind(request.kind);
  if (!kind) return UsageError("unknown kind \"" + request.kind + "\" (kinds: " + KindWords() + ")");
  if (request.name.empty() || request.name.find('/') != std::string::npos)
    return UsageError("an activity name may be neither empty nor hold a /");
  int status = BiwplanExit::Ok;
  const std::optional<std::vector<TypedAttribute>> attributes = ReadAttributes(request, kind->layout, status);
  if (!attributes) return status;

  BiwplanSession session;
  if (!request.saving.Open(session, request.document)) return BiwplanExit::Failed;
  const std::string className = "ZELVekBIWCreate" + request.kind + "ActivityCmd";
  BiwplanSteps steps("create-activity");
  status = steps.Add(JournalVerb::Start, {className}).Add(JournalVerb::Pick, {request.parent}).Play(session);
  if (status != BiwplanExit::Ok) return status;
  const QIVCommandOutcome& outcome = BiwplanOutcome(session, className);
  const auto created = std::find_if(outcome.created.begin(), outcome.created.end(),
                                    [](const QIVBaseUnknown_var& object) { return QIVISPPActivity_var(object); });
  if (!outcome.boxes.empty() || outcome.ending != QIVCommandOutcome::Ending::Running ||
      created == outcome.created.end())
    return BiwplanReport(BiwplanExit::Refused,
                         request.parent + " takes no " + request.kind + " activity; the document is unchanged");
  const QIVBaseUnknown_var activity = *created;

  steps.Add(JournalVerb::Type, {"EditorActivityName", request.name});
  if (!attributes->empty()) {
    steps.Add(JournalVerb::Press, {"AttributesButton"});
    for (const TypedAttribute& attribute : *attributes) steps.Add(JournalVerb::Type, {attribute.editor, attribute.value});
  }
  status = steps.Add(JournalVerb::Press, {"OK"}).Play(session);
  if (status != BiwplanExit::Ok) return status;
  if (outcome.ending != QIVCommandOutcome::Ending::Ended)
    return BiwplanReport(BiwplanExit::Refused,
                         "the dialog did not create " + request.name +
                             (outcome.boxes.empty() ? std::string() : ": " + outcome.boxes.back().text) +
                             "; the document is unchanged");
  if (request.saving.Finish(session, BiwplanExit::Ok) != BiwplanExit::Ok) return BiwplanExit::Failed;
  std::cout << "created " << BiwplanActivityPath(session.Document(), activity) << '\n';
  return BiwplanExit::Ok;
}

}  // namespace

void AddActivityCreationVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand(
      "create-activity", "Create a BIW activity under a parent through its creation command and dialog");
  auto request = std::make_shared<ActivityCreation>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("KIND", request->kind, "Kind of activity: " + KindWords())->required();
  verb->add_option("PARENT", request->parent, "Parent activity, e.g. process:\"Process/UnderBody Line\"")
      ->required();
  verb->add_option("--name", request->name, "Name of the new activity")->required();
  verb->add_option("--attr", request->attributes,
                   "KEY=VALUE: an attribute of the dialog's rows, by short name (points, length, cost, "
                   "exit-rate, rate) or editor name; the point fastening rate is typed in fasteners per "
                   "second");
  request->saving.AddOptions(*verb);
  verb->callback([&status, request] { status = CreateActivity(*request); });
}
