#pragma once

#include "ZELBIWEditor.h"
#include "ZELIBIWEditorFactory.h"

// The editor factory of one kind, an extension of the host's editor
// manager: it supports the kind's page name and makes the kind's editor.
template <ZELBIWEditorKindId K>
class ZELBIWEditorFactoryOf final : public ZELIBIWEditorFactoryOf<K> {
 public:
  // The extension function, for QIVFillDictionary.
  static QIVBaseUnknown* Extension(QIVBaseUnknown*) { return new ZELBIWEditorFactoryOf; }

  bool Support(const QIVUnicodeString& name) const override { return name == Kind().editorClass; }
  QIVBaseUnknown_var Create(const QIVUnicodeString& name) const override {
    if (!Support(name)) return QIVBaseUnknown_var();
    return QIVBaseUnknown_var::Adopt(new ZELBIWEditor(Kind()));
  }

  const char* GetImplClassName() const override { return Kind().factoryClass; }

 private:
  static const ZELBIWEditorKind& Kind() { return ZELBIWEditorKind::Of(K); }
};
