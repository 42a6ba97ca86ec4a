#include "QIVPlantLibrary.h"

QIVPlantLibrary::~QIVPlantLibrary() { ReleaseLinks(); }

HRESULT QIVPlantLibrary::GetEntries(QIVListValQIVBaseUnknown_var& entries) const {
  entries.RemoveAll();
  for (QIVModelObject* entry : _entries.Values()) entries.Append(QIVBaseUnknown_var(entry));
  return S_OK;
}

HRESULT QIVPlantLibrary::AddEntry(const QIVBaseUnknown_var& entry) {
  QIVModelObject* object = From(entry);
  if (!object || object == this || !Document() || object->Document() != Document()) return E_INVALIDARG;
  return _entries.Link(this, object) ? S_OK : S_FALSE;
}

HRESULT QIVPlantLibrary::RemoveEntry(const QIVBaseUnknown_var& entry) {
  return _entries.Unlink(this, From(entry)) ? S_OK : E_FAIL;
}

void QIVPlantLibrary::ReleaseLinks() { _entries.UnlinkAll(this); }

void QIVPlantLibrary::ForgetReference(QIVModelObject* target) { _entries.Unlink(this, target); }

void QIVPlantLibrary::ClearLinks() {
  _entries.Clear();
  QIVModelObject::ClearLinks();
}
