#include "ZELMfgAssembly.h"

#include "QIVProduct.h"
#include "QIVSession.h"
#include "QIVTranscript.h"

namespace {
void AppendAll(const QIVModelLinks& links, QIVListValQIVBaseUnknown_var& list) {
  list.RemoveAll();
  for (QIVModelObject* target : links.Values()) list.Append(QIVBaseUnknown_var(target));
}
}  // namespace

ZELMfgAssembly::~ZELMfgAssembly() { ReleaseLinks(); }

HRESULT ZELMfgAssembly::SetLabel(const QIVUnicodeString& label) {
  _label = label;
  return S_OK;
}

HRESULT ZELMfgAssembly::AddPart(const QIVBaseUnknown_var& part) {
  if (auto* assembly = As<ZELMfgAssembly>(part)) {
    if (assembly->Includes(this) || !ShareDocumentWith(assembly)) return E_INVALIDARG;
    return _subAssemblies.Link(this, assembly) ? S_OK : S_FALSE;
  }
  auto* product = As<QIVProduct>(part);
  if (!product || !ShareDocumentWith(product)) return E_INVALIDARG;
  return _parts.Link(this, product) ? S_OK : S_FALSE;
}

HRESULT ZELMfgAssembly::RemovePart(const QIVBaseUnknown_var& part) {
  QIVModelObject* target = From(part);
  return _parts.Unlink(this, target) || _subAssemblies.Unlink(this, target) ? S_OK : E_FAIL;
}

HRESULT ZELMfgAssembly::GetParts(QIVListValQIVBaseUnknown_var& parts) const {
  AppendAll(_parts, parts);
  return S_OK;
}

HRESULT ZELMfgAssembly::GetSubAssemblies(QIVListValQIVBaseUnknown_var& assemblies) const {
  AppendAll(_subAssemblies, assemblies);
  return S_OK;
}

bool ZELMfgAssembly::Includes(const ZELMfgAssembly* assembly) const {
  if (assembly == this) return true;
  for (QIVModelObject* sub : _subAssemblies.Values())
    if (static_cast<ZELMfgAssembly*>(sub)->Includes(assembly)) return true;
  return false;
}

void ZELMfgAssembly::ReleaseLinks() {
  _parts.UnlinkAll(this);
  _subAssemblies.UnlinkAll(this);
}

void ZELMfgAssembly::ForgetReference(QIVModelObject* target) {
  _parts.Unlink(this, target);
  _subAssemblies.Unlink(this, target);
}

void ZELMfgAssembly::ClearLinks() {
  _parts.Clear();
  _subAssemblies.Clear();
  QIVModelObject::ClearLinks();
}

HRESULT ZELMfgAssembly::Redraw() {
  QIVSession::Current().RaiseRedraw(Handle(this), "assembly " + QIVTranscript::Quote(_label.str()));
  return S_OK;
}
