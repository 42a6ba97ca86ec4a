#include "ZELVekBIWWeldAccountability.h"

#include <utility>

#include "QIVDlgEditor.h"
#include "QIVDlgLabel.h"
#include "QIVDlgMultiList.h"
#include "QIVIAlias.h"
#include "QIVISPPActivity.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "frame/ZELEnvironmentSwitches.h"

namespace {
QIVUnicodeString Number(int value) { return QIVUnicodeString().BuildFromNum(value, "%d"); }
}  // namespace

int ZELVekBIWWeldAccountability::Report(List* source, int option) {
  if (!source || source->IsEmpty()) {
    EmptyReport();
    return 0;
  }
  if (option < AllWelds || option > MultiAssignedWelds) option = AllWelds;
  ZELSetBusyCursor();
  _widgets.list->ClearLine();
  if (!ZELEnvironmentSwitches::KeepsGatheringOrder()) ZELFastenerServices::QuickSort("Fastener", *source);
  int rows = 0;
  const int examined = FillTable(*source, option, rows);
  _widgets.sourceCount->SetText(Number(_form == Form::WeldReport ? source->Size() : examined));
  _widgets.optionCount->SetText(Number(rows));
  const int visibility = option == AllWelds ? QIVDlgHide : QIVDlgShow;
  _widgets.optionLabel->SetVisibility(visibility);
  _widgets.optionCount->SetVisibility(visibility);
  const QIVUnicodeString* titles[] = {nullptr, &_texts.assigned, &_texts.unassigned, &_texts.multiAssigned};
  if (titles[option]) _widgets.optionLabel->SetTitle(*titles[option]);
  SetSensitive(true);
  return rows;
}

void ZELVekBIWWeldAccountability::EmptyReport() {
  _widgets.list->ClearLine();
  _widgets.list->AddRow({QIVUnicodeString(), _texts.none, QIVUnicodeString(), QIVUnicodeString()});
  _widgets.sourceCount->SetText(Number(0));
  _widgets.optionCount->SetText(Number(0));
  SetSensitive(false);
}

void ZELVekBIWWeldAccountability::SetSensitive(bool sensitive) {
  for (QIVDialog* control : _widgets.controls)
    control->SetSensitivity(sensitive ? QIVDlgEnable : QIVDlgDisable);
}

int ZELVekBIWWeldAccountability::FillTable(const List& source, int option, int& rows) {
  const bool page = _form == Form::AssignmentPage;
  rows = 0;
  int examined = 0;
  _paths.clear();
  List activities;
  for (int position = 1; position <= source.Size(); ++position) {
    const QIVBaseUnknown_var& fastener = source[position];
    const ZELIBIWFastener_var typed(fastener);
    const QIVIAlias_var alias(fastener);
    if (!typed || !alias) continue;
    const QIVUnicodeString name = alias->GetAlias();
    if (name.view().find_first_not_of(' ') == std::string_view::npos) continue;
    ++examined;
    int local = 0;
    bool hasAssignments = false;
    if (page) {
      ZELFastenerServices::GetActivityFromAssignedWeld(fastener, activities, local);
    } else {
      const ZELIBIWFeature_var feature(fastener);
      hasAssignments = feature && SUCCEEDED(feature->GetAssignedActivities(activities));
      if (!hasAssignments) activities.RemoveAll();
      local = activities.Size();
    }
    const int external = ZELFastenerServices::GetNumberOfK2Assignments(fastener);
    const int count = local + external;
    const bool kept = option == AssignedWelds        ? count > 0
                      : option == UnassignedWelds    ? count == 0
                      : option == MultiAssignedWelds ? (page || hasAssignments) && count >= 2
                                                     : true;
    if (!kept) continue;
    ++rows;
    QIVUnicodeString text;
    if (count >= 1) {
      BuildActivityPathString(activities, text, local);
      if (external > 0) ZELFastenerServices::AddK2AssignmentToText(fastener, text);
    }
    if (page ? text.IsEmpty() : count < 1) text = _texts.none;
    _widgets.list->AddRow({Number(page ? rows : position), name, typed->GetType(), text});
  }
  return examined;
}

void ZELVekBIWWeldAccountability::BuildActivityPathString(const List& activities, QIVUnicodeString& text,
                                                          int count) {
  if (count < 1) return;
  for (const QIVBaseUnknown_var& activity : activities) {
    if (!QIVISPPActivity_var(activity)) continue;
    auto [entry, added] = _paths.try_emplace(activity.Identity());
    if (added) ZELFastenerServices::GetActivityHierarchy(activity, entry->second);
    text += entry->second + ";";
  }
}

void ZELVekBIWWeldAccountability::ListAllFasteners(List& fasteners) {
  fasteners.RemoveAll();
  _SEQUENCE_QIVBaseUnknown_ptr raw;
  ZELFastenerServices::GetListOfAllFasteners(raw);
  fasteners.Reserve(static_cast<int>(raw.size()));
  // The sequence's references are taken over by the list.
  for (QIVBaseUnknown*& entry : raw)
    if (entry) fasteners.Append(QIVBaseUnknown_var::Adopt(std::exchange(entry, nullptr)));
}
