#pragma once

#include "QIVPathElement.h"
#include "QIVVar.h"

// An object's place in its document's trees: a feature under its group,
// an activity under its parent, a product under its father product.
class ZELObjectTree {
 public:
  // The feature, activity or father product holding the object; empty at a
  // root.
  static QIVBaseUnknown_var FatherOf(const QIVBaseUnknown_var& object);
  // The path from the object's root down to the object, as a pick of it
  // gives; empty for no object. A father chain that loops back is cut at
  // 10,000 objects.
  static QIVPathElement_var PathOf(const QIVBaseUnknown_var& object);
};
