#pragma once

#include "QIVUnicodeString.h"
#include "QIVVar.h"

// Identity of an object inside its document: assigned when the object joins
// the document, kept by saving and loading, never reused while the document
// is open. 0 means the object belongs to no document.
using QIVObjectId = long long;

// What every object of a process document answers: its id, its kind (the
// name under which a document file stores it and builds it again) and the
// document it belongs to.
class QIVIModelObject : public QIVInterface<QIVIModelObject> {
 public:
  static constexpr const char* InterfaceName = "QIVIModelObject";

  virtual QIVObjectId GetDocumentId() const = 0;
  // "Activity", "Product", "PointFastener"... (see QIVIDocument::CreateObject).
  virtual const char* GetKindName() const = 0;
  // The variant of the kind: an activity's type name, a feature group's
  // kind, a locator's or datum's kind; empty for kinds without variants.
  virtual QIVUnicodeString GetSubKind() const = 0;
  // The document, or an empty handle for an object outside any document.
  virtual QIVBaseUnknown_var GetDocument() const = 0;
};
using QIVIModelObject_var = QIVVar<QIVIModelObject>;
