#include "ZELManageFastenerIDCmd.h"

#include <vector>

#include "QIVCommandDeletion.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVPathElementAgent.h"
#include "QIVPointerSet.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeatureGroup.h"
#include "ZELIFastenerPODDisplay.h"
#include "ZELIMfgAssembly.h"
#include "ZELManageFastenerIDDlg.h"
#include "assignment/ZELVekBIWAssignWeldDlg.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELManageFastenerIDCmd";

// Appends the fasteners of `found` that `fasteners` does not hold yet.
void AppendNew(const QIVListValQIVBaseUnknown_var& found, QIVListValQIVBaseUnknown_var& fasteners) {
  QIVPointerSet<const QIVBaseUnknown*> held;
  held.reserve(fasteners.Size() + found.Size());
  for (const QIVBaseUnknown_var& fastener : fasteners) held.insert(fastener.Identity());
  for (const QIVBaseUnknown_var& fastener : found)
    if (held.insert(fastener.Identity())) fasteners.Append(fastener);
}

// Appends the fasteners related to the product, some perhaps held
// already; the caller keeps each once.
void AppendRelated(const QIVBaseUnknown_var& product, QIVListValQIVBaseUnknown_var& fasteners) {
  QIVListValQIVBaseUnknown_var related;
  ZELVekBIWAssignWeldDlg::GetListOfAllWeldsFromProduct(product, related);
  fasteners.Append(related);
}

void AppendFromAssembly(const QIVBaseUnknown_var& assembly, QIVListValQIVBaseUnknown_var& fasteners) {
  QIVListValQIVBaseUnknown_var parts;
  if (const ZELIMfgAssembly_var typed = assembly; !typed || FAILED(typed->GetParts(parts))) return;
  for (const QIVBaseUnknown_var& part : parts) AppendRelated(part, fasteners);
}

// The object and every object below it, depth first, by `children`.
template <class Children>
std::vector<QIVBaseUnknown_var> Below(const QIVBaseUnknown_var& top, Children children) {
  std::vector<QIVBaseUnknown_var> found, pending{top};
  QIVListValQIVBaseUnknown_var next;
  while (!pending.empty()) {
    QIVBaseUnknown_var object = std::move(pending.back());
    pending.pop_back();
    next.RemoveAll();
    children(object, next);
    pending.insert(pending.end(), next.Items().rbegin(), next.Items().rend());
    found.push_back(std::move(object));
  }
  return found;
}
}  // namespace

ZELManageFastenerIDCmd::ZELManageFastenerIDCmd()
    : QIVStateCommand("ZELManageFastenerIDCmd", ZELVekBIWBehavior::Replace, ZELVekBIWMode::Shared) {}

ZELManageFastenerIDCmd::~ZELManageFastenerIDCmd() {
  if (_pDlg) _pDlg->SaveSettings();
  if (_pDlgAgent) QIVCommandDeletion(_pDlgAgent);
  _pDlgAgent = nullptr;
  if (_pItemAgent) QIVCommandDeletion(_pItemAgent);
  _pItemAgent = nullptr;
  if (_pDlg) QIVCommandDeletion(_pDlg);
  _pDlg = nullptr;
}

const char* ZELManageFastenerIDCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELManageFastenerIDCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  _pDlg = new ZELManageFastenerIDDlg();
  _pDlg->SetFather(this);
  _pDlg->Build();
  _pDlg->SetVisibility(QIVDlgShow);

  _pItemAgent = new QIVPathElementAgent("ResourceItem", ZELIBIWFastener::ClassName(),
                                        ZELVekBIWAgentBehavior::RepeatingMultiPick);
  for (const char* type :
       {ZELIFastenerPODDisplay::ClassName(), QIVISPPActivity::ClassName(), ZELIBIWFeatureGroup::ClassName(),
        QIVIProduct::ClassName(), ZELIMfgAssembly::ClassName()})
    _pItemAgent->AddElementType(type);
  _pDlgAgent = new QIVDialogAgent("ManageFastenerIDDlgAgentId");
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetDiaCLOSENotification());
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetWindCloseNotification());

  QIVDialogState* state = GetInitialState("SelectFastener");
  state->AddDialogAgent(_pItemAgent);
  state->AddDialogAgent(_pDlgAgent);
  AddCSOClient(_pItemAgent);
  AddTransition(state, state, IsOutputSetCondition(_pItemAgent),
                Action(this, &ZELManageFastenerIDCmd::CollectFastenerFromSelectedObject));
  AddTransition(state, nullptr, IsOutputSetCondition(_pDlgAgent),
                Action(this, &ZELManageFastenerIDCmd::CLOSEClicked));
}

bool ZELManageFastenerIDCmd::CollectFastenerFromSelectedObject(void*) {
  ZELTraceScope scope(kClass, "CollectFastenerFromSelectedObject");
  _pDlg->SetVisibility(QIVDlgShow);
  const bool recursive = _pDlg->IsRecursive();
  List found, fasteners;
  for (const QIVPathElement_var& path : _pItemAgent->GetListOfValues())
    if (path) CollectFromPath(*path, recursive, found);
  AppendNew(found, fasteners);
  _pDlg->AppendFastenerList(fasteners);
  return true;
}

void ZELManageFastenerIDCmd::CollectFromPath(const QIVPathElement& path, bool recursive, List& found) const {
  if (const ZELIBIWFastener_var fastener = path.FindFromLeaf<ZELIBIWFastener>()) {
    found.Append(QIVBaseUnknown_var(fastener));
  } else if (const ZELIFastenerPODDisplay_var display = path.FindFromLeaf<ZELIFastenerPODDisplay>()) {
    List labelled;
    display->GetFasteners(labelled);
    found.Append(labelled);
  } else if (const QIVISPPActivity_var activity = path.FindFromLeaf<QIVISPPActivity>()) {
    List assigned;
    ZELFastenerServices::GetWeldFromActivity(QIVBaseUnknown_var(activity), assigned, 1, recursive ? -1 : 0);
    found.Append(assigned);
  } else if (const ZELIBIWFeatureGroup_var group = path.FindFromLeaf<ZELIBIWFeatureGroup>()) {
    List below;
    group->GetFasteners(below, recursive);
    found.Append(below);
  } else if (const QIVIProduct_var product = path.FindFromLeaf<QIVIProduct>()) {
    if (!recursive) {
      AppendRelated(QIVBaseUnknown_var(product), found);
    } else {
      for (const QIVBaseUnknown_var& each :
           Below(QIVBaseUnknown_var(product), [](const QIVBaseUnknown_var&object, List&children) {
             if (QIVIProduct_var(object)) QIVIProduct_var(object)->GetChildren(children);
           }))
        AppendRelated(each, found);
    }
  } else if (const ZELIMfgAssembly_var assembly = path.FindFromLeaf<ZELIMfgAssembly>()) {
    if (!recursive) {
      AppendFromAssembly(QIVBaseUnknown_var(assembly), found);
    } else {
      for (const QIVBaseUnknown_var& each :
           Below(QIVBaseUnknown_var(assembly), [](const QIVBaseUnknown_var&object, List&children) {
             if (ZELIMfgAssembly_var(object)) ZELIMfgAssembly_var(object)->GetSubAssemblies(children);
           }))
        AppendFromAssembly(each, found);
    }
  }
}

void ZELManageFastenerIDCmd::ListFeaturesFromPart(const QIVBaseUnknown_var& product, List& fasteners) {
  List related;
  AppendRelated(product, related);
  AppendNew(related, fasteners);
}

void ZELManageFastenerIDCmd::CollectFastenerFromMfgAssembly(const QIVBaseUnknown_var& assembly,
                                                            List& fasteners) {
  List found;
  AppendFromAssembly(assembly, found);
  AppendNew(found, fasteners);
}

bool ZELManageFastenerIDCmd::CLOSEClicked(void*) {
  ZELTraceScope scope(kClass, "CLOSEClicked");
  if (_pDlg) _pDlg->SetVisibility(QIVDlgHide);
  return true;
}
