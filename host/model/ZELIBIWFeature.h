#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// What every BIW feature (group, fastener, locator) answers.
class ZELIBIWFeature : public QIVInterface<ZELIBIWFeature> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWFeature";

  // The activities the feature is an item of (assigned to), in assignment
  // order.
  virtual HRESULT GetAssignedActivities(QIVListValQIVBaseUnknown_var& activities) const = 0;
  virtual int GetNumberOfAssignments() const = 0;
  // The file of the graphic representation shown for the feature; empty
  // for the default one.
  virtual QIVUnicodeString GetGraphicRepresentation() const = 0;
  virtual HRESULT SetGraphicRepresentation(const QIVUnicodeString& path) = 0;
  // The plant's type name of the feature ("plantype_name").
  virtual QIVUnicodeString GetPlanTypeName() const = 0;
  virtual HRESULT SetPlanTypeName(const QIVUnicodeString& name) = 0;
};
using ZELIBIWFeature_var = QIVVar<ZELIBIWFeature>;
