#pragma once

#include "QIVIRootProperties.h"
#include "ZELBIWEditorKind.h"

// What the property window shows for an activity of one kind: the host's
// own pages, then the kind's page. An extension of the kind's activity
// types, made for each query.
class ZELBIWBaseProperties : public QIVIRootProperties {
 public:
  ZELBIWBaseProperties(const ZELBIWEditorKind& kind, QIVBaseUnknown* activity);

  // The extension function of the kind, for QIVFillDictionary.
  template <ZELBIWEditorKindId K>
  static QIVBaseUnknown* Extension(QIVBaseUnknown* activity) {
    return new ZELBIWBaseProperties(ZELBIWEditorKind::Of(K), activity);
  }

  QIVListValQIVUnicodeString GetListOfEditors() override;
  QIVBaseUnknown_var GetAssociatedObject() override { return _activity; }

  const char* GetImplClassName() const override { return _kind.basePropertiesClass; }

 private:
  const ZELBIWEditorKind& _kind;
  QIVBaseUnknown_var _activity;
};
