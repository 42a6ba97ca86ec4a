#include "ZELVekBIWMultiSelectCmd.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "QIVApplicationFrame.h"
#include "QIVCommandDeletion.h"
#include "QIVFrmEditor.h"
#include "ZELFastenerServices.h"
#include "ZELObjectTree.h"
#include "ZELVekBIWCatalogBrowserDlg.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWMultiSelectCmd";
}  // namespace

ZELVekBIWMultiSelectCmd::ZELVekBIWMultiSelectCmd()
    : QIVStateCommand(kClass, ZELVekBIWBehavior::Replace, ZELVekBIWMode::Exclusive) {}

ZELVekBIWMultiSelectCmd::~ZELVekBIWMultiSelectCmd() {
  if (_pDlgAgent) QIVCommandDeletion(_pDlgAgent);
  _pDlgAgent = nullptr;
  if (_pBrowser) QIVCommandDeletion(_pBrowser);
  _pBrowser = nullptr;
  _pFrame = nullptr;
}

const char* ZELVekBIWMultiSelectCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWMultiSelectCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  Init();
  _pBrowser = new ZELVekBIWCatalogBrowserDlg(this);
  _pBrowser->SetListOfAllAvailableWelds(_allWelds);
  _pBrowser->Build();
  _pBrowser->SetVisibility(QIVDlgShow);

  _pDlgAgent = new QIVDialogAgent("MultiSelectDlgAgentId");
  _pDlgAgent->AcceptOnNotify(_pBrowser, ZELVekBIWCatalogBrowserDlg::GetCloseNotification());
  QIVDialogState* state = GetInitialState("State1Id");
  state->AddDialogAgent(_pDlgAgent);
  AddTransition(state, nullptr, IsOutputSetCondition(_pDlgAgent),
                Action(this, &ZELVekBIWMultiSelectCmd::OnDlgClose));
}

void ZELVekBIWMultiSelectCmd::Init() {
  ZELTraceScope scope(kClass, "Init");
  _pFrame = QIVApplicationFrame::GetFrame();
  ZELFastenerServices::GetRootProcessContainer(_rootContainer);
  _SEQUENCE_QIVBaseUnknown_ptr fasteners;
  ZELFastenerServices::GetListOfAllFasteners(fasteners);
  _allWelds.RemoveAll();
  for (QIVBaseUnknown* fastener : fasteners)
    if (fastener) _allWelds.Append(QIVBaseUnknown_var(fastener));
  QIVReleaseSequence(fasteners);
}

bool ZELVekBIWMultiSelectCmd::OnDlgClose(void*) {
  ZELTraceScope scope(kClass, "OnDlgClose");
  GetListOfFilteredWelds();
  WeldsSelection(_filteredWelds);
  if (_pFrame && _pFrame->GetViewer()) _pFrame->GetViewer()->Redraw();
  return true;
}

void ZELVekBIWMultiSelectCmd::GetListOfFilteredWelds() {
  ZELTraceScope scope(kClass, "GetListOfFilteredWelds");
  _filteredWelds.RemoveAll();
  if (!_pBrowser) return;
  const QIVListValQIVUnicodeString& result = _pBrowser->GetCurrentQueryResult();
  if (result.IsEmpty()) return;
  // The first fastener of each identifier, found by identifier once rather
  // than by a walk of the list per entry.
  std::unordered_map<std::string, int> firstById;
  firstById.reserve(static_cast<std::size_t>(_allWelds.Size()));
  for (int i = 1; i <= _allWelds.Size(); ++i)
    firstById.emplace(ZELFastenerServices::GetWeldID(_allWelds[i]).str(), i);
  for (const QIVUnicodeString& entry : result)
    if (auto found = firstById.find(entry.str()); found != firstById.end())
      _filteredWelds.Append(_allWelds[found->second]);
}

void ZELVekBIWMultiSelectCmd::WeldsSelection(const QIVListValQIVBaseUnknown_var& fasteners) {
  ZELTraceScope scope(kClass, "WeldsSelection");
  if (_pFrame) _pFrame->SetBusyCursor();
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  if (!editor) return;
  editor->GetCSO()->Empty();
  for (const QIVBaseUnknown_var& fastener : fasteners)
    if (const QIVPathElement_var path = GetPathElement(fastener)) editor->GetCSO()->AddElement(path.get());
}

QIVPathElement_var ZELVekBIWMultiSelectCmd::GetPathElement(const QIVBaseUnknown_var& object) {
  return ZELObjectTree::PathOf(object);
}

void ZELVekBIWMultiSelectCmd::BuildPathElement(const QIVBaseUnknown_var& object, QIVPathElement& path) {
  if (const QIVPathElement_var chain = ZELObjectTree::PathOf(object))
    for (auto it = chain->Objects().rbegin(); it != chain->Objects().rend(); ++it) path.AddFatherElement(it->get());
}
