#pragma once

#include "QIVListVal.h"

// An object others link to: a product that features join, an item that
// activities process, an assembly that outputs hold.
class QIVILinkableObject : public QIVInterface<QIVILinkableObject> {
 public:
  static constexpr const char* InterfaceName = "QIVILinkableObject";

  // The objects holding a link to this one, each once, in the order the
  // links were made: item links (whose father is the activity), product
  // inputs and outputs, features relating the part, manufactured
  // assemblies holding it, dynamic activities standing for it.
  virtual HRESULT GetReferencingObjects(QIVListValQIVBaseUnknown_var& referrers) const = 0;
};
using QIVILinkableObject_var = QIVVar<QIVILinkableObject>;
