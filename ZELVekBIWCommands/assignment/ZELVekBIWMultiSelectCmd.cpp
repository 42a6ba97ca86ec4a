#include "ZELVekBIWMultiSelectCmd.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "QIVApplicationFrame.h"
#include "QIVCommandDeletion.h"
#include "QIVFrmEditor.h"
#include "QIVIProduct.h"
#include "QIVISpecObject.h"
#include "ZELFastenerServices.h"
#include "ZELVekBIWCatalogBrowserDlg.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWMultiSelectCmd";

// The father of an object in its tree: the feature or activity holding it,
// or for a product its father product; empty at a root.
QIVBaseUnknown_var FatherOf(const QIVBaseUnknown_var& object) {
  QIVBaseUnknown_var father;
  if (QIVISpecObject_var placed(object); placed && SUCCEEDED(placed->GetSpecFather(father)) && father)
    return father;
  if (QIVIProduct_var product(object); product && SUCCEEDED(product->GetFatherProduct(father))) return father;
  return QIVBaseUnknown_var();
}
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
  if (!object) return QIVPathElement_var();
  QIVPathElement_var path = QIVMake<QIVPathElement>();
  BuildPathElement(object, *path);
  return path;
}

void ZELVekBIWMultiSelectCmd::BuildPathElement(const QIVBaseUnknown_var& object, QIVPathElement& path) {
  // Depth guards against a father chain that loops back.
  int depth = 0;
  for (QIVBaseUnknown_var current = object; current && depth < 10000; current = FatherOf(current), ++depth)
    path.AddFatherElement(current.get());
}
