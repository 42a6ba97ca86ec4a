#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// A product reference (a part or assembly definition with its part number),
// shared by its instances. A document holds one reference per part number.
class QIVIProductReference : public QIVInterface<QIVIProductReference> {
 public:
  static constexpr const char* InterfaceName = "QIVIProductReference";

  virtual QIVUnicodeString GetPartNumber() const = 0;
  // E_FAIL when another reference of the document has that part number.
  virtual HRESULT SetPartNumber(const QIVUnicodeString& partNumber) = 0;
  // The instances of the reference that stand in the document's product
  // tree (each can be shown), in the order they were made instances.
  virtual HRESULT GetVisualisableInstances(QIVListValQIVBaseUnknown_var& instances) const = 0;
  virtual int GetVisualisableInstanceCount() const = 0;
};
using QIVIProductReference_var = QIVVar<QIVIProductReference>;
