#include "JournalObjectResolver.h"

#include <vector>

#include "ZELObjectTree.h"

namespace {

QIVUnicodeString JoinPath(const std::vector<QIVUnicodeString>& names, std::size_t count) {
  QIVUnicodeString joined;
  for (std::size_t i = 0; i < count; ++i) joined += (i ? "/" : "") + names[i];
  return joined;
}

}  // namespace

QIVPathElement_var JournalObjectResolver::Resolve(const JournalObjectRef& reference, QIVUnicodeString& reason) const {
  if (!_document) {
    reason = "no document is open";
    return QIVPathElement_var();
  }
  switch (reference.GetKind()) {
    case JournalObjectRef::Process:
    case JournalObjectRef::Product:
      return ResolveTreePath(reference, reason);
    case JournalObjectRef::Fastener:
    case JournalObjectRef::Feature: {
      QIVBaseUnknown_var feature;
      if (FAILED(_document->FindFeatureByName(reference.GetName(), feature)) || !feature) {
        reason = QIVUnicodeString("no ") + JournalObjectRef::KindName(reference.GetKind()) + " named \"" +
                 reference.GetName() + "\"";
        return QIVPathElement_var();
      }
      return ZELObjectTree::PathOf(feature);
    }
    case JournalObjectRef::Id: {
      QIVBaseUnknown_var object;
      if (FAILED(_document->FindObject(reference.GetId(), object)) || !object) {
        reason = QIVUnicodeString::Format("no object with id %lld", reference.GetId());
        return QIVPathElement_var();
      }
      return ZELObjectTree::PathOf(object);
    }
  }
  reason = "unknown kind of reference";
  return QIVPathElement_var();
}

QIVPathElement_var JournalObjectResolver::ResolveTreePath(const JournalObjectRef& reference,
                                                          QIVUnicodeString& reason) const {
  const bool process = reference.GetKind() == JournalObjectRef::Process;
  const std::vector<QIVUnicodeString>& names = reference.GetPath();
  std::vector<QIVBaseUnknown_var> rootToLeaf;
  QIVListValQIVUnicodeString prefix;
  // Each prefix of the path names one object of the chain; the first that
  // is missing is the one the reason names.
  for (std::size_t i = 0; i < names.size(); ++i) {
    prefix.Append(names[i]);
    QIVBaseUnknown_var object;
    const HRESULT rc = process ? _document->FindActivityByPath(prefix, object)
                               : _document->FindProductByPath(prefix, object);
    if (FAILED(rc) || !object) {
      reason = QIVUnicodeString(process ? "no activity " : "no product ") + JoinPath(names, i + 1);
      return QIVPathElement_var();
    }
    rootToLeaf.push_back(object);
  }
  return QIVMake<QIVPathElement>(std::move(rootToLeaf));
}
