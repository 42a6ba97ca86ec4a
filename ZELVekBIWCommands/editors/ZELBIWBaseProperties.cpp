#include "ZELBIWBaseProperties.h"

ZELBIWBaseProperties::ZELBIWBaseProperties(const ZELBIWEditorKind& kind, QIVBaseUnknown* activity)
    : _kind(kind), _activity(activity) {}

QIVListValQIVUnicodeString ZELBIWBaseProperties::GetListOfEditors() {
  QIVListValQIVUnicodeString names;
  for (const char* name : ZELBIWHostPageNames()) names.Append(name);
  names.Append(_kind.editorClass);
  return names;
}
