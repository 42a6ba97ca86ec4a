#pragma once

#include <unordered_map>
#include <vector>

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

class QIVDialog;
class QIVDlgEditor;
class QIVDlgLabel;
class QIVDlgMultiList;

// The weld accountability report, shared by the accountability page of the
// manual assignment and the stand-alone weld report: for each fastener of a
// source, the activities it is assigned to, in this document and in the
// other process documents of the plant (K2 assignments, from the plant's
// repository), kept or not by an option. It fills the widgets of the
// dialog that shows it, which owns them.
class ZELVekBIWWeldAccountability {
 public:
  using List = QIVListValQIVBaseUnknown_var;

  // The options, in the order of the dialogs' option combos.
  enum Option { AllWelds = 0, AssignedWelds = 1, UnassignedWelds = 2, MultiAssignedWelds = 3 };
  // The two forms of the report, which differ in a few rules.
  enum class Form {
    // The manual assignment's page: column 0 numbers the rows listed; a
    // fastener's activities come from the assignment services; the count
    // of fasteners is of those examined (named ones); more than one
    // assignment is a multiple one; a fastener without activity text shows
    // "None".
    AssignmentPage,
    // The weld report: column 0 gives the fastener's position in the
    // sorted source; its activities are its own assignment list; the count
    // is of the whole source; a multiple assignment needs that list; a
    // fastener counted nowhere shows "None".
    WeldReport
  };

  struct Widgets {
    // Columns: number, name, process type, activities.
    QIVDlgMultiList* list = nullptr;
    // The number of fasteners in the source.
    QIVDlgEditor* sourceCount = nullptr;
    // The option's title and its number of rows, hidden for all welds.
    QIVDlgLabel* optionLabel = nullptr;
    QIVDlgEditor* optionCount = nullptr;
    // Every control of the report, insensitive while there is nothing to
    // report.
    std::vector<QIVDialog*> controls;
  };
  // The dialog's texts: the activities of a fastener assigned nowhere (and
  // the empty report's line), and the option titles.
  struct Texts {
    QIVUnicodeString none;
    QIVUnicodeString assigned;
    QIVUnicodeString unassigned;
    QIVUnicodeString multiAssigned;
  };

  ZELVekBIWWeldAccountability(Widgets widgets, Texts texts, Form form)
      : _widgets(std::move(widgets)), _texts(std::move(texts)), _form(form) {}

  // Reports on `source`, sorted in place by identifier unless the gathering
  // order is kept; null or empty gives the empty report. An option outside
  // the four reports all welds. The number of rows listed.
  int Report(List* source, int option);
  // "None" in column 1, both counts 0, every control insensitive.
  void EmptyReport();
  void SetSensitive(bool sensitive);

  // Fills the list with the fasteners `option` keeps; `rows` gets their
  // number. Fasteners without a name are left out. The number of fasteners
  // examined.
  int FillTable(const List& source, int option, int& rows);
  // Every fastener of the current document, in document order.
  static void ListAllFasteners(List& fasteners);

  // Appends each activity's path from its process root followed by ";";
  // nothing for a count below 1. Each path is computed once a report.
  void BuildActivityPathString(const List& activities, QIVUnicodeString& text, int count);

 private:
  Widgets _widgets;
  Texts _texts;
  Form _form;
  std::unordered_map<const QIVBaseUnknown*, QIVUnicodeString> _paths;
};
