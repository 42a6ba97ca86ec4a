#include "ZELVekBIWAssignWeldDlg.h"

#include <algorithm>
#include <functional>
#include <string>

#include "QIVApplicationFrame.h"
#include "QIVDlgCheckButton.h"
#include "QIVDlgCombo.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgMultiList.h"
#include "QIVDlgPushButton.h"
#include "QIVDlgRadioButton.h"
#include "QIVDlgSelectorList.h"
#include "QIVDlgSeparator.h"
#include "QIVDlgTabContainer.h"
#include "QIVDlgTabPage.h"
#include "QIVFrmEditor.h"
#include "QIVIAlias.h"
#include "QIVMsgCatalog.h"
#include "QIVPathElement.h"
#include "ZELBIWActivityIntelligenceServices.h"
#include "ZELBIWActivityServices.h"
#include "ZELFastenerDisplay.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELVekBIWCatalogBrowserDlg.h"
#include "ZELVekBIWSettingsServices.h"
#include "ZELVekBIWWeldAccountability.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELEnvironmentSwitches.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWAssignWeldDlg";
constexpr int kActivityComboHeight = 6;
constexpr int kProductComboHeight = 15;
constexpr int kBusyListSelection = 20;

using List = ZELVekBIWAssignWeldDlg::List;

QIVUnicodeString Caption(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}

// A widget's title from the catalogue under "<name>.Title".
QIVUnicodeString TitleOf(const char* widget, const char* text) {
  return Caption((std::string(widget) + ".Title").c_str(), text);
}

ZELVekBIWAssignWeldDlg::Identities IdentitiesOf(const List& fasteners) {
  ZELVekBIWAssignWeldDlg::Identities identities;
  identities.reserve(fasteners.Size());
  for (const QIVBaseUnknown_var& fastener : fasteners) identities.insert(fastener.Identity());
  return identities;
}

// The combo is as wide as its longest line and shows up to `maxHeight`
// lines without scrolling.
void FitCombo(QIVDlgCombo* combo, int maxHeight) {
  int width = 0;
  for (int i = 0; i < combo->GetLineCount(); ++i) width = std::max(width, combo->GetLine(i).GetLengthInChar());
  combo->SetVisibleTextWidth(width);
  combo->SetVisibleTextHeight(std::min(combo->GetLineCount(), maxHeight));
}

QIVPathElement_var PathOf(const QIVBaseUnknown_var& fastener) { return QIVMake<QIVPathElement>(fastener.get()); }

// Calls `take` for each fastener related to the product, depth first, each
// once, until it answers false. Imports relate the joints and joint bodies
// to the parts, hand-made fasteners may be related themselves: both count.
void VisitWeldsOfProduct(const QIVBaseUnknown_var& product,
                         const std::function<bool(const QIVBaseUnknown_var&)>& take) {
  QIVBaseUnknown_var container;
  if (!product || FAILED(ZELFastenerServices::GetFeatContainerFromFeature(product, container))) return;
  ZELIBIWFeaturePartRelations_var relations(container);
  List related;
  if (!relations || FAILED(relations->GetRelatedFeatures(product, related))) return;
  ZELVekBIWAssignWeldDlg::Identities seen;
  std::vector<QIVBaseUnknown_var> pending(related.begin(), related.end());
  std::reverse(pending.begin(), pending.end());
  List children;
  while (!pending.empty()) {
    const QIVBaseUnknown_var feature = std::move(pending.back());
    pending.pop_back();
    if (ZELIBIWFastener_var(feature)) {
      if (seen.insert(feature.Identity()) && !take(feature)) return;
    } else if (ZELIBIWFeatureChildMgmt_var group(feature); group && SUCCEEDED(group->GetChildren(children))) {
      pending.insert(pending.end(), children.Items().rbegin(), children.Items().rend());
    }
  }
}
}  // namespace

ZELVekBIWAssignWeldDlg::ZELVekBIWAssignWeldDlg()
    : QIVDlgDialog(
          QIVApplicationFrame::GetFrame() ? QIVApplicationFrame::GetFrame()->GetMainWindow() : nullptr,
          "AssignWeldDlg", 0) {
  ZELTraceLine(QIVUnicodeString(kClass) + " Constructor");
  SetTitle(Caption("Title", "Assign Fasteners"));
}

ZELVekBIWAssignWeldDlg::~ZELVekBIWAssignWeldDlg() {
  ZELTraceLine(QIVUnicodeString(kClass) + " Destructor");
}

QIVUnicodeString ZELVekBIWAssignWeldDlg::Message(const char* key, const char* text) const {
  return Caption(key, text);
}

void ZELVekBIWAssignWeldDlg::SetBusy() const {
  if (_pFrame) _pFrame->SetBusyCursor();
}

void ZELVekBIWAssignWeldDlg::SetEditorCount(QIVDlgEditor* editor, int count) {
  if (editor) editor->SetText(QIVUnicodeString().BuildFromNum(count, "%d"));
}

std::vector<QIVUnicodeString> ZELVekBIWAssignWeldDlg::SortUnlessGatheringOrder(List& fasteners,
                                                                               ZELFastenerServices::WeldIDSort& sort) {
  std::vector<QIVUnicodeString> ids;
  ids.reserve(fasteners.Size());
  for (const QIVBaseUnknown_var& fastener : fasteners) ids.push_back(ZELFastenerServices::GetWeldID(fastener));
  if (!ZELEnvironmentSwitches::KeepsGatheringOrder()) sort.Sort(fasteners, ids);
  return ids;
}

void ZELVekBIWAssignWeldDlg::Build() {
  ZELTraceScope scope(kClass, "Build");
  if (_pTabContainer) return;
  _pFrame = QIVApplicationFrame::GetFrame();

  _pTabContainer = new QIVDlgTabContainer(this, "TabContainerId");
  _pTabContainer->SetGridConstraints(0, 0);
  _pTabPageAssignment = new QIVDlgTabPage(_pTabContainer, "TabPageAssignmentId");
  _pTabPageAssignment->SetTitle(TitleOf("TabPageAssignmentId", "Assignment"));
  _pTabPageAccountability = new QIVDlgTabPage(_pTabContainer, "TabPageAccountabilityId");
  _pTabPageAccountability->SetTitle(TitleOf("TabPageAccountabilityId", "Accountability"));
  _pTabContainer->SetSelectedPage(_pTabPageAssignment);
  BuildAssignmentPage();
  BuildAccountabilityPage();

  SetButtonTitle(GetDiaCANCELNotification(), Caption("CancelTitleId", "Close"));
  SetButtonTitle(GetDiaAPPLYNotification(), "Filter Fasteners");
  SetButtonSensitivity(GetDiaOKNotification(), QIVDlgDisable);
  SetButtonSensitivity(GetDiaCLOSENotification(), QIVDlgDisable);

  using D = ZELVekBIWAssignWeldDlg;
  AddAnalyseNotificationCB(this, GetDiaCANCELNotification(), &D::WhenDiaClose);
  AddAnalyseNotificationCB(this, GetWindCloseNotification(), &D::WhenDiaClose);
  AddAnalyseNotificationCB(this, GetDiaAPPLYNotification(), &D::WhenFilter);
  AddAnalyseNotificationCB(_pTabContainer, GetTabSelectNotification(), &D::WhenTabPageSelected);
  AddAnalyseNotificationCB(_pComboProduct, GetComboSelectNotification(), &D::WhenComboProductSelected);
  AddAnalyseNotificationCB(_pComboActivity, GetComboSelectNotification(), &D::WhenComboActivitySelected);
  AddAnalyseNotificationCB(_pSelectListLeft, GetListActivateNotification(), &D::WhenPushButtonAssignPushed);
  AddAnalyseNotificationCB(_pPushButtonAssign, GetPushBActivateNotification(), &D::WhenPushButtonAssignPushed);
  AddAnalyseNotificationCB(_pSelectListRight, GetListActivateNotification(), &D::WhenPushButtonUnassignPushed);
  AddAnalyseNotificationCB(_pPushButtonUnassign, GetPushBActivateNotification(),
                           &D::WhenPushButtonUnassignPushed);
  AddAnalyseNotificationCB(_pCheckShowHideLeft, GetChkBModifyNotification(), &D::WhenCheckShowHideWeldIDClick);
  AddAnalyseNotificationCB(_pCheckShowHideRight, GetChkBModifyNotification(), &D::WhenCheckShowHideWeldIDClick);
  AddAnalyseNotificationCB(_pSelectListLeft, GetListSelectNotification(), &D::WhenLeftListSelected);
  AddAnalyseNotificationCB(_pSelectListRight, GetListSelectNotification(), &D::WhenRightListSelected);
  AddAnalyseNotificationCB(_pCheckAllProduct, GetChkBModifyNotification(), &D::WhenCheckAllProduct);
  AddAnalyseNotificationCB(_pComboOption, GetComboSelectNotification(), &D::WhenComboOptionModified);
  AddAnalyseNotificationCB(_pRadioAllProduct, GetRadBModifyNotification(), &D::WhenCheckAllProductAccount);
  AddAnalyseNotificationCB(_pRadioOneProduct, GetRadBModifyNotification(), &D::WhenCheckOneProductAccount);

  Init();
}

void ZELVekBIWAssignWeldDlg::BuildAssignmentPage() {
  QIVDlgTabPage* page = _pTabPageAssignment;
  auto label = [page](const char* name, const char* text, int row, int column) {
    QIVDlgLabel* made = new QIVDlgLabel(page, name);
    made->SetTitle(TitleOf(name, text));
    made->SetGridConstraints(row, column);
    return made;
  };
  label("LabelComboProductId", "Product:", 0, 0);
  _pComboProduct = new QIVDlgCombo(page, "ComboProductId");
  _pComboProduct->SetGridConstraints(0, 1);
  _pCheckAllProduct = new QIVDlgCheckButton(page, "CheckAllProductId");
  _pCheckAllProduct->SetTitle(TitleOf("CheckAllProductId", "All products"));
  _pCheckAllProduct->SetGridConstraints(0, 2);
  label("LabelComboActivityId", "Activity:", 1, 0);
  _pComboActivity = new QIVDlgCombo(page, "ComboActivityId");
  _pComboActivity->SetGridConstraints(1, 1, 1, 2);
  new QIVDlgSeparator(page, "SeparatorHLeftId");

  label("LabelSelectListLeftId", "Fasteners available", 2, 0);
  _pSelectListLeft = new QIVDlgSelectorList(page, "SelectListLeftId", ZELVekBIWStyle::MultipleSelection);
  _pSelectListLeft->SetVisibleTextHeight(15);
  _pSelectListLeft->SetGridConstraints(3, 0);
  _pCheckShowHideLeft = new QIVDlgCheckButton(page, "CheckShowHideWeldIdLeftList");
  _pCheckShowHideLeft->SetTitle(TitleOf("CheckShowHideWeldIdLeftList", "Show identifiers"));
  _pCheckShowHideLeft->SetGridConstraints(4, 0);

  _pPushButtonAssign = new QIVDlgPushButton(page, "PushButtonAssignId");
  _pPushButtonAssign->SetIconName(Caption("ToRightIconName", "I_ToRightTovask"),
                                  Caption("ToRightIconPName", "IP_ToRightTovask"),
                                  Caption("ToRightIconFName", "IF_ToRightTovask"),
                                  Caption("ToRightIconDName", "ID_ToRightTovask"));
  _pPushButtonAssign->SetGridConstraints(3, 1);
  _pPushButtonUnassign = new QIVDlgPushButton(page, "PushButtonUnassignId");
  _pPushButtonUnassign->SetIconName(Caption("ToLeftIconName", "I_ToLeftTovask"),
                                    Caption("ToLeftIconPName", "IP_ToLeftTovask"),
                                    Caption("ToLeftIconFName", "IF_ToLeftTovask"),
                                    Caption("ToLeftIconDName", "ID_ToLeftTovask"));
  _pPushButtonUnassign->SetGridConstraints(4, 1);

  label("LabelSelectListRightId", "Fasteners assigned", 2, 2);
  _pSelectListRight = new QIVDlgSelectorList(page, "SelectListRightId", ZELVekBIWStyle::MultipleSelection);
  _pSelectListRight->SetVisibleTextHeight(15);
  _pSelectListRight->SetGridConstraints(3, 2);
  _pCheckShowHideRight = new QIVDlgCheckButton(page, "CheckShowHideWeldIdRightList");
  _pCheckShowHideRight->SetTitle(TitleOf("CheckShowHideWeldIdRightList", "Show identifiers"));
  _pCheckShowHideRight->SetGridConstraints(4, 2);

  label("LabelLegendId", "(*) assigned to the activity", 5, 0);
  new QIVDlgSeparator(page, "SeparatorHRightId");
  label("LabelNumberId", "Number:", 6, 0);
  _pEditorNumber = new QIVDlgEditor(page, "EditorNumberID", QIVDlgEditor::ReadOnlyStyle);
  _pEditorNumber->SetGridConstraints(6, 1);
  label("LabelAssignNumberId", "Number assigned:", 7, 0);
  _pEditorAssignNumber = new QIVDlgEditor(page, "EditorAssignNumberID", QIVDlgEditor::ReadOnlyStyle);
  _pEditorAssignNumber->SetGridConstraints(7, 1);
}

void ZELVekBIWAssignWeldDlg::BuildAccountabilityPage() {
  QIVDlgTabPage* page = _pTabPageAccountability;
  QIVDlgFrame* options = new QIVDlgFrame(page, "FrameAccountabilityId");
  options->SetGridConstraints(0, 0);
  _pRadioOneProduct = new QIVDlgRadioButton(options, "RadioOneProductId");
  _pRadioOneProduct->SetTitle(TitleOf("RadioOneProductId", "Current product"));
  _pRadioAllProduct = new QIVDlgRadioButton(options, "RadioAllProductId");
  _pRadioAllProduct->SetTitle(TitleOf("RadioAllProductId", "All products"));
  _pRadioAllProduct->SetState(true);
  QIVDlgLabel* optionLabel = new QIVDlgLabel(options, "LabelOptionId");
  optionLabel->SetTitle(TitleOf("LabelOptionId", "Show:"));
  _pComboOption = new QIVDlgCombo(options, "ComboOptionId");
  _pComboOption->SetLine(Caption("ComboOptionId1", "All points"));
  _pComboOption->SetLine(Caption("ComboOptionId2", "Assigned fasteners"));
  _pComboOption->SetLine(Caption("ComboOptionId3", "Not assigned fasteners"));
  _pComboOption->SetLine(Caption("ComboOptionId4", "Multi-Assigned fasteners"));
  _pComboOption->SetSelect(ZELVekBIWWeldAccountability::AllWelds);

  _pMultiListWeldAccount = new QIVDlgMultiList(page, "MultiListWeldAccountId");
  _pMultiListWeldAccount->SetGridConstraints(1, 0);
  static constexpr int kWidths[] = {5, 7, 7, 20};
  for (int column = 0; column < 4; ++column) {
    const std::string key = "MultiListWeldAccountId.ColumnTitle" + std::to_string(column);
    _pMultiListWeldAccount->SetColumnTitle(column, Caption(key.c_str(), ""));
    _pMultiListWeldAccount->SetColumnVisibility(column, true);
    _pMultiListWeldAccount->SetColumnTextWidth(column, kWidths[column]);
    _pMultiListWeldAccount->SetColumnSortOrder(column,
                                               column == 0 ? QIVDlgMultiList::NumericSort : QIVDlgMultiList::TextSort);
  }

  QIVDlgFrame* counts = new QIVDlgFrame(page, "FrameAccountabilityId");
  counts->SetGridConstraints(2, 0);
  _pLabelWeldsAvailable = new QIVDlgLabel(counts, "LabelWeldsAvailableId");
  _pLabelWeldsAvailable->SetTitle(TitleOf("LabelWeldsAvailableId", "Fasteners"));
  _pEditorWeldsAvailable = new QIVDlgEditor(counts, "EditorWeldsAvailableId", QIVDlgEditor::ReadOnlyStyle);
  _pLabelWeldsOptionTitle = new QIVDlgLabel(counts, "LabelWeldsOptionTitleId");
  _pEditorWeldsOption = new QIVDlgEditor(counts, "EditorWeldsOptionId", QIVDlgEditor::ReadOnlyStyle);

  _accountability = std::make_unique<ZELVekBIWWeldAccountability>(
      ZELVekBIWWeldAccountability::Widgets{
          _pMultiListWeldAccount,
          _pEditorWeldsAvailable,
          _pLabelWeldsOptionTitle,
          _pEditorWeldsOption,
          {_pRadioOneProduct, _pRadioAllProduct, optionLabel, _pComboOption, _pMultiListWeldAccount,
           _pLabelWeldsAvailable, _pEditorWeldsAvailable, _pLabelWeldsOptionTitle, _pEditorWeldsOption}},
      ZELVekBIWWeldAccountability::Texts{Message("NoneTitleId", "None"),
                                         Message("LabelAssignedId", "Fasteners Assigned"),
                                         Message("LabelNotAssignedId", "Fasteners  not assigned"),
                                         Message("LabelMultiAssignedId", "Fasteners Multi-Assigned")},
      ZELVekBIWWeldAccountability::Form::AssignmentPage);
}

void ZELVekBIWAssignWeldDlg::Init() {
  ZELTraceScope scope(kClass, "Init");
  GetListOfAllWeld();
  for (const QIVBaseUnknown_var& fastener : *_pListOfAllWelds)
    if (!ZELFastenerServices::IsFastener(fastener)) {
      _nonBIWFasteners = true;
      break;
    }
  if (!_nonBIWFasteners) {
    ZELFastenerDisplay::CheckVisualizationOfR7Welds(*_pListOfAllWelds, _visibleAtInit, 0);
    FilteredVisualization(_visibleAtInit, 0);
    ZELFastenerDisplay::HideShowWeldPointsInList(*_pListOfAllWelds, false);
  }

  List activities;
  ZELFastenerServices::GetListOfAllActivities(activities);
  const QIVUnicodeString welding = ZELBIWActivityServices::GetWeldingType();
  const QIVUnicodeString curve = ZELBIWActivityServices::GetCurveFasteningType();
  for (const QIVBaseUnknown_var& activity : activities)
    if (ZELBIWActivityServices::IsOfType(activity, welding) || ZELBIWActivityServices::IsOfType(activity, curve))
      _activities.Append(activity);

  ZELFastenerServices::GetAllProducts(_allProducts);
  UpdateListOfAllAssignedWelds();
  _pCheckShowHideLeft->SetState(true);
  _pCheckShowHideRight->SetState(true);
  _showIDsLeft = _showIDsRight = true;
  FillComboActivity();
  FillComboProduct();
}

void ZELVekBIWAssignWeldDlg::GetListOfAllWeld() {
  if (_pListOfAllWelds) return;
  _pListOfAllWelds = std::make_unique<List>();
  ZELVekBIWWeldAccountability::ListAllFasteners(*_pListOfAllWelds);
}

bool ZELVekBIWAssignWeldDlg::GetListOfAllWeldsFromProduct(const QIVBaseUnknown_var& product, List& fasteners) {
  fasteners.RemoveAll();
  VisitWeldsOfProduct(product, [&fasteners](const QIVBaseUnknown_var& fastener) {
    fasteners.Append(fastener);
    return true;
  });
  return !fasteners.IsEmpty();
}

bool ZELVekBIWAssignWeldDlg::HasWelds(const QIVBaseUnknown_var& product) {
  bool found = false;
  VisitWeldsOfProduct(product, [&found](const QIVBaseUnknown_var&) { return !(found = true); });
  return found;
}

int ZELVekBIWAssignWeldDlg::FindWeldInListOfWeld(const QIVBaseUnknown_var& fastener, const List& fasteners) {
  for (int i = 1; i <= fasteners.Size(); ++i)
    if (fasteners[i] == fastener) return i;
  return 0;
}

QIVUnicodeString ZELVekBIWAssignWeldDlg::GetActivityFullName(const QIVBaseUnknown_var& activity) {
  QIVISPPActivity_var typed(activity);
  if (!typed) return QIVUnicodeString();
  const QIVUnicodeString name = typed->GetName();
  QIVUnicodeString path = name;
  QIVBaseUnknown_var father;
  for (QIVISPPActivity_var current = typed; SUCCEEDED(current->GetFatherActivity(father)) && father;) {
    current = QIVISPPActivity_var(father);
    if (!current) break;
    path += "<-" + current->GetName();
  }
  return name + " (" + path + " )";
}

void ZELVekBIWAssignWeldDlg::FillComboActivity() {
  ZELTraceScope scope(kClass, "FillComboActivity");
  _pComboActivity->ClearLine();
  if (_activities.IsEmpty())
    _pComboActivity->SetLine(Message("ErrorNoActivity", "No Fastening Activity"));
  for (const QIVBaseUnknown_var& activity : _activities) _pComboActivity->SetLine(GetActivityFullName(activity));
  FitCombo(_pComboActivity, kActivityComboHeight);
  _pComboActivity->SetSelect(0, 1);
}

void ZELVekBIWAssignWeldDlg::FillComboProduct() {
  ZELTraceScope scope(kClass, "FillComboProduct");
  _pComboProduct->ClearLine();
  _productsWithWelds.RemoveAll();
  for (const QIVBaseUnknown_var& product : _allProducts) {
    if (!HasWelds(product)) continue;
    _productsWithWelds.Append(product);
    _pComboProduct->SetLine(QIVIProduct_var(product)->GetPrdInstanceName());
  }
  if (_productsWithWelds.IsEmpty())
    _pComboProduct->SetLine(Message("ErrorNoProduct", "No Product"));
  else
    _pComboProduct->SetLine(Message("AllProducts", "All Products"));
  FitCombo(_pComboProduct, kProductComboHeight);
  _pComboProduct->SetSelect(0, 1);
}

void ZELVekBIWAssignWeldDlg::UpdateListOfAllAssignedWelds() {
  _allAssigned.RemoveAll();
  QIVBaseUnknown_var root;
  if (SUCCEEDED(ZELFastenerServices::GetRootActivity(root)) && root)
    ZELFastenerServices::GetListOfR7AssignedWeld(root, _allAssigned);
  _allAssignedIndex = IdentitiesOf(_allAssigned);
}

bool ZELVekBIWAssignWeldDlg::IsAssignedAnywhere(const QIVBaseUnknown_var& fastener) const {
  return _allAssignedIndex.count(fastener.Identity()) != 0;
}

void ZELVekBIWAssignWeldDlg::UpdateListOfAllAssignableWelds(bool reloadAssigned) {
  if (!_pListOfAssignableWelds) _pListOfAssignableWelds = std::make_unique<List>();
  _pListOfAssignableWelds->RemoveAll();
  if (reloadAssigned) UpdateListOfAllAssignedWelds();
  if (_allProductsFlag) GetListOfAllWeld();
  const List* source = _allProductsFlag ? _pListOfAllWelds.get() : _pListOfWeldsFromProduct.get();
  if (!source) return;
  for (const QIVBaseUnknown_var& fastener : *source)
    if (!IsAssignedAnywhere(fastener)) _pListOfAssignableWelds->Append(fastener);
}

void ZELVekBIWAssignWeldDlg::LineIndex::Add(const QIVUnicodeString& id, const QIVBaseUnknown_var& fastener) {
  _idOfRow.push_back(id);
  _listed.insert(fastener.Identity());
  _built = false;
}

void ZELVekBIWAssignWeldDlg::LineIndex::Build() const {
  if (_built) return;
  _rowsOfId.clear();
  _rowsOfId.reserve(_idOfRow.size());
  for (int row = 0; row < Size(); ++row) _rowsOfId[_idOfRow[row]].push_back(row);
  _built = true;
}

const std::vector<int>* ZELVekBIWAssignWeldDlg::LineIndex::RowsOf(const QIVUnicodeString& id) const {
  Build();
  const auto found = _rowsOfId.find(id);
  return found == _rowsOfId.end() ? nullptr : &found->second;
}

void ZELVekBIWAssignWeldDlg::LineIndex::Reserve(std::size_t count) {
  _idOfRow.reserve(count);
  _listed.reserve(count);
}

void ZELVekBIWAssignWeldDlg::LineIndex::Clear() {
  _idOfRow.clear();
  _rowsOfId.clear();
  _listed.clear();
  _built = false;
}

void ZELVekBIWAssignWeldDlg::ShowListMessage(QIVDlgSelectorList* list, QIVDlgEditor* count, LineIndex& index,
                                             const std::vector<QIVUnicodeString>& lines) {
  list->ClearLine();
  index.Clear();
  for (const QIVUnicodeString& line : lines) list->SetLine(line);
  list->SetSensitivity(QIVDlgDisable);
  SetEditorCount(count, 0);
}

void ZELVekBIWAssignWeldDlg::FillSelectListWeldsAvailable(bool recompute) {
  ZELTraceScope scope(kClass, "FillSelectListWeldsAvailable");
  List* candidates = _pListOfFilteredWelds.get();
  const bool fromFilter = candidates != nullptr;
  if (!candidates) {
    UpdateListOfAllAssignableWelds(recompute);
    candidates = _pListOfAssignableWelds.get();
  }
  if (_pListOfAssignableWelds && _currentActivity) {
    bool constraint = false;
    ZELVekBIWSettingsServices::GetPartLoadConstraint(constraint);
    ZELFastenerServices::ValidateListOfFastenersForAssignmentToActivity(
        *_pListOfAssignableWelds, QIVBaseUnknown_var(_currentActivity), constraint);
  }

  _leftWelds.RemoveAll();
  _leftIndex.Clear();
  _pSelectListLeft->SetSensitivity(QIVDlgEnable);
  _pSelectListLeft->ClearLine();
  if (!candidates) {
    ShowListMessage(_pSelectListLeft, _pEditorNumber, _leftIndex,
                    {Message("ErrorNoWeld", "No valid fasteners available for assignment.")});
    return;
  }

  bool notQualified = false;
  if (_currentActivity) {
    const QIVBaseUnknown_var activity(_currentActivity);
    std::vector<QIVUnicodeString> ids = SortUnlessGatheringOrder(*candidates, _leftSort);
    QIVListValQIVUnicodeString tree;
    ZELFastenerServices::GetListOfExpandedTREEUpwards(activity, tree);
    ZELFastenerServices::WeldFit fit(activity);
    _leftIndex.Reserve(ids.size());
    for (int i = 1; i <= candidates->Size(); ++i) {
      const QIVBaseUnknown_var& fastener = (*candidates)[i];
      if (FAILED(ZELFastenerServices::IsValidProcessVersion(activity, fastener, tree))) continue;
      if (FAILED(fit.Check(fastener))) {
        notQualified = true;
        continue;
      }
      if (IsAssignedAnywhere(fastener)) continue;
      const QIVUnicodeString& id = ids[i - 1];
      _leftIndex.Add(id, fastener);
      _pSelectListLeft->SetLine(id);
      _leftWelds.Append(fastener);
    }
  } else {
    notQualified = true;
  }

  if (_leftWelds.IsEmpty()) {
    if (notQualified)
      ShowListMessage(_pSelectListLeft, _pEditorNumber, _leftIndex,
                      {Message("ErrorNoWeldForActivity", "No qualified fasteners for selected activity.")});
    else if (fromFilter)
      ShowListMessage(_pSelectListLeft, _pEditorNumber, _leftIndex,
                      {Message("ErrorAllFilteredWeldsAssigned", "All fasteners in filtered list already assigned."),
                       Message("ErrorReselectProductOrActivity", "Reselect Product/Activity to cancel filtering.")});
    else
      ShowListMessage(_pSelectListLeft, _pEditorNumber, _leftIndex,
                      {Message("ErrorNoWeld", "No valid fasteners available for assignment.")});
  }
  SetEditorCount(_pEditorNumber, _leftWelds.Size());
  if (_showIDsLeft) ShowListAvailableWeldIDs();
}

void ZELVekBIWAssignWeldDlg::FillSelectListWeldsToAssign(bool reload) {
  ZELTraceScope scope(kClass, "FillSelectListWeldsToAssign");
  if (reload) {
    _pListOfWeldsFromActivity.reset();
    if (_currentActivity) {
      _pListOfWeldsFromActivity = std::make_unique<List>();
      ZELFastenerServices::GetWeldFromActivity(QIVBaseUnknown_var(_currentActivity), *_pListOfWeldsFromActivity, 0,
                                               0);
    }
  }
  _pSelectListRight->SetSensitivity(QIVDlgEnable);
  _pSelectListRight->ClearLine();
  _rightIndex.Clear();
  if (_pListOfWeldsFromActivity && !_pListOfWeldsFromActivity->IsEmpty()) {
    const std::vector<QIVUnicodeString> ids = SortUnlessGatheringOrder(*_pListOfWeldsFromActivity, _rightSort);
    const QIVUnicodeString tag = Message("AssignTag", "(*)");
    _rightIndex.Reserve(ids.size());
    for (int i = 1; i <= _pListOfWeldsFromActivity->Size(); ++i) {
      const QIVBaseUnknown_var& fastener = (*_pListOfWeldsFromActivity)[i];
      const QIVUnicodeString& id = ids[i - 1];
      _rightIndex.Add(id, fastener);
      _pSelectListRight->SetLine(id + tag);
    }
    SetEditorCount(_pEditorAssignNumber, _pListOfWeldsFromActivity->Size());
  } else {
    const QIVUnicodeString none =
        QIVMsgCatalog::BuildMessage("ZELVekBIWReadWeldFromFileDlg", "ErrorNoWeldAssigned", nullptr, 0,
                                    "No fasteners currently assigned.");
    ShowListMessage(_pSelectListRight, _pEditorAssignNumber, _rightIndex, {none});
  }
  if (_showIDsRight) ShowListAssignedWeldIDs();
}

void ZELVekBIWAssignWeldDlg::UpdateSelectList(bool fillLeft, bool fillRight, bool recomputeLeft, bool reloadRight) {
  ZELTraceScope scope(kClass, "UpdateSelectList");
  if (fillLeft)
    FillSelectListWeldsAvailable(recomputeLeft);
  else if (_showIDsLeft)
    ShowListAvailableWeldIDs();
  if (fillRight)
    FillSelectListWeldsToAssign(reloadRight);
  else if (_showIDsRight)
    ShowListAssignedWeldIDs();
  UpdateListOfWeldsToShow();
  HideShowWelds();
}

void ZELVekBIWAssignWeldDlg::SetCurrentActivity(const QIVBaseUnknown_var& activity) {
  ZELTraceScope scope(kClass, "SetCurrentActivity");
  if (!QIVISPPActivity_var(activity)) return;
  _currentActivity = QIVISPPActivity_var(activity);
  int position = FindWeldInListOfWeld(activity, _activities);
  if (position == 0) {
    _activities.Append(activity);
    position = _activities.Size();
    FillComboActivity();
  }
  _pComboActivity->SetSelect(position - 1, 1);
}

void ZELVekBIWAssignWeldDlg::UpdateActivity(const QIVBaseUnknown_var& activity) {
  ZELTraceScope scope(kClass, "UpdateActivity");
  _currentActivity = QIVISPPActivity_var(activity);
  UpdateListOfAllAssignedWelds();
  _pListOfWeldsFromActivity.reset();
  if (_currentActivity) {
    _pListOfWeldsFromActivity = std::make_unique<List>();
    ZELFastenerServices::GetWeldFromActivity(activity, *_pListOfWeldsFromActivity, 0, 0);
  }
  UpdateSelectList(true, true, true, false);
  if (_currentActivity) UpdateActivityNodeVisu(activity);
}

void ZELVekBIWAssignWeldDlg::UpdateActivityNodeVisu(const QIVBaseUnknown_var& activity) {
  if (QIVISPPActivity_var typed(activity); typed) ZELTraceLine("Redraw activity node " + typed->GetName());
}

void ZELVekBIWAssignWeldDlg::SetCurrentProduct(const QIVBaseUnknown_var& product) {
  ZELTraceScope scope(kClass, "SetCurrentProduct");
  if (!QIVIProduct_var(product)) return;
  if (_pTabContainer->GetSelectedPage() == _pTabPageAccountability) {
    _currentProduct = QIVIProduct_var(product);
    _pListOfWeldsFromProduct = std::make_unique<List>();
    GetListOfAllWeldsFromProduct(product, *_pListOfWeldsFromProduct);
    UpdateAccountabilityTabPage(true);
    return;
  }
  if (const int position = FindWeldInListOfWeld(product, _productsWithWelds); position != 0)
    _pComboProduct->SetSelect(position - 1, 1);
}

void ZELVekBIWAssignWeldDlg::UpdateProduct(const QIVBaseUnknown_var& product) {
  ZELTraceScope scope(kClass, "UpdateProduct");
  _currentProduct = QIVIProduct_var(product);
  _pListOfWeldsFromProduct = std::make_unique<List>();
  GetListOfAllWeldsFromProduct(product, *_pListOfWeldsFromProduct);
  UpdateSelectList(true, true, false, true);
}

void ZELVekBIWAssignWeldDlg::GetListOfFilteredWelds() {
  _pListOfFilteredWelds.reset();
  if (!_pCatalogBrowser) return;
  const QIVListValQIVUnicodeString& result = _pCatalogBrowser->GetCurrentQueryResult();
  if (result.IsEmpty()) return;
  std::unordered_map<QIVUnicodeString, QIVBaseUnknown_var> firstOfId;
  if (_pListOfAssignableWelds)
    for (const QIVBaseUnknown_var& fastener : *_pListOfAssignableWelds)
      firstOfId.emplace(ZELFastenerServices::GetWeldID(fastener), fastener);
  _pListOfFilteredWelds = std::make_unique<List>();
  for (const QIVUnicodeString& id : result)
    if (const auto found = firstOfId.find(id); found != firstOfId.end()) _pListOfFilteredWelds->Append(found->second);
}

QIVUnicodeString ZELVekBIWAssignWeldDlg::FilterWeldID(const QIVUnicodeString& text) {
  QIVUnicodeString filtered = text;
  const int position = text.SearchSubString(Caption("AssignTag", "(*)"));
  if (position > 0) filtered.ReplaceSubString(position, 3, "");
  return filtered;
}

ZELVekBIWAssignWeldDlg::List ZELVekBIWAssignWeldDlg::SelectedWelds(QIVDlgSelectorList* list,
                                                                    const List& welds) const {
  List selected;
  for (const int row : list->GetSelect()) {
    if (row < 0 || row >= welds.Size()) {
      ZELTraceLine("AssertionFailed:FALSE");
      continue;
    }
    selected.Append(welds[row + 1]);
  }
  return selected;
}

void ZELVekBIWAssignWeldDlg::SelectRows(QIVDlgSelectorList* list, const LineIndex& index, const List& fasteners,
                                        List& kept) const {
  std::vector<int> rows;
  kept.RemoveAll();
  for (const QIVBaseUnknown_var& fastener : fasteners) {
    const std::vector<int>* found = index.RowsOf(ZELFastenerServices::GetWeldID(fastener));
    if (!found) {
      ZELTraceLine("Not Found");
      continue;
    }
    kept.Append(fastener);
    for (const int row : *found)
      if (std::find(rows.begin(), rows.end(), row) == rows.end()) rows.push_back(row);
  }
  list->SetSelect(rows);
}

void ZELVekBIWAssignWeldDlg::UpdateSelection(const List& picked, bool toggle) {
  ZELTraceScope scope(kClass, "UpdateSelection");
  const List* activityWelds = _pListOfWeldsFromActivity.get();
  List left = SelectedWelds(_pSelectListLeft, _leftWelds);
  List right = activityWelds ? SelectedWelds(_pSelectListRight, *activityWelds) : List();
  List removed;
  const auto pickedSet = IdentitiesOf(picked);
  if (toggle) {
    for (List* selection : {&left, &right}) {
      List stays;
      for (const QIVBaseUnknown_var& fastener : *selection)
        (pickedSet.count(fastener.Identity()) ? removed : stays).Append(fastener);
      *selection = std::move(stays);
    }
  } else {
    removed = left;
    removed.Append(right);
    left.RemoveAll();
    right.RemoveAll();
  }

  // The lists' row indexes answer which list holds a picked fastener; the
  // activity's list is indexed whole once its lines are filled.
  const auto removedSet = IdentitiesOf(removed);
  const bool rightIndexed = activityWelds && _rightIndex.Size() == activityWelds->Size();
  const auto inActivityUnindexed =
      activityWelds && !rightIndexed ? IdentitiesOf(*activityWelds) : Identities();
  const auto inFilter =
      _pListOfFilteredWelds ? IdentitiesOf(*_pListOfFilteredWelds) : Identities();
  for (const QIVBaseUnknown_var& fastener : picked) {
    if (toggle && removedSet.count(fastener.Identity())) continue;
    if (rightIndexed ? _rightIndex.Lists(fastener) : inActivityUnindexed.count(fastener.Identity()) != 0)
      right.Append(fastener);
    else if (inFilter.count(fastener.Identity()) || _leftIndex.Lists(fastener))
      left.Append(fastener);
  }
  // A fastener no longer selected but picked again without toggle stays lit.
  List dropped;
  const auto keptNow = [&] {
    auto all = IdentitiesOf(left);
    for (const QIVBaseUnknown_var& fastener : right) all.insert(fastener.Identity());
    return all;
  }();
  for (const QIVBaseUnknown_var& fastener : removed)
    if (!keptNow.count(fastener.Identity())) dropped.Append(fastener);

  List keptLeft, keptRight;
  SelectRows(_pSelectListLeft, _leftIndex, left, keptLeft);
  SelectRows(_pSelectListRight, _rightIndex, right, keptRight);
  keptLeft.Append(keptRight);
  if (!(_showIDsLeft && _showIDsRight)) HighlightWeldsInList(keptLeft, true);
  DeHighlightWeldsInList(dropped);
}

void ZELVekBIWAssignWeldDlg::HighlightWeldsInList(const List& fasteners, bool addToSelection) {
  ZELFastenerDisplay::DeactivateListWeldVisualization();
  ZELFastenerDisplay::ActivateListWeldVisualization(fasteners);
  if (!addToSelection) return;
  if (QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor())
    for (const QIVBaseUnknown_var& fastener : fasteners) editor->GetHSO()->AddElement(PathOf(fastener).get());
}

void ZELVekBIWAssignWeldDlg::DeHighlightWeldsInList(const List& fasteners) {
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  if (!editor || fasteners.IsEmpty()) return;
  for (const QIVBaseUnknown_var& fastener : fasteners) editor->GetHSO()->RemoveElement(PathOf(fastener).get());
  List still;
  for (const QIVBaseUnknown_var& element : editor->GetHSO()->Elements())
    if (QIVPathElement_var path(element); path && ZELIBIWFastener_var(path->GetLeaf())) still.Append(path->GetLeaf());
  ZELFastenerDisplay::DeactivateListWeldVisualization();
  ZELFastenerDisplay::ActivateListWeldVisualization(still);
}

void ZELVekBIWAssignWeldDlg::DeHighlightAllWelds() {
  ZELFastenerDisplay::DeactivateListWeldVisualization();
  if (QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor()) editor->GetHSO()->Empty();
}

void ZELVekBIWAssignWeldDlg::FilteredVisualization(const List& fasteners, int mode) {
  if (fasteners.IsEmpty() || _nonBIWFasteners) return;
  ZELFastenerDisplay::VisualizationR7WeldList(fasteners, 0, 0, 255, 255, 255, 255);
  ZELFastenerDisplay::ShowWeldIDs(fasteners, mode != 0);
}

void ZELVekBIWAssignWeldDlg::HideListWeldIDs(List& displayed) {
  FilteredVisualization(displayed, 0);
  displayed.RemoveAll();
}

void ZELVekBIWAssignWeldDlg::ReplaceDisplayedIDs(List& displayed, const List& now, const Membership& staying,
                                                 int mode) {
  // Only the identifiers that leave both lists are hidden, so a refill of
  // the same lines, or a fastener moving across, leaves the view as it was.
  List leaving;
  for (const QIVBaseUnknown_var& fastener : displayed)
    if (!staying(fastener.Identity())) leaving.Append(fastener);
  FilteredVisualization(leaving, 0);
  displayed = now;
  FilteredVisualization(displayed, mode);
}

void ZELVekBIWAssignWeldDlg::ShowListAvailableWeldIDs() {
  // The left list's own row index tells its fasteners.
  const Identities right =
      _showIDsRight && _pListOfWeldsFromActivity ? IdentitiesOf(*_pListOfWeldsFromActivity) : Identities();
  ReplaceDisplayedIDs(
      _pListOfAvailableWeldsDisplayed, _leftWelds,
      [&](const QIVBaseUnknown* fastener) { return _leftIndex.Lists(fastener) || right.count(fastener); }, 1);
}

void ZELVekBIWAssignWeldDlg::ShowListAssignedWeldIDs() {
  const List none;
  const List& right = _pListOfWeldsFromActivity ? *_pListOfWeldsFromActivity : none;
  const Identities inRight = IdentitiesOf(right);
  ReplaceDisplayedIDs(
      _pListOfAssignedWeldsDisplayed, right,
      [&](const QIVBaseUnknown* fastener) {
        return inRight.count(fastener) || (_showIDsLeft && _leftIndex.Lists(fastener));
      },
      2);
}

void ZELVekBIWAssignWeldDlg::UpdateListOfWeldsToShow() {
  _pListOfWeldsToShow = _leftWelds;
  _leftWeldsToShow = _leftWelds.Size();
  if (_pListOfWeldsFromActivity) _pListOfWeldsToShow.Append(*_pListOfWeldsFromActivity);
}

void ZELVekBIWAssignWeldDlg::HideShowWelds() {
  // The list to show begins with the left list when it was made from it
  // just before: the left list's row index tells those.
  const bool leftFirst = _leftWeldsToShow > 0 && _leftWeldsToShow == _leftWelds.Size() &&
                         _leftWeldsToShow <= _pListOfWeldsToShow.Size();
  Identities rest;
  for (int i = leftFirst ? _leftWeldsToShow + 1 : 1; i <= _pListOfWeldsToShow.Size(); ++i)
    rest.insert(_pListOfWeldsToShow[i].Identity());
  List hide;
  for (const QIVBaseUnknown_var& fastener : _pListOfWeldsCurrentlyShown)
    if (!(leftFirst && _leftIndex.Lists(fastener.Identity())) && !rest.count(fastener.Identity()))
      hide.Append(fastener);
  ZELFastenerDisplay::HideShowWeldPointsInList(hide, false);
  ZELFastenerDisplay::HideShowWeldPointsInList(_pListOfWeldsToShow, true);
  // The list to show is made afresh before each use: it is taken, not
  // copied, which would count a reference on each of 90,000 fasteners.
  _pListOfWeldsCurrentlyShown = std::move(_pListOfWeldsToShow);
  _pListOfWeldsToShow.RemoveAll();
  _leftWeldsToShow = 0;
}

void ZELVekBIWAssignWeldDlg::ResetFastenersDisplay() {
  ZELTraceScope scope(kClass, "ResetFastenersDisplay");
  if (_pListOfAllWelds) ZELFastenerDisplay::HideShowWeldPointsInList(*_pListOfAllWelds, true);
  _pListOfWeldsCurrentlyShown.RemoveAll();
  HideListWeldIDs(_pListOfAvailableWeldsDisplayed);
  HideListWeldIDs(_pListOfAssignedWeldsDisplayed);
  if (!_nonBIWFasteners && _pListOfAllWelds) {
    const auto visible = IdentitiesOf(_visibleAtInit);
    List hidden;
    for (const QIVBaseUnknown_var& fastener : *_pListOfAllWelds)
      if (!visible.count(fastener.Identity())) hidden.Append(fastener);
    ZELFastenerDisplay::HideShowWeldPointsInList(hidden, false);
    FilteredVisualization(_visibleAtInit, 0);
  }
  DeHighlightAllWelds();
}

void ZELVekBIWAssignWeldDlg::UpdateAccountabilityTabPage(bool refresh) {
  ZELTraceScope scope(kClass, "UpdateAccountabilityTabPage");
  // The report sorts what it is given: a copy, as the other lists keep
  // their order.
  std::unique_ptr<List> source;
  if (_pRadioOneProduct->GetState()) {
    if ((refresh || !_pListOfWeldsFromProduct) && _currentProduct) {
      _pListOfWeldsFromProduct = std::make_unique<List>();
      GetListOfAllWeldsFromProduct(QIVBaseUnknown_var(_currentProduct), *_pListOfWeldsFromProduct);
    }
    if (_pListOfWeldsFromProduct) source = std::make_unique<List>(*_pListOfWeldsFromProduct);
  } else {
    GetListOfAllWeld();
    source = std::make_unique<List>(*_pListOfAllWelds);
  }
  _accountability->Report(source.get(), _pComboOption->GetSelect());
}

void ZELVekBIWAssignWeldDlg::AccountabilitySensitivity(bool sensitive) {
  if (sensitive)
    _accountability->SetSensitive(true);
  else
    _accountability->EmptyReport();
}

void ZELVekBIWAssignWeldDlg::OnListSelected(QIVDlgSelectorList* list, QIVDlgSelectorList* other,
                                            const List& welds) {
  DeHighlightAllWelds();
  other->ClearSelect();
  const List selected = SelectedWelds(list, welds);
  if (selected.Size() > kBusyListSelection) SetBusy();
  HighlightWeldsInList(selected, true);
}

void ZELVekBIWAssignWeldDlg::WhenLeftListSelected(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenLeftListSelected");
  OnListSelected(_pSelectListLeft, _pSelectListRight, _leftWelds);
}

void ZELVekBIWAssignWeldDlg::WhenRightListSelected(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenRightListSelected");
  OnListSelected(_pSelectListRight, _pSelectListLeft, _pListOfWeldsFromActivity ? *_pListOfWeldsFromActivity : List());
}

void ZELVekBIWAssignWeldDlg::WhenPushButtonAssignPushed(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenPushButtonAssignPushed");
  SetBusy();
  const QIVBaseUnknown_var activity(_currentActivity);
  const std::vector<int> selected = _pSelectListLeft->GetSelect();
  List toAssign;
  for (const int row : selected) {
    if (row < 0 || row >= _leftWelds.Size()) {
      ZELTraceLine("Weld not Found");
      continue;
    }
    const QIVBaseUnknown_var& fastener = _leftWelds[row + 1];
    if (FAILED(ZELFastenerServices::CheckWeldAssignement(fastener, activity, &_allAssigned, 0))) {
      ZELTraceLine("Weld already assigned");
      continue;
    }
    if (!_pListOfWeldsFromActivity) _pListOfWeldsFromActivity = std::make_unique<List>();
    _pListOfWeldsFromActivity->Append(fastener);
    toAssign.Append(fastener);
    ZELTraceLine("ASSIGN");
  }
  ZELFastenerServices::AssignListOfWelds(selected.empty() ? nullptr : &toAssign, activity,
                                         QIVBaseUnknown_var(_currentProduct), 0);
  UpdateListOfAllAssignedWelds();
  UpdateSelectList(true, true, true, true);
  DeHighlightAllWelds();
  if (activity) ZELBIWActivityIntelligenceServices::UpdateCycleTimeForWelding(activity);
}

void ZELVekBIWAssignWeldDlg::WhenPushButtonUnassignPushed(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenPushButtonUnassignPushed");
  SetBusy();
  if (!_currentActivity || !_pListOfWeldsFromActivity || _pSelectListRight->GetSelectCount() == 0) return;
  const QIVBaseUnknown_var activity(_currentActivity);
  const List toUnassign = SelectedWelds(_pSelectListRight, *_pListOfWeldsFromActivity);
  ZELFastenerServices::UnassignListOfWelds(toUnassign, activity);
  const auto gone = IdentitiesOf(toUnassign);
  List stays;
  for (const QIVBaseUnknown_var& fastener : *_pListOfWeldsFromActivity)
    if (!gone.count(fastener.Identity())) stays.Append(fastener);
  *_pListOfWeldsFromActivity = std::move(stays);
  UpdateSelectList(true, true, true, true);
  DeHighlightAllWelds();
  UpdateActivityNodeVisu(activity);
  ZELBIWActivityIntelligenceServices::UpdateCycleTimeForWelding(activity);
}

void ZELVekBIWAssignWeldDlg::WhenComboActivitySelected(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenComboActivitySelected");
  SetBusy();
  const int line = _pComboActivity->GetSelect();
  _pListOfFilteredWelds.reset();
  UpdateActivity(line >= 0 && line < _activities.Size() ? _activities[line + 1] : QIVBaseUnknown_var());
  DeHighlightAllWelds();
}

void ZELVekBIWAssignWeldDlg::WhenComboProductSelected(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenComboProductSelected");
  SetBusy();
  const int line = _pComboProduct->GetSelect();
  _pListOfFilteredWelds.reset();
  if (line >= 0 && line < _productsWithWelds.Size()) {
    _allProductsFlag = _pCheckAllProduct->GetState() ? 1 : 0;
    UpdateProduct(_productsWithWelds[line + 1]);
  } else {
    _allProductsFlag = _productsWithWelds.IsEmpty() ? 0 : 1;
    if (_allProductsFlag) GetListOfAllWeld();
    UpdateSelectList(true, true, false, true);
  }
  DeHighlightAllWelds();
}

void ZELVekBIWAssignWeldDlg::WhenCheckAllProduct(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenCheckAllProduct");
  SetBusy();
  if (_pCheckAllProduct->GetState()) {
    _allProductsFlag = 1;
    GetListOfAllWeld();
    _pComboProduct->SetSensitivity(QIVDlgDisable);
  } else {
    _allProductsFlag = 0;
    _pComboProduct->SetSensitivity(QIVDlgEnable);
  }
  UpdateSelectList(true, false, true, false);
}

void ZELVekBIWAssignWeldDlg::WhenCheckShowHideWeldIDClick(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenCheckShowHideWeldIDClick");
  if (_nonBIWFasteners) return;
  SetBusy();
  if (!_pCheckShowHideLeft->GetState()) {
    _showIDsLeft = false;
    HideListWeldIDs(_pListOfAvailableWeldsDisplayed);
  } else {
    _showIDsLeft = true;
    ShowListAvailableWeldIDs();
  }
  if (!_pCheckShowHideRight->GetState()) {
    _showIDsRight = false;
    HideListWeldIDs(_pListOfAssignedWeldsDisplayed);
  } else {
    _showIDsRight = true;
    ShowListAssignedWeldIDs();
  }
}

void ZELVekBIWAssignWeldDlg::WhenTabPageSelected(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenTabPageSelected");
  if (_pTabContainer->GetSelectedPage() == _pTabPageAccountability)
    UpdateAccountabilityTabPage(true);
  else
    UpdateSelectList(true, true, true, true);
}

void ZELVekBIWAssignWeldDlg::WhenComboOptionModified(QIVCommand*, const QIVNotification&, void*) {
  UpdateAccountabilityTabPage(false);
}

void ZELVekBIWAssignWeldDlg::WhenCheckAllProductAccount(QIVCommand*, const QIVNotification&, void*) {
  UpdateAccountabilityTabPage(false);
}

void ZELVekBIWAssignWeldDlg::WhenCheckOneProductAccount(QIVCommand*, const QIVNotification&, void*) {
  UpdateAccountabilityTabPage(true);
}

void ZELVekBIWAssignWeldDlg::WhenFilter(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenFilter");
  if (!_pCatalogBrowser) {
    _pCatalogBrowser = new ZELVekBIWCatalogBrowserDlg(this);
    _pCatalogBrowser->Build();
    AddAnalyseNotificationCB(_pCatalogBrowser, ZELVekBIWCatalogBrowserDlg::GetCloseNotification(),
                             &ZELVekBIWAssignWeldDlg::UpdateLeftList);
  }
  _pCatalogBrowser->SetListOfAllAvailableWelds(_leftWelds);
  _pCatalogBrowser->SetVisibility(QIVDlgShow);
}

void ZELVekBIWAssignWeldDlg::UpdateLeftList(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "UpdateLeftList");
  GetListOfFilteredWelds();
  UpdateSelectList(true, false, false, false);
}

void ZELVekBIWAssignWeldDlg::WhenDiaClose(QIVCommand*, const QIVNotification& notification, void*) {
  ZELTraceScope scope(kClass, "WhenDiaClose");
  ResetFastenersDisplay();
  QIVCommand::SendNotification(GetFather(), notification);
}
