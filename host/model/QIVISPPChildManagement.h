#pragma once

#include <memory>

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// The child activities of an activity, in order.
class QIVISPPChildManagement : public QIVInterface<QIVISPPChildManagement> {
 public:
  static constexpr const char* InterfaceName = "QIVISPPChildManagement";

  // The children whose type passes the type test (every child for ""), in
  // child order. The caller owns the list.
  virtual std::unique_ptr<QIVListValQIVBaseUnknown_var> GetChildren(const QIVUnicodeString& type = "") const = 0;
  virtual int GetChildrenCount() const = 0;
  // The first child of that name, E_FAIL when there is none.
  virtual HRESULT FindChild(const QIVUnicodeString& name, QIVBaseUnknown_var& child) const = 0;

  // A new child of any activity type, named like the type's text, "." and
  // the next number of that type; E_INVALIDARG for an unknown or abstract
  // type.
  virtual HRESULT CreateChild(const QIVUnicodeString& type, QIVBaseUnknown_var& child) = 0;
  // Moves an activity of the same document (or one built without a father)
  // to the end of the children, or right after `after` when that is given.
  // An activity cannot go below itself.
  virtual HRESULT AppendChild(const QIVBaseUnknown_var& activity) = 0;
  virtual HRESULT InsertChildAfter(const QIVBaseUnknown_var& activity, const QIVBaseUnknown_var& after) = 0;
  // Deletes the child with its descendants, flow links and items.
  virtual HRESULT RemoveChild(const QIVBaseUnknown_var& child) = 0;
};
using QIVISPPChildManagement_var = QIVVar<QIVISPPChildManagement>;
