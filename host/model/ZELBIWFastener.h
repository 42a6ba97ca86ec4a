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
  QIVUnicodeString GetCategory() const override { return _endo ? "endo" : "exo"; }
  HRESULT SetCategory(const QIVUnicodeString& category) override;
  QIVUnicodeString GetIdentifier() const override { return _details.Get().identifier; }
  HRESULT SetIdentifier(const QIVUnicodeString& identifier) override;
  QIVUnicodeString GetFastenerVersion() const override { return _details.Get().version; }
  HRESULT SetFastenerVersion(const QIVUnicodeString& version) override;
  long GetColor() const override { return Color(); }
  HRESULT SetColor(long rgb) override;
  HRESULT RestoreColor(const QIVBaseUnknown_var& context, bool redraw) override;
  HRESULT GetExternalAssignments(QIVListValQIVUnicodeString& assignments) const override;
  HRESULT AddExternalAssignment(const QIVUnicodeString& assignment) override;
  HRESULT ClearExternalAssignments() override;

  // The assignments in place, for the document's writer.
  const std::vector<QIVUnicodeString>& ExternalAssignments() const { return _details.Get().externalAssignments; }
  const QIVUnicodeString& Identifier() const { return _details.Get().identifier; }
  const QIVUnicodeString& FastenerVersion() const { return _details.Get().version; }

 protected:
  ZELBIWFastener() = default;

 private:
  QIVUnicodeString _type;
  // What welds read from a file never carry.
  struct Details {
    QIVUnicodeString identifier;
    QIVUnicodeString version;
    std::vector<QIVUnicodeString> externalAssignments;
  };

  QIVRare<Details> _details;
  bool _endo = false;
};
