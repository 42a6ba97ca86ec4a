#include "ZELBIWFastener.h"

HRESULT ZELBIWFastener::SetType(const QIVUnicodeString& type) {
  _type = type;
  return S_OK;
}

HRESULT ZELBIWFastener::SetCategory(const QIVUnicodeString& category) {
  if (!(category == "exo") && !(category == "endo")) return E_INVALIDARG;
  _endo = category == "endo";
  return S_OK;
}

HRESULT ZELBIWFastener::SetIdentifier(const QIVUnicodeString& identifier) {
  _details.Edit().identifier = identifier;
  return S_OK;
}

HRESULT ZELBIWFastener::SetFastenerVersion(const QIVUnicodeString& version) {
  _details.Edit().version = version;
  return S_OK;
}

HRESULT ZELBIWFastener::SetColor(long rgb) { return StoreColor(rgb); }

HRESULT ZELBIWFastener::RestoreColor(const QIVBaseUnknown_var&, bool) { return StoreColor(-1); }

HRESULT ZELBIWFastener::GetExternalAssignments(QIVListValQIVUnicodeString& assignments) const {
  assignments.RemoveAll();
  for (const QIVUnicodeString& assignment : ExternalAssignments()) assignments.Append(assignment);
  return S_OK;
}

HRESULT ZELBIWFastener::AddExternalAssignment(const QIVUnicodeString& assignment) {
  _details.Edit().externalAssignments.push_back(assignment);
  return S_OK;
}

HRESULT ZELBIWFastener::ClearExternalAssignments() {
  if (!ExternalAssignments().empty()) _details.Edit().externalAssignments.clear();
  return S_OK;
}
