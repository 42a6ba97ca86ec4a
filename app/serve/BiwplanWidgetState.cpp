#include "BiwplanWidgetState.h"

#include <functional>
#include <string_view>

#include "QIVDlgCheckButton.h"
#include "QIVDlgCombo.h"
#include "QIVDlgDialog.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFile.h"
#include "QIVDlgMultiList.h"
#include "QIVDlgRowList.h"
#include "QIVDlgSelectorList.h"
#include "QIVDlgSpinner.h"
#include "QIVDlgTabContainer.h"
#include "QIVDlgTabPage.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgPushButton.h"
#include "QIVDlgRadioButton.h"
#include "QIVDlgSeparator.h"
#include "QIVDlgWindow.h"
#include "QIVMsgCatalog.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace BiwplanWidgetState {
namespace {

// The toolkit's kind of the widget, whatever class of the module made it.
std::string KindOf(const QIVDialog& widget) {
  const QIVDialog* w = &widget;
  if (dynamic_cast<const QIVDlgDialog*>(w)) return "Dialog";
  if (dynamic_cast<const QIVDlgFile*>(w)) return "File";
  if (dynamic_cast<const QIVDlgWindow*>(w)) return "Window";
  if (dynamic_cast<const QIVDlgFrame*>(w)) return "Frame";
  if (dynamic_cast<const QIVDlgLabel*>(w)) return "Label";
  if (dynamic_cast<const QIVDlgEditor*>(w)) return "Editor";
  if (dynamic_cast<const QIVDlgSpinner*>(w)) return "Spinner";
  if (dynamic_cast<const QIVDlgCombo*>(w)) return "Combo";
  if (dynamic_cast<const QIVDlgMultiList*>(w)) return "MultiList";
  if (dynamic_cast<const QIVDlgSelectorList*>(w)) return "SelectorList";
  if (dynamic_cast<const QIVDlgRadioButton*>(w)) return "RadioButton";
  if (dynamic_cast<const QIVDlgCheckButton*>(w)) return "CheckButton";
  if (dynamic_cast<const QIVDlgTabContainer*>(w)) return "TabContainer";
  if (dynamic_cast<const QIVDlgTabPage*>(w)) return "TabPage";
  if (dynamic_cast<const QIVDlgPushButton*>(w)) return "PushButton";
  if (dynamic_cast<const QIVDlgSeparator*>(w)) return "Separator";
  return "Container";
}

// The rows in the order shown, and the positions of those selected: the
// words of the page's select and activate events.
void AddRows(const QIVDlgRowList& list, const std::function<Json(int)>& cells, Json& state) {
  Json rows = Json::array();
  Json selected = Json::array();
  for (int position = 0; position < list.GetRowCount(); ++position) {
    const int row = list.GetRowShownAt(position);
    rows.push_back(cells(row));
    if (list.IsSelected(row)) selected.push_back(position);
  }
  state["rows"] = std::move(rows);
  state["selection"] = std::move(selected);
}

void AddKindState(const QIVDialog& widget, Json& state) {
  if (const auto* editor = dynamic_cast<const QIVDlgEditor*>(&widget)) {
    state["text"] = editor->GetText().str();
    state["readOnly"] = (widget.GetStyle() & QIVDlgEditor::ReadOnlyStyle) != 0;
    state["numeric"] = (widget.GetStyle() & QIVDlgEditor::NumericStyle) != 0;
  } else if (const auto* check = dynamic_cast<const QIVDlgCheckButton*>(&widget)) {
    state["checked"] = check->GetState();
  } else if (const auto* combo = dynamic_cast<const QIVDlgCombo*>(&widget)) {
    Json lines = Json::array();
    for (int line = 0; line < combo->GetLineCount(); ++line) lines.push_back(combo->GetLine(line).str());
    state["lines"] = std::move(lines);
    state["selected"] = combo->GetSelect();
  } else if (const auto* multi = dynamic_cast<const QIVDlgMultiList*>(&widget)) {
    Json columns = Json::array();
    for (int column = 0; column < multi->GetColumnCount(); ++column)
      columns.push_back({{"title", multi->GetColumn(column).title.str()}, {"visible", multi->GetColumn(column).visible}});
    state["columns"] = std::move(columns);
    AddRows(*multi, [multi](int row) {
      Json cells = Json::array();
      for (int column = 0; column < multi->GetColumnCount(); ++column) cells.push_back(multi->GetCell(row, column).str());
      return cells;
    }, state);
    state["multiple"] = true;
  } else if (const auto* list = dynamic_cast<const QIVDlgSelectorList*>(&widget)) {
    AddRows(*list, [list](int row) { return Json::array({list->GetLine(row).str()}); }, state);
    state["multiple"] = (widget.GetStyle() & ZELVekBIWStyle::MultipleSelection) != 0;
  } else if (const auto* spinner = dynamic_cast<const QIVDlgSpinner*>(&widget)) {
    state["minimum"] = spinner->GetMinimum();
    state["maximum"] = spinner->GetMaximum();
    state["step"] = spinner->GetStep();
    state["value"] = spinner->GetValue();
  } else if (const auto* tabs = dynamic_cast<const QIVDlgTabContainer*>(&widget)) {
    const QIVDlgTabPage* page = tabs->GetSelectedPage();
    state["selectedPage"] = page ? page->GetName().str() : std::string();
  } else if (const auto* dialog = dynamic_cast<const QIVDlgDialog*>(&widget)) {
    Json buttons = Json::array();
    for (const char* kind : {QIVNotificationKind::OK, QIVNotificationKind::Apply, QIVNotificationKind::Close,
                             QIVNotificationKind::Cancel})
      if (dialog->HasButton(kind))
        buttons.push_back({{"kind", kind},
                         {"title", dialog->GetButtonTitle(kind).str()},
                         {"sensitive", dialog->GetButtonSensitivity(kind) == QIVDlgEnable}});
    state["buttons"] = std::move(buttons);
  } else if (const auto* box = dynamic_cast<const QIVDlgFile*>(&widget)) {
    Json filters = Json::array();
    for (const QIVDlgFileFilter& filter : box->GetFilters())
      filters.push_back({{"name", filter.name.str()}, {"pattern", filter.pattern.str()}});
    state["filters"] = std::move(filters);
    state["save"] = (widget.GetStyle() & ZELVekBIWStyle::SaveFileBox) == ZELVekBIWStyle::SaveFileBox;
    state["fileName"] = box->GetSelection().str();
  }
}

}  // namespace

Json Describe(const QIVDialog& widget, const QIVUnicodeString& catalog) {
  // Headless, a widget's text for people stays in the catalogue of the
  // window or frame class that built it (NAME.Title, a window's own under
  // Title) until a front end shows it.
  const QIVMsgCatalog& own = QIVMsgCatalog::LoadMsgCatalog(widget.GetImplClassName());
  const QIVUnicodeString texts = own.Size() > 0 ? QIVUnicodeString(own.GetName()) : catalog;
  QIVUnicodeString title = widget.GetTitle();
  if (title.IsEmpty() && widget.IsWindow()) title = QIVMsgCatalog::BuildMessage(texts, "Title");
  if (title.IsEmpty()) title = QIVMsgCatalog::BuildMessage(catalog, widget.GetName() + ".Title");
  Json state = {{"name", widget.GetName().str()},
                {"path", widget.GetPath()},
                {"kind", KindOf(widget)},
                {"title", title.str()},
                {"visible", widget.GetVisibility() != QIVDlgHide},
                {"sensitive", widget.IsSensitive()},
                {"icon", widget.GetIconName().str()}};
  const QIVDlgGridConstraints& grid = widget.GetGridConstraints();
  state["grid"] = {grid.row, grid.column, grid.rowSpan, grid.columnSpan};
  AddKindState(widget, state);
  Json children = Json::array();
  for (const QIVCommand* child : widget.GetChildren())
    if (const auto* dialog = dynamic_cast<const QIVDialog*>(child); dialog && !dialog->IsWindow())
      children.push_back(Describe(*dialog, texts));
  state["children"] = std::move(children);
  return state;
}

Json ShownWindows() {
  Json windows = Json::array();
  for (const QIVDialog* window : QIVDialog::VisibleDialogs())
    windows.push_back(Describe(*window, window->GetImplClassName()));
  return windows;
}

}  // namespace BiwplanWidgetState
