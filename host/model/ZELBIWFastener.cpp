#include "ZELBIWFastener.h"

HRESULT ZELBIWFastener::SetType(const QIVUnicodeString& type) {
  _type = type;
  return S_OK;
}

HRESULT ZELBIWFastener::SetCategory(const QIVUnicodeString& category) {
  if (!(category == "exo") && !(category == "endo")) return E_INVALIDARG;
  _category = category;
  return S_OK;
}

HRESULT ZELBIWFastener::SetIdentifier(const QIVUnicodeString& identifier) {
  _identifier.Set(identifier);
  return S_OK;
}

HRESULT ZELBIWFastener::SetFastenerVersion(const QIVUnicodeString& version) {
  _version.Set(version);
  return S_OK;
}

HRESULT ZELBIWFastener::SetColor(long rgb) { return StoreColor(rgb); }

HRESULT ZELBIWFastener::RestoreColor(const QIVBaseUnknown_var&, bool) { return StoreColor(-1); }

HRESULT ZELBIWFastener::GetExternalAssignments(QIVListValQIVUnicodeString& assignments) const {
  assignments.RemoveAll();
  for (const QIVUnicodeString& assignment : _externalAssignments) assignments.Append(assignment);
  return S_OK;
}

HRESULT ZELBIWFastener::AddExternalAssignment(const QIVUnicodeString& assignment) {
  _externalAssignments.push_back(assignment);
  return S_OK;
}

HRESULT ZELBIWFastener::ClearExternalAssignments() {
  _externalAssignments.clear();
  return S_OK;
}
