#pragma once

#include "QIVVar.h"

// One planning attribute of an activity read or written through the kind
// interface that carries it; E_FAIL when the activity does not offer it.
// Dialogs keep their rows as tables of these functions.
using ZELActivityAttributeReader = HRESULT (*)(QIVBaseUnknown* activity, double& value);
using ZELActivityAttributeWriter = HRESULT (*)(QIVBaseUnknown* activity, double value);

template <class I, HRESULT (I::*Get)(double&) const>
HRESULT ZELReadActivityAttribute(QIVBaseUnknown* activity, double& value) {
  QIVVar<I> kind(activity);
  return kind ? (kind.get()->*Get)(value) : E_FAIL;
}

template <class I, HRESULT (I::*Set)(double)>
HRESULT ZELWriteActivityAttribute(QIVBaseUnknown* activity, double value) {
  QIVVar<I> kind(activity);
  return kind ? (kind.get()->*Set)(value) : E_FAIL;
}

// The point fastening rate is stored as time per fastener and typed as
// fasteners per time; 0.0 stands for "not set" and stays 0.0 either way.
inline double ZELReciprocalRate(double value) { return value == 0.0 ? 0.0 : 1.0 / value; }

// A dialog row of one attribute: a label, a numeric editor and a units
// label, by widget name, and how the value goes to and from the activity.
struct ZELActivityAttributeRow {
  const char* label;
  const char* editor;
  const char* units;
  ZELActivityAttributeReader read;
  ZELActivityAttributeWriter write;
  // Shown and typed as the reciprocal of the stored value (rates stored as
  // time per fastener).
  bool reciprocal = false;
};
