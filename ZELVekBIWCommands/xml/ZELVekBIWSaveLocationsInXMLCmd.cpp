#include "ZELVekBIWSaveLocationsInXMLCmd.h"

#include <vector>

#include "QIVCommandDeletion.h"
#include "QIVFrmEditor.h"
#include "QIVIProduct.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureGroup.h"
#include "ZELIBIWPointFastener.h"
#include "ZELIBIWTopFastenerGroup.h"
#include "ZELISpotWeld.h"
#include "ZELObjectTree.h"
#include "ZELVekBIWSaveLocationsInXMLDlg.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWSaveLocationsInXMLCmd";

// Agents that stay in the one state and take a new pick each time; the
// weld agent takes several paths per pick.
constexpr std::uint64_t kRepeatingPick = ZELVekBIWAgentBehavior::RepeatingPick;
constexpr std::uint64_t kRepeatingMultiPick = ZELVekBIWAgentBehavior::RepeatingMultiPick;
}  // namespace

ZELVekBIWSaveLocationsInXMLCmd::ZELVekBIWSaveLocationsInXMLCmd()
    : QIVStateCommand("ZELVekBIWSaveLocationsInXMLCmd", ZELVekBIWBehavior::Replace, ZELVekBIWMode::Exclusive) {}

ZELVekBIWSaveLocationsInXMLCmd::~ZELVekBIWSaveLocationsInXMLCmd() {
  ZELTraceScope scope(kClass, "Destructor", ZELTraceScope::Dashes);
  if (_pDlg) QIVCommandDeletion(_pDlg);
  _pDlg = nullptr;
  if (_pCloseAgent) QIVCommandDeletion(_pCloseAgent);
  _pCloseAgent = nullptr;
  if (_pProductAgent) QIVCommandDeletion(_pProductAgent);
  _pProductAgent = nullptr;
  if (_pWeldAgent) QIVCommandDeletion(_pWeldAgent);
  _pWeldAgent = nullptr;
}

const char* ZELVekBIWSaveLocationsInXMLCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWSaveLocationsInXMLCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph", ZELTraceScope::Dashes);
  _pDlg = new ZELVekBIWSaveLocationsInXMLDlg();
  _pDlg->SetFather(this);
  _pDlg->Build();
  _pDlg->Init();
  _pDlg->SetVisibility(QIVDlgShow);

  _pCloseAgent = new QIVDialogAgent("CloseAgent");
  _pCloseAgent->AcceptOnNotify(_pDlg, QIVDialog::GetDiaCANCELNotification());
  _pCloseAgent->AcceptOnNotify(_pDlg, QIVDialog::GetWindCloseNotification());

  _pProductAgent = new QIVPathElementAgent("Product", nullptr, kRepeatingPick);
  _pProductAgent->SetElementType(QIVIProduct::ClassName());
  _pWeldAgent = new QIVPathElementAgent("Weld", nullptr, kRepeatingMultiPick);
  _pWeldAgent->SetElementType(ZELIBIWPointFastener::ClassName());
  _pWeldAgent->AddElementType(ZELIBIWFeatureGroup::ClassName());
  _pWeldAgent->AddElementType(ZELIBIWTopFastenerGroup::ClassName());
  AddCSOClient(_pProductAgent);
  AddCSOClient(_pWeldAgent);

  QIVDialogState* state = GetInitialState("State1");
  state->AddDialogAgent(_pCloseAgent);
  state->AddDialogAgent(_pProductAgent);
  state->AddDialogAgent(_pWeldAgent);
  AddTransition(state, state, IsOutputSetCondition(_pProductAgent),
                Action(this, &ZELVekBIWSaveLocationsInXMLCmd::ProductSelected));
  AddTransition(state, state, IsOutputSetCondition(_pWeldAgent),
                Action(this, &ZELVekBIWSaveLocationsInXMLCmd::WeldSelected));
  AddTransition(state, nullptr, IsOutputSetCondition(_pCloseAgent),
                Action(this, &ZELVekBIWSaveLocationsInXMLCmd::CloseDialog));
}

void ZELVekBIWSaveLocationsInXMLCmd::Cancel() {
  if (_pDlg) _pDlg->SetVisibility(QIVDlgHide);
  QIVStateCommand::Cancel();
}

bool ZELVekBIWSaveLocationsInXMLCmd::ProductSelected(void*) {
  ZELTraceScope scope(kClass, "ProductSelected", ZELTraceScope::Dashes);
  QIVIProduct_var product(_pProductAgent->GetValue());
  if (!product) return true;
  RememberPickedPaths(_pProductAgent);
  _pDlg->SetRefProduct(product);
  UpdateCSO();
  return true;
}

bool ZELVekBIWSaveLocationsInXMLCmd::WeldSelected(void*) {
  ZELTraceScope scope(kClass, "WeldSelected", ZELTraceScope::Dashes);
  RememberPickedPaths(_pWeldAgent);
  _pDlg->ClearAllWeldSelection();
  for (const QIVPathElement_var& path : _pWeldAgent->GetListOfValues()) {
    const QIVBaseUnknown_var leaf = path->GetLeaf();
    QIVListValQIVBaseUnknown_var candidates;
    if (ZELIBIWFeatureChildMgmt_var group(leaf); group)
      group->GetChildren(candidates);
    else if (ZELIBIWPointFastener_var(leaf))
      candidates.Append(leaf);
    for (const QIVBaseUnknown_var& candidate : candidates) {
      if (!ZELISpotWeld_var(candidate)) continue;
      if (FAILED(_pDlg->SetWeldSelectedInList(candidate, true))) _pDlg->AddToWeldsList(candidate);
    }
  }
  UpdateCSO();
  return true;
}

bool ZELVekBIWSaveLocationsInXMLCmd::CloseDialog(void*) {
  ZELTraceScope scope(kClass, "CloseDialog", ZELTraceScope::Dashes);
  if (_pDlg) _pDlg->SetVisibility(QIVDlgHide);
  return true;
}

void ZELVekBIWSaveLocationsInXMLCmd::RememberPickedPaths(const QIVPathElementAgent* agent) {
  for (const QIVPathElement_var& path : agent->GetListOfValues())
    if (const QIVBaseUnknown_var leaf = path->GetLeaf()) _pickedPaths[leaf.get()] = path;
}

QIVPathElement_var ZELVekBIWSaveLocationsInXMLCmd::GetPathElement(const QIVBaseUnknown_var& object) const {
  const auto picked = _pickedPaths.find(object.get());
  return picked != _pickedPaths.end() ? picked->second : BuildPathElement(object);
}

QIVPathElement_var ZELVekBIWSaveLocationsInXMLCmd::BuildPathElement(const QIVBaseUnknown_var& object) {
  return object ? ZELObjectTree::PathOf(object) : QIVMake<QIVPathElement>();
}

void ZELVekBIWSaveLocationsInXMLCmd::UpdateCSO() {
  ZELTraceScope scope(kClass, "UpdateCSO", ZELTraceScope::Dashes);
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  if (!editor || !_pDlg) return;
  QIVCSO* cso = editor->GetCSO();
  cso->Empty();
  for (const QIVBaseUnknown_var& weld : _pDlg->GetSelectedWelds())
    cso->AddElement(GetPathElement(weld).get());
  if (const QIVIProduct_var& product = _pDlg->GetRefProduct())
    cso->AddElement(GetPathElement(QIVBaseUnknown_var(product)).get());
}
