#include "QIVPathElementAgent.h"

#include <algorithm>
#include <utility>

QIVPathElementAgent::QIVPathElementAgent(const QIVUnicodeString& name, const char* elementType,
                                         std::uint64_t behavior)
    : QIVDialogAgent(name, behavior) {
  if (elementType) AddElementType(elementType);
}

QIVPathElementAgent::~QIVPathElementAgent() = default;

void QIVPathElementAgent::SetElementType(const char* interfaceName) {
  _elementTypes.clear();
  AddElementType(interfaceName);
}

void QIVPathElementAgent::SetElementType(const QIVIID& iid) {
  _elementTypes.clear();
  AddElementType(iid);
}

void QIVPathElementAgent::AddElementType(const char* interfaceName) {
  if (!interfaceName || !*interfaceName) return;
  const bool known = std::any_of(_elementTypes.begin(), _elementTypes.end(),
                                 [&](const ElementType& type) { return type.name == interfaceName; });
  if (!known) _elementTypes.push_back({interfaceName, nullptr});
}

void QIVPathElementAgent::AddElementType(const QIVIID& iid) {
  auto known = std::find_if(_elementTypes.begin(), _elementTypes.end(),
                            [&](const ElementType& type) { return type.name == iid.name; });
  if (known == _elementTypes.end())
    _elementTypes.push_back({iid.name, &iid});
  else if (!known->iid)
    known->iid = &iid;
}

bool QIVPathElementAgent::AcceptsElementType(QIVBaseUnknown* object) const {
  if (!object) return false;
  if (_elementTypes.empty()) return true;
  for (const ElementType& type : _elementTypes) {
    // A type given by name is resolved when tested: its interface may have
    // been named only after the agent was built.
    const QIVIID* iid = type.iid ? type.iid : QIVIID::Find(type.name.c_str());
    const QIVIID byName{type.name.c_str(), nullptr};
    if (QIVOffersInterface(object, iid ? *iid : byName)) return true;
  }
  return false;
}

bool QIVPathElementAgent::PassesFilter(const QIVPathElement_var& path) {
  if (!_filter) return true;
  QIVListValQIVPathElement_var held = std::exchange(_values, QIVListValQIVPathElement_var{path});
  const bool wasSet = IsOutputSet();
  SetOutputSet(true);
  const bool passes = _filter->Accepts(this);
  _values = std::move(held);
  SetOutputSet(wasSet);
  return passes;
}

std::vector<QIVPathElement_var> QIVPathElementAgent::SelectAcceptedPaths(
    const std::vector<QIVPathElement_var>& picked) {
  std::vector<QIVPathElement_var> accepted;
  for (const QIVPathElement_var& path : picked) {
    if (!path || !AcceptsElementType(path->GetLeaf().get()) || !PassesFilter(path)) continue;
    accepted.push_back(path);
    if (!IsMultiAcquisition()) break;
  }
  return accepted;
}

bool QIVPathElementAgent::ValuateFromPick(const std::vector<QIVPathElement_var>& paths, unsigned modifiers) {
  if (paths.empty() || !CanTakeValue()) return false;
  _values.RemoveAll();
  for (const QIVPathElement_var& path : paths) _values.Append(path);
  _modifiers = modifiers;
  SetOutputSet(true);
  return true;
}

QIVPathElement_var QIVPathElementAgent::GetElementValue() const {
  return _values.IsEmpty() ? QIVPathElement_var() : _values[_values.Size()];
}

QIVBaseUnknown_var QIVPathElementAgent::GetValue() const {
  QIVPathElement_var path = GetElementValue();
  return path ? path->GetLeaf() : QIVBaseUnknown_var();
}

void QIVPathElementAgent::SetValue(QIVBaseUnknown* object) {
  if (!object) return;
  if (auto* path = dynamic_cast<QIVPathElement*>(object)) return SetValue(path);
  SetValue(QIVMake<QIVPathElement>(object).get());
}

void QIVPathElementAgent::SetValue(QIVPathElement* path) {
  if (!path) return;
  _values = QIVListValQIVPathElement_var{QIVPathElement_var(path)};
  _modifiers = 0;
  SetOutputSet(true);
}

void QIVPathElementAgent::InitializeAcquisition() {
  QIVDialogAgent::InitializeAcquisition();
  _values.RemoveAll();
  _modifiers = 0;
}
