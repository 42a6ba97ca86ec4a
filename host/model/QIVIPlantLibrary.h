#pragma once

#include "QIVListVal.h"

// The document's plant library: the templates, stations and resources that
// standard stations are copied from. It only keeps its entries for now.
class QIVIPlantLibrary : public QIVInterface<QIVIPlantLibrary> {
 public:
  static constexpr const char* InterfaceName = "QIVIPlantLibrary";

  virtual HRESULT GetEntries(QIVListValQIVBaseUnknown_var& entries) const = 0;
  // An object of the same document; S_FALSE when it is already an entry.
  virtual HRESULT AddEntry(const QIVBaseUnknown_var& entry) = 0;
  virtual HRESULT RemoveEntry(const QIVBaseUnknown_var& entry) = 0;
};
using QIVIPlantLibrary_var = QIVVar<QIVIPlantLibrary>;
