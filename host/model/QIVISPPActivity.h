#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// A process activity: its name, its father, its type and the attributes of
// its kind. The type test passes subtypes: a spot welding activity is a
// "BIWActivityWelding", a "BIWActivity" and an "Activity" (QIVSPPActivityType
// lists the types).
class QIVISPPActivity : public QIVInterface<QIVISPPActivity> {
 public:
  static constexpr const char* InterfaceName = "QIVISPPActivity";

  virtual QIVUnicodeString GetName() const = 0;
  virtual HRESULT SetName(const QIVUnicodeString& name) = 0;
  virtual QIVUnicodeString GetActivityType() const = 0;
  virtual bool IsSubTypeOf(const QIVUnicodeString& typeName) const = 0;
  // The parent activity; E_FAIL for a process root or a detached activity.
  virtual HRESULT GetFatherActivity(QIVBaseUnknown_var& father) const = 0;

  // Cycle time in seconds.
  virtual HRESULT GetCycleTime(double& seconds) const = 0;
  virtual HRESULT SetCycleTime(double seconds) = 0;

  // The numeric attributes of the activity's kind, by name, in the order of
  // the kind (the kind interfaces read and write the same values).
  virtual HRESULT GetAttributeNames(QIVListValQIVUnicodeString& names) const = 0;
  // E_FAIL for a name the kind does not have.
  virtual HRESULT GetAttribute(const QIVUnicodeString& name, double& value) const = 0;
  virtual HRESULT SetAttribute(const QIVUnicodeString& name, double value) = 0;
};
using QIVISPPActivity_var = QIVVar<QIVISPPActivity>;
