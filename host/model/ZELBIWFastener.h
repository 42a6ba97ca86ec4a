#pragma once

#include <vector>

#include "ZELBIWFeature.h"
#include "ZELIBIWFastener.h"

// What point and curve fasteners share: type, category, identifier,
// version, colour and the repository's assignments.
class ZELBIWFastener : public ZELBIWFeature, public ZELIBIWFastener {
 public:
  QIVUnicodeString GetType() const override { return _type; }
  HRESULT SetType(const QIVUnicodeString& type) override;
  QIVUnicodeString GetCategory() const override { return _category; }
  HRESULT SetCategory(const QIVUnicodeString& category) override;
  QIVUnicodeString GetIdentifier() const override { return _identifier.Get(); }
  HRESULT SetIdentifier(const QIVUnicodeString& identifier) override;
  QIVUnicodeString GetFastenerVersion() const override { return _version.Get(); }
  HRESULT SetFastenerVersion(const QIVUnicodeString& version) override;
  long GetColor() const override { return Color(); }
  HRESULT SetColor(long rgb) override;
  HRESULT RestoreColor(const QIVBaseUnknown_var& context, bool redraw) override;
  HRESULT GetExternalAssignments(QIVListValQIVUnicodeString& assignments) const override;
  HRESULT AddExternalAssignment(const QIVUnicodeString& assignment) override;
  HRESULT ClearExternalAssignments() override;

  // The assignments in place, for the document's writer.
  const std::vector<QIVUnicodeString>& ExternalAssignments() const { return _externalAssignments; }
  const QIVUnicodeString& FastenerVersion() const { return _version.Get(); }

 protected:
  ZELBIWFastener() = default;

 private:
  QIVUnicodeString _type;
  QIVUnicodeString _category = "exo";
  QIVRareText _identifier;
  QIVRareText _version;
  std::vector<QIVUnicodeString> _externalAssignments;
};
