#pragma once

#include <map>
#include <optional>
#include <string>

#include "QIVRepositoryRecords.h"
#include "ZELIPLMOpenObjectInfo.h"

// A repository record held in memory, built from what the repository read.
class ZELPLMOpenObjectInfo : public ZELIPLMOpenObjectInfo {
 public:
  ZELPLMOpenObjectInfo(std::string identifier, std::string kind, QIVAttributes attributes = {});

  const char* GetImplClassName() const override { return "ZELPLMOpenObjectInfo"; }

  QIVUnicodeString GetIdentifier() const override { return QIVUnicodeString(_identifier); }
  QIVUnicodeString GetKind() const override { return QIVUnicodeString(_kind); }
  HRESULT GetVariantAttribute(const QIVUnicodeString& name, QIVVariant& value) const override;
  HRESULT GetLinkedObjects(const QIVUnicodeString& link, QIVListValQIVBaseUnknown_var& objects) const override;
  HRESULT GetSavedPosition(QIVRawColldouble& position) const override;

  void SetSavedPosition(const std::optional<QIVPosition>& position) { _saved = position; }
  void AddLink(const std::string& link, const QIVBaseUnknown_var& object);

 private:
  std::string _identifier;
  std::string _kind;
  QIVAttributes _attributes;
  std::optional<QIVPosition> _saved;
  std::map<std::string, QIVListValQIVBaseUnknown_var> _links;
};
