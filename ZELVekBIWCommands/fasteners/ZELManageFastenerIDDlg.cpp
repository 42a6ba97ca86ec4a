#include "ZELManageFastenerIDDlg.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "QIVApplicationFrame.h"
#include "QIVDlgCheckButton.h"
#include "QIVDlgFrame.h"
#include "QIVDlgMultiList.h"
#include "QIVDlgPushButton.h"
#include "QIVFrmEditor.h"
#include "QIVIAlias.h"
#include "QIVMsgCatalog.h"
#include "QIVSettingsRepository.h"
#include "ZELFastenerDisplay.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"
#include "ZELVekBIWSettingsServices.h"
#include "assignment/ZELVekBIWCatalogBrowserDlg.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELEnvironmentSwitches.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELManageFastenerIDDlg";

// The settings of the dialog and the values of a first run.
constexpr const char* kPosX = "ManageFastener.PosX";
constexpr const char* kPosY = "ManageFastener.PosY";
constexpr const char* kDimX = "ManageFastener.DimX";
constexpr const char* kDimY = "ManageFastener.DimY";
constexpr const char* kRecursive = "ManageFastener.chkCollectFast";
constexpr ZELManageFastenerIDDlg::Rect kFirstRect{100, 100, 420, 360};
constexpr int kFirstRecursive = 1;

QIVUnicodeString Caption(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}

QIVSettingsRepository& Settings() {
  return QIVSettingsRepository::GetRepository(ZELVekBIWSettingsServices::RepositoryName);
}

QIVUnicodeString Number(int value) { return QIVUnicodeString().BuildFromNum(value, "%d"); }
}  // namespace

ZELManageFastenerIDDlg::ZELManageFastenerIDDlg()
    : QIVDlgDialog(
          QIVApplicationFrame::GetFrame() ? QIVApplicationFrame::GetFrame()->GetMainWindow() : nullptr,
          "ZELManageFastenerIDDlg", 0) {
  SetTitle(Caption("Title", "Fastener Identifiers"));
}

ZELManageFastenerIDDlg::~ZELManageFastenerIDDlg() = default;

void ZELManageFastenerIDDlg::Build() {
  ZELTraceScope scope(kClass, "Build");
  if (_pMultiList) return;
  using D = ZELManageFastenerIDDlg;
  SetButtonTitle(QIVNotificationKind::Close, Caption("CloseTitleId", "Close"));

  QIVDlgFrame* collect = new QIVDlgFrame(this, "FrameId1");
  collect->SetGridConstraints(0, 0);
  _pCheckCollect = new QIVDlgCheckButton(collect, "CheckCollectFastener");
  _pCheckCollect->SetTitle(Caption("CheckCollectFastener.Title", "Collect fasteners recursively"));

  QIVDlgFrame* listFrame = new QIVDlgFrame(this, "FrameId3");
  listFrame->SetGridConstraints(1, 0);
  _pMultiList = new QIVDlgMultiList(listFrame, "MultiListId", ZELVekBIWStyle::MultipleSelection);
  static constexpr const char* kTitles[] = {"No.", "Fastener", "Type"};
  for (int column = 0; column < 3; ++column) {
    const std::string key = "MultiListId.ColumnTitle" + std::to_string(column);
    _pMultiList->SetColumnTitle(column, Caption(key.c_str(), kTitles[column]));
  }
  _pMultiList->SetColumnSortOrder(0, QIVDlgMultiList::NumericSort);

  QIVDlgFrame* buttons = new QIVDlgFrame(this, "FrameId2");
  buttons->SetGridConstraints(2, 0);
  auto button = [buttons](const char* name, const char* icon, int column) {
    auto* push = new QIVDlgPushButton(buttons, name);
    push->SetIconName(icon);
    push->SetTitle(Caption((std::string(name) + ".Title").c_str(), name));
    push->SetGridConstraints(0, column);
    return push;
  };
  _pSelectAll = button("SelectAll", "I_BWPSelectAll", 0);
  _pRemoveSelected = button("RemoveSelected", "I_BWPRemoveSelected", 1);
  _pDisplaySelected = button("DisplaySelected", "I_BWPDisplaySelected", 2);
  _pFilter = button("Filter", "I_Find", 3);
  SetActionsSensitive(false);

  AddAnalyseNotificationCB(_pMultiList, GetListSelectNotification(), &D::OnSelection);
  AddAnalyseNotificationCB(_pSelectAll, GetPushBActivateNotification(), &D::OnSelectAllClicked);
  AddAnalyseNotificationCB(_pRemoveSelected, GetPushBActivateNotification(), &D::OnRemoveSelectedClicked);
  AddAnalyseNotificationCB(_pDisplaySelected, GetPushBActivateNotification(), &D::OnDisplaySelectedClicked);
  AddAnalyseNotificationCB(_pFilter, GetPushBActivateNotification(), &D::OnFilterClicked);

  QIVSettingsRepository& settings = Settings();
  SetRectDimensions({settings.GetInt(kPosX, kFirstRect.x), settings.GetInt(kPosY, kFirstRect.y),
                     settings.GetInt(kDimX, kFirstRect.width), settings.GetInt(kDimY, kFirstRect.height)});
  _pCheckCollect->SetState(settings.GetInt(kRecursive, kFirstRecursive) != 0);
}

void ZELManageFastenerIDDlg::SaveSettings() {
  ZELTraceScope scope(kClass, "SaveSettings");
  if (!_pCheckCollect) return;
  QIVSettingsRepository& settings = Settings();
  const Rect& rect = GetRectDimensions();
  settings.SetInt(kPosX, rect.x);
  settings.SetInt(kPosY, rect.y);
  settings.SetInt(kDimX, rect.width);
  settings.SetInt(kDimY, rect.height);
  settings.SetInt(kRecursive, _pCheckCollect->GetState() ? 1 : 0);
  QIVUnicodeString errorText;
  if (FAILED(settings.Save(errorText))) ZELTraceLine(errorText);
}

bool ZELManageFastenerIDDlg::IsRecursive() const { return _pCheckCollect && _pCheckCollect->GetState(); }

HRESULT ZELManageFastenerIDDlg::BuildPathForFastener(QIVPathElement_var& path,
                                                     const QIVBaseUnknown_var& fastener) {
  path = fastener ? QIVMake<QIVPathElement>(fastener.get()) : QIVPathElement_var();
  return path ? S_OK : E_INVALIDARG;
}

void ZELManageFastenerIDDlg::AppendFastenerList(const List& fasteners) {
  ZELTraceScope scope(kClass, "AppendFastenerList");
  if (QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor()) editor->GetCSO()->Empty();
  _pMultiList->ClearSelect();
  for (const QIVBaseUnknown_var& fastener : fasteners) {
    if (!fastener || _rowOf.Find(fastener.Identity()) != _rowOf.npos) continue;
    const int row = _fasteners.Size();
    _fasteners.Append(fastener);
    _rowOf.Set(fastener.Identity(), static_cast<std::size_t>(row));
    const QIVIAlias_var alias(fastener);
    const ZELIBIWFastener_var typed(fastener);
    _pMultiList->AddRow({Number(row + 1), alias ? alias->GetAlias() : QIVUnicodeString(),
                         typed ? typed->GetType() : QIVUnicodeString()});
  }
  std::vector<int> rows;
  rows.reserve(fasteners.Size());
  for (const QIVBaseUnknown_var& fastener : fasteners)
    if (const std::size_t row = fastener ? _rowOf.Find(fastener.Identity()) : _rowOf.npos; row != _rowOf.npos)
      rows.push_back(static_cast<int>(row));
  SetRowSelection(rows);
}

ZELManageFastenerIDDlg::List ZELManageFastenerIDDlg::SelectedFasteners() const {
  std::vector<int> rows = _pMultiList->GetSelect();
  std::sort(rows.begin(), rows.end());
  List selected;
  for (int row : rows)
    if (row >= 0 && row < _fasteners.Size()) selected.Append(_fasteners[row + 1]);
  return selected;
}

void ZELManageFastenerIDDlg::SetRowSelection(const std::vector<int>& rows) {
  _pMultiList->SetSelect(rows);
  MirrorSelection();
}

void ZELManageFastenerIDDlg::MirrorSelection() {
  const List selected = SelectedFasteners();
  if (QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor()) {
    editor->GetCSO()->Empty();
    QIVPathElement_var path;
    for (const QIVBaseUnknown_var& fastener : selected)
      if (SUCCEEDED(BuildPathForFastener(path, fastener))) editor->GetCSO()->AddElement(path.get());
  }
  SetActionsSensitive(!selected.IsEmpty());
}

void ZELManageFastenerIDDlg::SetActionsSensitive(bool sensitive) {
  const int sensitivity = sensitive ? QIVDlgEnable : QIVDlgDisable;
  _pRemoveSelected->SetSensitivity(sensitivity);
  _pDisplaySelected->SetSensitivity(sensitivity);
}

void ZELManageFastenerIDDlg::OnSelection(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "OnSelection");
  MirrorSelection();
}

void ZELManageFastenerIDDlg::OnSelectAllClicked(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "OnSelectAllClicked");
  std::vector<int> rows(_fasteners.Size());
  for (int row = 0; row < _fasteners.Size(); ++row) rows[row] = row;
  _pMultiList->SetSelect(rows);
  SetActionsSensitive(true);
}

void ZELManageFastenerIDDlg::OnRemoveSelectedClicked(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "OnRemoveSelectedClicked");
  // The rows kept are listed again, renumbered from 1, in one pass rather
  // than removed one by one, which would cost the list's length per row.
  std::vector<char> removed(_fasteners.Size(), 0);
  for (int row : _pMultiList->GetSelect())
    if (row >= 0 && row < _fasteners.Size()) removed[row] = 1;
  std::vector<std::vector<QIVUnicodeString>> cells;
  List kept;
  for (int row = 0; row < _fasteners.Size(); ++row) {
    if (removed[row]) continue;
    kept.Append(_fasteners[row + 1]);
    cells.push_back({Number(kept.Size()), _pMultiList->GetCell(row, 1), _pMultiList->GetCell(row, 2)});
  }
  _pMultiList->ClearLine();
  _rowOf.Clear();
  _fasteners = std::move(kept);
  for (int row = 0; row < _fasteners.Size(); ++row) {
    _pMultiList->AddRow(cells[row]);
    _rowOf.Set(_fasteners[row + 1].Identity(), static_cast<std::size_t>(row));
  }
  if (QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor()) editor->GetCSO()->Empty();
  if (_fasteners.IsEmpty()) SetActionsSensitive(false);
}

void ZELManageFastenerIDDlg::OnDisplaySelectedClicked(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "OnDisplaySelectedClicked");
  ZELFastenerDisplay::CreateVisualizationR7WeldList(SelectedFasteners());
}

void ZELManageFastenerIDDlg::OnFilterClicked(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "OnFilterClicked");
  ZELSetBusyCursor();
  if (!_pCatalogBrowser) {
    _pCatalogBrowser = new ZELVekBIWCatalogBrowserDlg(this);
    _pCatalogBrowser->Build();
    AddAnalyseNotificationCB(_pCatalogBrowser, ZELVekBIWCatalogBrowserDlg::GetCloseNotification(),
                             &ZELManageFastenerIDDlg::UpdateFilteredProductList);
  }
  _pCatalogBrowser->SetListOfAllAvailableWelds(_fasteners);
  _pCatalogBrowser->SetVisibility(QIVDlgShow);
}

void ZELManageFastenerIDDlg::UpdateFilteredProductList(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "UpdateFilteredProductList");
  std::unordered_set<QIVUnicodeString> matched;
  for (const QIVUnicodeString& identifier : _pCatalogBrowser->GetCurrentQueryResult())
    matched.insert(identifier);
  std::vector<int> rows;
  for (int row = 0; row < _fasteners.Size(); ++row)
    if (matched.count(ZELFastenerServices::GetWeldID(_fasteners[row + 1]))) rows.push_back(row);
  SetRowSelection(rows);
}
