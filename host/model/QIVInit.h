#pragma once

#include "QIVUnicodeString.h"
#include "QIVVar.h"

// The root containers of a document, by the type the caller wants:
// "QIVISPPProcessContainer" gives the process container, "ZELFPPContainer"
// (or "ZELIBIWFeatureContainer") the product feature container,
// "QIVIPlantLibrary" the plant library.
class QIVInit : public QIVInterface<QIVInit> {
 public:
  static constexpr const char* InterfaceName = "QIVInit";

  virtual HRESULT GetRootContainer(const QIVUnicodeString& type, QIVBaseUnknown_var& container) const = 0;
};
using QIVInit_var = QIVVar<QIVInit>;
