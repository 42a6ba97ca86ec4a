#include "ZELLocatorAccountabilityDialog.h"

#include <string>
#include <unordered_set>

#include "QIVDlgCombo.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgMultiList.h"
#include "QIVDlgRadioButton.h"
#include "QIVMsgCatalog.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWLocatingPoint.h"
#include "ZELLocatorFacts.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELEnvironmentSwitches.h"

namespace {
constexpr const char* kClass = "ZELLocatorAccountabilityDialog";
constexpr int kColumnCount = 5;

struct FilterEntry {
  const char* key;
  const char* text;
};
constexpr FilterEntry kFilters[] = {
    {"ComboFilterOptionsID.AllLocators", "All Locators"},
    {"ComboFilterOptionsID.AssignedLocators", "Assigned Locators"},
    {"ComboFilterOptionsID.UnAssignedLocators", "UnAssigned Locators"},
    {"ComboFilterOptionsID.MultiAssignedLocators", "MultiAssigned Locators"},
};

QIVUnicodeString Caption(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}

QIVUnicodeString StripBlanks(const QIVUnicodeString& text) {
  const std::string& whole = text.str();
  const auto first = whole.find_first_not_of(" \t");
  if (first == std::string::npos) return QIVUnicodeString();
  return QIVUnicodeString(whole.substr(first, whole.find_last_not_of(" \t") - first + 1));
}

// Takes the raw sequence over into a list, releasing its references.
void AppendSequence(_SEQUENCE_QIVBaseUnknown_ptr& sequence, QIVListValQIVBaseUnknown_var& list) {
  for (QIVBaseUnknown* object : sequence) list.Append(QIVBaseUnknown_var(object));
  QIVReleaseSequence(sequence);
}

void CollectProducts(const QIVIProduct_var& product, std::vector<QIVBaseUnknown_var>& products,
                     std::unordered_set<const QIVBaseUnknown*>& seen) {
  if (!product || !seen.insert(QIVBaseUnknown_var(product).Identity()).second) return;
  products.push_back(QIVBaseUnknown_var(product));
  QIVListValQIVBaseUnknown_var children;
  product->GetChildren(children);
  for (const QIVBaseUnknown_var& child : children) CollectProducts(QIVIProduct_var(child), products, seen);
}
}  // namespace

ZELLocatorAccountabilityDialog::ZELLocatorAccountabilityDialog(QIVCommand* command)
    : QIVDlgDialog(command, kClass, 0) {
  ZELTraceLine(QIVUnicodeString(kClass) + " Constructor");
  SetTitle(Caption("Title", "Locator Accountability"));
}

ZELLocatorAccountabilityDialog::~ZELLocatorAccountabilityDialog() {
  ZELTraceLine(QIVUnicodeString(kClass) + " Destructor");
}

void ZELLocatorAccountabilityDialog::Build() {
  ZELTraceScope scope(kClass, "Build");
  if (_pFrame) return;
  _pFrame = new QIVDlgFrame(this, "FrameLocatorAccountabilityID");
  _pFrame->SetGridConstraints(0, 0, 1, 1, 15);
  _pRadioSelectedProduct = new QIVDlgRadioButton(_pFrame, "RadioButtonSelectedProductID");
  _pRadioSelectedProduct->SetTitle(Caption("RadioButtonSelectedProductID.Title", "Selected product"));
  _pRadioSelectedProduct->SetGridConstraints(0, 0, 1, 1, 0);
  _pRadioAllProducts = new QIVDlgRadioButton(_pFrame, "RadioButtonAllProductsID");
  _pRadioAllProducts->SetTitle(Caption("RadioButtonAllProductsID.Title", "All products"));
  _pRadioAllProducts->SetGridConstraints(0, 1, 1, 1, 0);
  _pRadioAllProducts->SetState(true);
  _pLabelFilter = new QIVDlgLabel(_pFrame, "LabelFilterOptionsID");
  _pLabelFilter->SetTitle(Caption("LabelFilterOptionsID.Title", "Show"));
  _pLabelFilter->SetGridConstraints(1, 0, 1, 1, 0);
  _pComboFilter = new QIVDlgCombo(_pFrame, "ComboFilterOptionsID");
  for (const FilterEntry& filter : kFilters) _pComboFilter->SetLine(Caption(filter.key, filter.text));
  _pComboFilter->SetSelect(AllLocators);
  _pComboFilter->SetGridConstraints(1, 1, 1, 1, 0);
  _pMultiList = new QIVDlgMultiList(_pFrame, "MultiListID");
  _pMultiList->SetGridConstraints(2, 0, 1, 2, 15);
  _pMultiList->SetVisibleTextHeight(15);
  for (int column = 0; column < kColumnCount; ++column) {
    const std::string key =
        "FrameLocatorAccountabilityID.MultiListID.ColumnTitle" + std::to_string(column + 1);
    _pMultiList->SetColumnTitle(column, Caption(key.c_str(), ""));
    _pMultiList->SetColumnSortOrder(column,
                                    column == 0 ? QIVDlgMultiList::NumericSort : QIVDlgMultiList::TextSort);
  }
  _pLabelAvailableCount = new QIVDlgLabel(_pFrame, "LabelAvailableLocatorCountID");
  _pLabelAvailableCount->SetTitle(Caption("LabelAvailableLocatorCountID.Title", "Locators"));
  _pLabelAvailableCount->SetGridConstraints(3, 0, 1, 1, 0);
  _pEditorLocatorCount = new QIVDlgEditor(_pFrame, "EditorLocatorCountID");
  _pEditorLocatorCount->SetSensitivity(QIVDlgDisable);
  _pEditorLocatorCount->SetGridConstraints(3, 1, 1, 1, 0);
  _pLabelAssignedCount = new QIVDlgLabel(_pFrame, "LabelAssignedLocatorCountID");
  _pLabelAssignedCount->SetGridConstraints(4, 0, 1, 1, 0);
  _pEditorAssignedCount = new QIVDlgEditor(_pFrame, "EditorAssignedLocatorCountID");
  _pEditorAssignedCount->SetSensitivity(QIVDlgDisable);
  _pEditorAssignedCount->SetGridConstraints(4, 1, 1, 1, 0);
  for (QIVDialog* count :
       {static_cast<QIVDialog*>(_pLabelAvailableCount), static_cast<QIVDialog*>(_pEditorLocatorCount),
        static_cast<QIVDialog*>(_pLabelAssignedCount), static_cast<QIVDialog*>(_pEditorAssignedCount)})
    count->SetVisibility(QIVDlgHide);
  SetButtonTitle(GetDiaCANCELNotification(), Caption("ButtonClose", "Close"));

  AddAnalyseNotificationCB(_pRadioSelectedProduct, GetRadBModifyNotification(),
                           &ZELLocatorAccountabilityDialog::WhenOneProductSelected);
  AddAnalyseNotificationCB(_pRadioAllProducts, GetRadBModifyNotification(),
                           &ZELLocatorAccountabilityDialog::WhenAllProductsSelected);
  AddAnalyseNotificationCB(_pComboFilter, GetComboSelectNotification(),
                           &ZELLocatorAccountabilityDialog::WhenFilterOptionSelected);
}

bool ZELLocatorAccountabilityDialog::IsProductReported() const {
  return _pRadioSelectedProduct && _pRadioSelectedProduct->GetState();
}

const ZELLocatorAccountabilityDialog::List* ZELLocatorAccountabilityDialog::ReportedList() const {
  return IsProductReported() ? _productList.get() : _documentList.get();
}

void ZELLocatorAccountabilityDialog::SetCurrentProduct(const QIVBaseUnknown_var& product) {
  ZELTraceScope scope(kClass, "SetCurrentProduct");
  const bool changed = !(QIVBaseUnknown_var(_currentProduct) == product);
  _currentProduct = QIVIProduct_var(product);
  if (_pRadioSelectedProduct && !_pRadioSelectedProduct->GetState()) _pRadioSelectedProduct->SetState(true);
  UpdateAccountabilityDisplay(changed);
}

void ZELLocatorAccountabilityDialog::UpdateAccountabilityDisplay(bool) {
  ZELTraceScope scope(kClass, "UpdateAccountabilityDisplay");
  if (!IsProductReported()) {
    if (!_documentList) _documentList = GetListOfAllLocatorsClamps();
  } else {
    _productList = GetListOfAllLocatorsClampsOnProduct(QIVBaseUnknown_var(_currentProduct));
    if (_productList->IsEmpty() && _pMultiList) _pMultiList->ClearLine();
  }
  ReportingOptionsForDisplay(_pComboFilter ? _pComboFilter->GetSelect() : AllLocators);
}

void ZELLocatorAccountabilityDialog::WhenOneProductSelected(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenOneProductSelected");
  if (!IsProductReported()) return;
  if (!_productList) _productList = GetListOfAllLocatorsClampsOnProduct(QIVBaseUnknown_var(_currentProduct));
  if (_productList) ReportingOptionsForDisplay(_pComboFilter->GetSelect());
}

void ZELLocatorAccountabilityDialog::WhenAllProductsSelected(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenAllProductsSelected");
  if (!_pRadioAllProducts->GetState()) return;
  if (!_documentList) _documentList = GetListOfAllLocatorsClamps();
  ReportingOptionsForDisplay(_pComboFilter->GetSelect());
}

void ZELLocatorAccountabilityDialog::WhenFilterOptionSelected(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenFilterOptionSelected");
  ReportingOptionsForDisplay(_pComboFilter->GetSelect());
}

void ZELLocatorAccountabilityDialog::ReportingOptionsForDisplay(int option) {
  ZELTraceScope scope(kClass, "ReportingOptionsForDisplay");
  switch (option) {
    case AllLocators:
      DisplayOptionAllLocators();
      break;
    case AssignedLocators:
      DisplayOptionAssignedLocators();
      break;
    case UnAssignedLocators:
      DisplayOptionUnAssignedLocators();
      break;
    case MultiAssignedLocators:
      DisplayOptionMultiAssignedLocators();
      break;
    default:
      if (_productList) DisplayOptionAllLocators();
  }
}

void ZELLocatorAccountabilityDialog::Display(int mode, const char* headingKey, const char* headingDefault) {
  ZELSetBusyCursor();
  if (!_pMultiList) return;
  _pMultiList->ClearLine();
  const List* list = ReportedList();
  int shown = 0;
  if (list) FillTable(*list, mode, shown);
  const bool counted = headingKey != nullptr;
  for (QIVDialog* count :
       {static_cast<QIVDialog*>(_pLabelAvailableCount), static_cast<QIVDialog*>(_pEditorLocatorCount),
        static_cast<QIVDialog*>(_pLabelAssignedCount), static_cast<QIVDialog*>(_pEditorAssignedCount)})
    count->SetVisibility(counted ? QIVDlgShow : QIVDlgHide);
  if (!counted) return;
  _heading = Caption(headingKey, headingDefault);
  _pLabelAssignedCount->SetTitle(_heading);
  _pEditorAssignedCount->SetText(QIVUnicodeString().BuildFromNum(shown, "%d"));
  _pEditorLocatorCount->SetText(QIVUnicodeString().BuildFromNum(list ? list->Size() : 0, "%d"));
}

void ZELLocatorAccountabilityDialog::DisplayOptionAllLocators() {
  ZELTraceScope scope(kClass, "DisplayOptionAllLocators");
  Display(AllLocators, nullptr, nullptr);
}

void ZELLocatorAccountabilityDialog::DisplayOptionAssignedLocators() {
  ZELTraceScope scope(kClass, "DisplayOptionAssignedLocators");
  Display(AssignedLocators, "LabelAssignedID", "Locators Assigned");
}

void ZELLocatorAccountabilityDialog::DisplayOptionUnAssignedLocators() {
  ZELTraceScope scope(kClass, "DisplayOptionUnAssignedLocators");
  Display(UnAssignedLocators, "LabelUnAssignedID", "Locators not Assigned");
}

void ZELLocatorAccountabilityDialog::DisplayOptionMultiAssignedLocators() {
  ZELTraceScope scope(kClass, "DisplayOptionMultiAssignedLocators");
  Display(MultiAssignedLocators, "LabelMultiAssignedID", "Locators Multi-Assigned");
}

void ZELLocatorAccountabilityDialog::FillTable(const List& list, int mode, int& shownCount) {
  ZELTraceScope scope(kClass, "FillTable");
  for (int i = 1; i <= list.Size(); ++i) {
    const QIVBaseUnknown_var& locator = list[i];
    ZELIBIWFeature_var feature(locator);
    List activities;
    if (feature) feature->GetAssignedActivities(activities);
    const int k = activities.Size();
    const bool kept = mode == AllLocators || (mode == AssignedLocators && k >= 1) ||
                      (mode == UnAssignedLocators && k == 0) || (mode == MultiAssignedLocators && k >= 2);
    if (!kept) continue;
    ++shownCount;
    if (!_pMultiList) continue;
    _pMultiList->AddRow({QIVUnicodeString().BuildFromNum(i, "%d"),
                         StripBlanks(ZELLocatorFacts::Alias(locator)), ZELLocatorFacts::LocatorText(locator),
                         ZELLocatorFacts::OwnerProductName(locator), BuildActivityPathString(activities)});
  }
}

QIVUnicodeString ZELLocatorAccountabilityDialog::BuildActivityPathString(const List& activities) {
  if (activities.IsEmpty()) return Caption("NoActivityID", "None");
  QIVUnicodeString joined;
  for (int i = 1; i <= activities.Size(); ++i) {
    auto [path, added] = _activityPaths.try_emplace(activities[i].Identity());
    if (added) ZELFastenerServices::GetActivityHierarchy(activities[i], path->second);
    if (i > 1) joined += ";";
    joined += path->second;
  }
  return joined;
}

std::unique_ptr<ZELLocatorAccountabilityDialog::List>
ZELLocatorAccountabilityDialog::GetListOfAllLocatorsClamps() {
  ZELTraceScope scope(kClass, "GetListOfAllLocatorsClamps");
  auto list = std::make_unique<List>();
  _SEQUENCE_QIVBaseUnknown_ptr sequence;
  if (SUCCEEDED(ZELFastenerServices::GetListOfAllLocators(sequence))) AppendSequence(sequence, *list);
  if (SUCCEEDED(ZELFastenerServices::GetListOfAllClamps(sequence))) AppendSequence(sequence, *list);
  return list;
}

std::unique_ptr<ZELLocatorAccountabilityDialog::List>
ZELLocatorAccountabilityDialog::GetListOfAllLocatorsClampsOnProduct(const QIVBaseUnknown_var& product) {
  ZELTraceScope scope(kClass, "GetListOfAllLocatorsClampsOnProduct");
  auto list = std::make_unique<List>();
  QIVBaseUnknown_var container;
  if (!product || FAILED(ZELFastenerServices::GetFeatContainerFromFeature(product, container))) return list;
  ZELIBIWFeaturePartRelations_var relations(container);
  if (!relations) return list;
  std::vector<QIVBaseUnknown_var> products;
  std::unordered_set<const QIVBaseUnknown*> seen;
  CollectProducts(QIVIProduct_var(product), products, seen);
  List clamps;
  std::unordered_set<const QIVBaseUnknown*> listed;
  for (const QIVBaseUnknown_var& part : products) {
    List features;
    relations->GetRelatedFeatures(part, features);
    for (const QIVBaseUnknown_var& feature : features) {
      const bool locating = static_cast<bool>(ZELIBIWLocatingPoint_var(feature));
      if ((!locating && !ZELIBIWClampingPoint_var(feature)) || !listed.insert(feature.Identity()).second)
        continue;
      (locating ? *list : clamps).Append(feature);
    }
  }
  list->Append(clamps);
  return list;
}

QIVBaseUnknown_var ZELLocatorAccountabilityDialog::GetOwnerProduct(const QIVBaseUnknown_var& locator) {
  return ZELLocatorFacts::OwnerProduct(locator);
}
