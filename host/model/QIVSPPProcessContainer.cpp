#include "QIVSPPProcessContainer.h"

#include <algorithm>

#include "QIVDocument.h"
#include "QIVSPPActivity.h"

QIVListValQIVBaseUnknown_var QIVSPPProcessContainer::GetProcesses() const {
  QIVListValQIVBaseUnknown_var processes;
  for (QIVSPPActivity* root : _roots) processes.Append(QIVBaseUnknown_var(root));
  return processes;
}

HRESULT QIVSPPProcessContainer::CreateProcess(const QIVUnicodeString& name, QIVBaseUnknown_var& process) {
  if (!Document() || name.IsEmpty()) return E_INVALIDARG;
  QIVSPPActivity* root = Document()->NewActivity(*QIVSPPActivityType::Find(QIVSPPActivityTypes::Process), name);
  root->SetFather(this);
  _roots.push_back(root);
  process = QIVBaseUnknown_var(root);
  return S_OK;
}

HRESULT QIVSPPProcessContainer::AddProcess(const QIVBaseUnknown_var& activity) {
  auto* root = As<QIVSPPActivity>(activity);
  if (!root || !Document() || root->Document() != Document() || root->Father()) return E_INVALIDARG;
  root->SetFather(this);
  _roots.push_back(root);
  return S_OK;
}

HRESULT QIVSPPProcessContainer::RemoveProcess(const QIVBaseUnknown_var& process) {
  auto* root = As<QIVSPPActivity>(process);
  if (!root || root->Father() != this) return E_INVALIDARG;
  return Document()->Delete(root);
}

void QIVSPPProcessContainer::CollectOwned(std::vector<QIVModelObject*>& owned) const {
  for (QIVSPPActivity* root : _roots) {
    owned.push_back(root);
    root->CollectOwned(owned);
  }
}

void QIVSPPProcessContainer::ChildLeaving(QIVModelObject* child) {
  _roots.erase(std::remove(_roots.begin(), _roots.end(), child), _roots.end());
}

void QIVSPPProcessContainer::ClearLinks() {
  _roots.clear();
  QIVModelObject::ClearLinks();
}
