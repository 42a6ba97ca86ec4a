#include "ZELVekPreviewWindowManagerCmd.h"

#include <unordered_map>

#include "QIVCommandDeletion.h"
#include "QIVDlgMultiList.h"
#include "QIVFrmEditor.h"
#include "QIVIAlias.h"
#include "QIVIProduct.h"
#include "QIVISPPAbstractActivity.h"
#include "QIVISPPActivity.h"
#include "QIVISPPProductIO.h"
#include "QIVMsgCatalog.h"
#include "ZELBIWActivityIntelligenceServices.h"
#include "ZELBIWCmdTrace.h"
#include "ZELBIWPreviewWindow.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"
#include "ZELIMfgAssembly.h"
#include "ZELObjectTree.h"
#include "ZELVekBIWCommandNumbers.h"
#include "ZELVekBIWMultiSelectCmd.h"
#include "ZELVekBIWSettingsServices.h"
#include "ZELVekPreviewWindowManager.h"
#include "ZELVekPreviewWindowManagerDlg.h"

namespace {
constexpr const char* kClass = "ZELVekPreviewWindowManagerCmd";

QIVUnicodeString Describe(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}

using Identities = std::unordered_set<const void*>;

Identities IdentitiesOf(const QIVListValQIVBaseUnknown_var& objects) {
  Identities identities;
  for (const QIVBaseUnknown_var& object : objects) identities.insert(object.Identity());
  return identities;
}

// Manufactured assemblies as their parts, products as themselves.
QIVListValQIVBaseUnknown_var Expanded(const QIVListValQIVBaseUnknown_var& products) {
  QIVListValQIVBaseUnknown_var parts;
  for (const QIVBaseUnknown_var& product : products) {
    if (ZELIMfgAssembly_var(product))
      ZELVekPreviewWindowManagerCmd::GetAllPartsFromMfgAssembly(product, parts);
    else
      parts.Append(product);
  }
  return parts;
}
}  // namespace

ZELVekPreviewWindowManagerCmd::ZELVekPreviewWindowManagerCmd()
    : QIVStateCommand(kClass, ZELVekBIWBehavior::Replace, ZELVekBIWMode::Exclusive) {}

ZELVekPreviewWindowManagerCmd::~ZELVekPreviewWindowManagerCmd() {
  for (QIVDialogAgent** agent : {&_pDlgAgent, &_pWindowAgent}) {
    if (*agent) QIVCommandDeletion(*agent);
    *agent = nullptr;
  }
  for (QIVPathElementAgent** agent : {&_pProductAgent, &_pActivityAgent}) {
    if (*agent) QIVCommandDeletion(*agent);
    *agent = nullptr;
  }
  if (_pDlg) QIVCommandDeletion(_pDlg);
  _pDlg = nullptr;
  _window = nullptr;
}

const char* ZELVekPreviewWindowManagerCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekPreviewWindowManagerCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  _pDlg = new ZELVekPreviewWindowManagerDlg(this);
  _pDlg->SetFather(this);
  _pDlg->Build();
  bool constraint = false;
  ZELVekBIWSettingsServices::GetPartLoadConstraint(constraint);
  _partLoadConstraint = constraint ? 1 : 0;

  _pDlgAgent = new QIVDialogAgent("PreviewDlgAgentId");
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetDiaCLOSENotification());
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetWindCloseNotification());
  _pWindowAgent = new QIVDialogAgent("PreviewWindowAgentId");
  _window = ZELVekPreviewWindowManager::GetZELVekPreviewWindowManager()->GetPreviewWindow(
      QIVFrmEditor::GetCurrentEditor());
  if (_window) {
    // The window's close reaches this command while it runs.
    _window->SetFather(this);
    _pWindowAgent->AcceptOnNotify(_window.get(), ZELBIWPreviewWindow::GetMDICloseNotification());
    _pWindowAgent->AcceptOnNotify(_window.get(), QIVDialog::GetWindCloseNotification());
  }
  // Shown after the window, so that the dialog is the one a planner's
  // Close addresses.
  _pDlg->SetVisibility(QIVDlgShow);
  _pProductAgent = new QIVPathElementAgent("Product", QIVIProduct::ClassName(),
                                           ZELVekBIWAgentBehavior::RepeatingMultiPick);
  _pProductAgent->AddElementType("ZELIScrollListZitBltItemVisu");
  _pProductAgent->AddElementType(ZELIMfgAssembly::ClassName());
  AddCSOClient(_pProductAgent);
  _pActivityAgent = new QIVPathElementAgent("AgentActivity", QIVISPPActivity::ClassName(),
                                            ZELVekBIWAgentBehavior::RepeatingPick);

  QIVDialogState* state = GetInitialState("State1");
  for (QIVDialogAgent* agent : {static_cast<QIVDialogAgent*>(_pProductAgent),
                                static_cast<QIVDialogAgent*>(_pActivityAgent), _pDlgAgent, _pWindowAgent})
    state->AddDialogAgent(agent);
  AddTransition(state, state, IsOutputSetCondition(_pProductAgent),
                Action(this, &ZELVekPreviewWindowManagerCmd::ProductSelected));
  AddTransition(state, state, IsOutputSetCondition(_pActivityAgent),
                Action(this, &ZELVekPreviewWindowManagerCmd::ActivitySelected));
  AddTransition(state, nullptr, IsOutputSetCondition(_pDlgAgent),
                Action(this, &ZELVekPreviewWindowManagerCmd::CloseDialog));
  AddTransition(state, nullptr, IsOutputSetCondition(_pWindowAgent),
                Action(this, &ZELVekPreviewWindowManagerCmd::CloseDialog));
  Init();
}

void ZELVekPreviewWindowManagerCmd::Init() {
  ZELTraceScope scope(kClass, "Init");
  List remembered;
  ZELVekPreviewWindowManager::GetZELVekPreviewWindowManager()->GetListOfAddedProducts(
      QIVFrmEditor::GetCurrentEditor(), remembered);
  if (remembered.IsEmpty()) return;
  _shown = remembered;
  UpdatePreviewWindow(true, true);
}

bool ZELVekPreviewWindowManagerCmd::ProductSelected(void*) {
  ZELTraceScope scope(kClass, "ProductSelected");
  List products;
  Identities found;
  for (const QIVPathElement_var& path : _pProductAgent->GetListOfValues()) {
    if (!path) continue;
    QIVBaseUnknown_var product;
    if (FAILED(GetProductSelectedFromPFViewer(path->GetLeaf(), product)) || !product) {
      // The nearest father that is a product or an assembly.
      for (auto it = path->Objects().rbegin(); it != path->Objects().rend() && !product; ++it)
        if (QIVIProduct_var(*it) || ZELIMfgAssembly_var(*it)) product = *it;
    }
    if (product && found.insert(product.Identity()).second) products.Append(product);
  }
  SetSelectedProducts(products, _pProductAgent->IsExtendSelection());
  return true;
}

HRESULT ZELVekPreviewWindowManagerCmd::GetProductSelectedFromPFViewer(const QIVBaseUnknown_var& picked,
                                                                      QIVBaseUnknown_var& product) {
  product = nullptr;
  const QIVISPPProductIO_var shown(picked);
  if (!shown) return E_FAIL;
  return shown->GetProduct(product);
}

void ZELVekPreviewWindowManagerCmd::SetSelectedProducts(const List& products, bool toggle) {
  ZELTraceScope scope(kClass, "SetSelectedProducts");
  Identities shown = IdentitiesOf(_shown);
  Identities selected = IdentitiesOf(_selectedProducts);
  Identities deselected;
  for (const QIVBaseUnknown_var& product : products) {
    if (shown.insert(product.Identity()).second) {
      _shown.Append(product);
      if (_pDlg) _pDlg->AppendToProductsList(product);
    }
    if (selected.insert(product.Identity()).second) {
      _selectedProducts.Append(product);
    } else if (toggle) {
      selected.erase(product.Identity());
      deselected.insert(product.Identity());
    }
  }
  std::erase_if(_selectedProducts.Items(),
                [&](const QIVBaseUnknown_var& product) { return deselected.count(product.Identity()) != 0; });
  UpdatePreviewWindow(true, true);
}

bool ZELVekPreviewWindowManagerCmd::ActivitySelected(void*) {
  ZELTraceScope scope(kClass, "ActivitySelected");
  const QIVBaseUnknown_var picked = _pActivityAgent->GetValue();
  if (const QIVISPPAbstractActivity_var activity(picked); activity) {
    _activity = picked;
    if (_pDlg) _pDlg->SetActivityLabel(activity->GetLabel());
  }
  UpdateWeldsSelectorListInDialog();
  UpdateCSO();
  return true;
}

bool ZELVekPreviewWindowManagerCmd::CloseDialog(void*) {
  ZELTraceScope scope(kClass, "CloseDialog");
  if (QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor()) {
    editor->GetCSO()->Empty();
    for (const QIVBaseUnknown_var& part : Expanded(_shown))
      if (const QIVPathElement_var path = GetPathElement(part)) editor->GetCSO()->AddElement(path.get());
  }
  if (_pDlg) _pDlg->SetVisibility(QIVDlgHide);
  if (_window && _window->GetFather() == this) _window->SetFather(nullptr);
  return true;
}

QIVPathElement_var ZELVekPreviewWindowManagerCmd::GetPathElement(const QIVBaseUnknown_var& object) {
  return ZELObjectTree::PathOf(object);
}

void ZELVekPreviewWindowManagerCmd::BuildPathElement(const QIVBaseUnknown_var& object, QIVPathElement& path) {
  ZELVekBIWMultiSelectCmd::BuildPathElement(object, path);
}

void ZELVekPreviewWindowManagerCmd::RemoveProductsFromPreviewWindow() {
  ZELTraceScope scope(kClass, "RemoveProductsFromPreviewWindow");
  if (_productsToRemove.IsEmpty()) return;
  const Identities going = IdentitiesOf(_productsToRemove);
  auto removed = [&](const QIVBaseUnknown_var& product) { return going.count(product.Identity()) != 0; };
  std::erase_if(_shown.Items(), removed);
  std::erase_if(_selectedProducts.Items(), removed);
  _productsToRemove.RemoveAll();
  if (_pDlg) _pDlg->RemoveSelectedProductsFromList();
  UpdatePreviewWindow(true, true);
}

void ZELVekPreviewWindowManagerCmd::AddSelectedProductsToRemoveList() {
  ZELTraceScope scope(kClass, "AddSelectedProductsToRemoveList");
  _productsToRemove.RemoveAll();
  _selectedProducts.RemoveAll();
  if (!_pDlg) return;
  for (int row : _pDlg->GetProductsList()->GetSelect())
    if (row >= 0 && row < _shown.Size()) {
      _productsToRemove.Append(_shown[row + 1]);
      _selectedProducts.Append(_shown[row + 1]);
    }
  UpdateCSO();
}

void ZELVekPreviewWindowManagerCmd::AddSelectedWeldsToAssignList(const std::vector<int>& rows, int count) {
  ZELTraceScope scope(kClass, "AddSelectedWeldsToAssignList");
  ClearAllWeld();
  PrepareLoadedParts();
  std::vector<int> valid;
  for (int i = 0; i < count && i < static_cast<int>(rows.size()); ++i) {
    const int row = rows[i];
    if (row < 0 || row >= _listedWelds.Size()) continue;
    QIVUnicodeString description;
    if (!IsValidToAssignToCurrentActivity(_listedWelds[row + 1], _expandedTree, description)) continue;
    _weldsToAssign.Append(_listedWelds[row + 1]);
    valid.push_back(row);
  }
  if (_pDlg) _pDlg->SetWeldSelectedInList(valid);
  UpdateCSO();
}

void ZELVekPreviewWindowManagerCmd::ClearAllProducts() {
  _selectedProducts.RemoveAll();
  _productsToRemove.RemoveAll();
  if (_pDlg) _pDlg->ClearAllProductSelection();
}

void ZELVekPreviewWindowManagerCmd::ClearAllWeld() {
  _weldsToAssign.RemoveAll();
  if (_pDlg) _pDlg->ClearAllWeldSelection();
}

void ZELVekPreviewWindowManagerCmd::AssignWeldsToActivity() {
  ZELTraceScope scope(kClass, "AssignWeldsToActivity");
  if (!_activity) return;
  for (const QIVBaseUnknown_var& fastener : _weldsToAssign) {
    ZELFastenerServices::AssignR7Weld(_activity, fastener);
    ZELBIWActivityIntelligenceServices::UpdateCycleTimeForWelding(_activity);
  }
  _weldsToAssign.RemoveAll();
  UpdateWeldsSelectorListInDialog();
  UpdateCSO();
}

void ZELVekPreviewWindowManagerCmd::UpdateWeldsList() { GetFastenersFromProducts(_shown, _listedWelds); }

void ZELVekPreviewWindowManagerCmd::PrepareLoadedParts() {
  _notLoaded.clear();
  _expandedTree.RemoveAll();
  if (!_activity) return;
  ZELFastenerServices::GetListOfExpandedTREEUpwards(_activity, _expandedTree);
  if (!_partLoadConstraint) return;
  List kept = _listedWelds;
  ZELFastenerServices::ValidateListOfFastenersForAssignmentToActivity(kept, _activity, true);
  const Identities loaded = IdentitiesOf(kept);
  for (const QIVBaseUnknown_var& fastener : _listedWelds)
    if (!loaded.count(fastener.Identity())) _notLoaded.insert(fastener.Identity());
}

void ZELVekPreviewWindowManagerCmd::UpdateWeldsSelectorListInDialog() {
  ZELTraceScope scope(kClass, "UpdateWeldsSelectorListInDialog");
  PrepareLoadedParts();
  std::vector<int> rows;
  std::vector<bool> valid;
  QIVListValQIVUnicodeString names, texts, descriptions;
  int number = 0;
  for (const QIVBaseUnknown_var& fastener : _listedWelds) {
    rows.push_back(++number);
    const QIVIAlias_var alias(fastener);
    names.Append(alias ? alias->GetAlias() : QIVUnicodeString());
    const ZELIBIWFastener_var typed(fastener);
    texts.Append(typed && !typed->GetType().IsEmpty() ? typed->GetType() : QIVUnicodeString(" - "));
    QIVUnicodeString description;
    valid.push_back(IsValidToAssignToCurrentActivity(fastener, _expandedTree, description));
    descriptions.Append(description);
  }
  if (_pDlg) {
    _pDlg->UpdateWeldsList(number, rows, names, texts, valid, descriptions);
    _pDlg->ClearAllWeldSelection();
  }
  _weldsToAssign.RemoveAll();
}

void ZELVekPreviewWindowManagerCmd::UpdateProductsSelectorListInDialog() {
  if (!_pDlg) return;
  _pDlg->UpdateList(_shown);
  const Identities selected = IdentitiesOf(_selectedProducts);
  std::vector<int> rows;
  for (int i = 0; i < _shown.Size(); ++i)
    if (selected.count(_shown[i + 1].Identity())) rows.push_back(i);
  _pDlg->SetProductSelectedInList(rows);
}

void ZELVekPreviewWindowManagerCmd::UpdatePreviewWindow(bool productsChanged, bool fastenersChanged) {
  ZELTraceScope scope(kClass, "UpdatePreviewWindow");
  _productsChanged = productsChanged;
  _fastenersChanged = fastenersChanged;
  if (_fastenersChanged) UpdateWeldsList();
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  if (!_shown.IsEmpty()) {
    ZELVekPreviewWindowManager* manager = ZELVekPreviewWindowManager::GetZELVekPreviewWindowManager();
    manager->SetListOfProducts(editor, _shown);
    if (ZELBIWPreviewWindow* window = manager->GetPreviewWindow(editor)) {
      const List parts = Expanded(_shown);
      window->Initialize();
      window->Visualize(parts, QIVIProduct::ClassId());
      window->VisuWithReframeOnItems(parts);
      window->Visualize(_listedWelds, ZELIBIWFastener::ClassId());
      window->VisuWithReframeOnItems(_listedWelds);
      window->UpdateViewer(true);
    }
  }
  UpdateCSO();
  if (_productsChanged) UpdateProductsSelectorListInDialog();
  if (_fastenersChanged) UpdateWeldsSelectorListInDialog();
  _productsChanged = _fastenersChanged = false;
}

void ZELVekPreviewWindowManagerCmd::UpdateCSO() {
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  if (!editor) return;
  editor->GetCSO()->Empty();
  for (const QIVBaseUnknown_var& part : Expanded(_selectedProducts))
    if (const QIVPathElement_var path = GetPathElement(part)) editor->GetCSO()->AddElement(path.get());
  for (const QIVBaseUnknown_var& fastener : _weldsToAssign)
    if (const QIVPathElement_var path = GetPathElement(fastener)) editor->GetCSO()->AddElement(path.get());
}

void ZELVekPreviewWindowManagerCmd::GetAllPartsFromMfgAssembly(const QIVBaseUnknown_var& assembly,
                                                               List& parts) {
  const ZELIMfgAssembly_var typed(assembly);
  if (!typed) return;
  List own, subAssemblies;
  typed->GetParts(own);
  parts.Append(own);
  typed->GetSubAssemblies(subAssemblies);
  for (const QIVBaseUnknown_var& sub : subAssemblies) GetAllPartsFromMfgAssembly(sub, parts);
}

bool ZELVekPreviewWindowManagerCmd::ArePartsScatteredAcrossGroups(const List& parts,
                                                                  const std::vector<List>& groups) {
  GroupIndex groupsOf;
  for (int g = 0; g < static_cast<int>(groups.size()); ++g)
    for (const QIVBaseUnknown_var& member : groups[static_cast<std::size_t>(g)])
      groupsOf[member.Identity()].push_back(g);
  return Scattered(parts, groupsOf);
}

bool ZELVekPreviewWindowManagerCmd::Scattered(const List& parts, const GroupIndex& groupsOf) {
  if (parts.IsEmpty() || groupsOf.empty()) return false;
  std::unordered_set<int> hit;
  for (const QIVBaseUnknown_var& part : parts) {
    const auto found = groupsOf.find(part.Identity());
    if (found == groupsOf.end()) return false;
    hit.insert(found->second.begin(), found->second.end());
  }
  return hit.size() > 1 || (parts.Size() == 1 && hit.size() == 1);
}

void ZELVekPreviewWindowManagerCmd::GetFastenersFromProducts(const List& products, List& result) {
  result.RemoveAll();
  // Each assembly is one group of all its parts, each product one by
  // itself; a part's groups are indexed once, so each fastener costs the
  // size of its own parts.
  GroupIndex groupsOf;
  int group = 0;
  for (const QIVBaseUnknown_var& product : products) {
    List members;
    if (ZELIMfgAssembly_var(product))
      GetAllPartsFromMfgAssembly(product, members);
    else
      members.Append(product);
    for (const QIVBaseUnknown_var& member : members) {
      std::vector<int>& of = groupsOf[member.Identity()];
      if (of.empty() || of.back() != group) of.push_back(group);
    }
    ++group;
  }
  if (groupsOf.empty()) return;
  _SEQUENCE_QIVBaseUnknown_ptr fasteners;
  ZELFastenerServices::GetListOfAllFasteners(fasteners);
  Identities listed;
  List parts;
  for (QIVBaseUnknown* raw : fasteners) {
    const QIVBaseUnknown_var fastener(raw);
    if (!fastener || FAILED(ZELFastenerServices::GetFastenerParts(fastener, parts))) continue;
    if (Scattered(parts, groupsOf) && listed.insert(fastener.Identity()).second) result.Append(fastener);
  }
  QIVReleaseSequence(fasteners);
}

bool ZELVekPreviewWindowManagerCmd::IsValidToAssignToCurrentActivity(const QIVBaseUnknown_var& fastener,
                                                                     const QIVListValQIVUnicodeString& tree,
                                                                     QIVUnicodeString& description) {
  description = Describe("AssignErrorDescription.Success", " - ");
  if (!_activity || !fastener) return false;
  QIVListValQIVBaseUnknown_var activities;
  int count = 0;
  ZELFastenerServices::GetActivityFromAssignedWeld(fastener, activities, count);
  if (activities.Contains(_activity)) {
    description = Describe("AssignErrorDescription.AlreadyAssigned", "Item already assigned");
    return false;
  }
  if (_partLoadConstraint && _notLoaded.count(fastener.Identity())) {
    description = Describe("AssignErrorDescription.PartNotLoaded", "Part not loaded");
    return false;
  }
  if (FAILED(ZELFastenerServices::IsValidWeldForActivity(fastener, _activity))) {
    description = Describe("AssignErrorDescription.InvalidProcessType", "Invalid Process Type");
    return false;
  }
  if (!activities.IsEmpty() ||
      FAILED(ZELFastenerServices::IsValidProcessVersion(_activity, fastener, tree))) {
    description = Describe("AssignErrorDescription.Duplication", "Duplication");
    return false;
  }
  return true;
}
