#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// A fastener (point or curve): its process type, category, identifier,
// colour and the assignments the plant's repository knows of.
class ZELIBIWFastener : public QIVInterface<ZELIBIWFastener> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWFastener";

  // The process type text as imported ("spot weld", "sealant"...), stored
  // unchanged; ZELBIWFastenerType gives its vocabulary.
  virtual QIVUnicodeString GetType() const = 0;
  virtual HRESULT SetType(const QIVUnicodeString& type) = 0;
  // The fastening context: "exo" or "endo".
  virtual QIVUnicodeString GetCategory() const = 0;
  virtual HRESULT SetCategory(const QIVUnicodeString& category) = 0;
  // The identifier given to the fastener (empty until one is given).
  virtual QIVUnicodeString GetIdentifier() const = 0;
  virtual HRESULT SetIdentifier(const QIVUnicodeString& identifier) = 0;
  // The fastener version text of the plant's repository.
  virtual QIVUnicodeString GetFastenerVersion() const = 0;
  virtual HRESULT SetFastenerVersion(const QIVUnicodeString& version) = 0;

  // Display colour as 0xRRGGBB; -1 while the fastener shows the default
  // colour of its category.
  virtual long GetColor() const = 0;
  virtual HRESULT SetColor(long rgb) = 0;
  // Back to the default colour. The context is not used and may be empty;
  // with `redraw` the views are asked to show the change.
  virtual HRESULT RestoreColor(const QIVBaseUnknown_var& context, bool redraw) = 0;

  // Assignments made in the plant's repository outside this document, one
  // text each (the activity path there).
  virtual HRESULT GetExternalAssignments(QIVListValQIVUnicodeString& assignments) const = 0;
  virtual HRESULT AddExternalAssignment(const QIVUnicodeString& assignment) = 0;
  virtual HRESULT ClearExternalAssignments() = 0;
};
using ZELIBIWFastener_var = QIVVar<ZELIBIWFastener>;
