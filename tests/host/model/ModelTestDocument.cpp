#include "ModelTestDocument.h"

#include "QIVISPPActivity.h"

QIVListValQIVUnicodeString NamesOf(const QIVListValQIVBaseUnknown_var& objects) {
  QIVListValQIVUnicodeString names;
  for (const QIVBaseUnknown_var& object : objects) {
    if (QIVISPPActivity_var activity = object)
      names.Append(activity->GetName());
    else if (QIVIProduct_var product = object)
      names.Append(product->GetPrdInstanceName());
    else if (QIVIAlias_var alias = object)
      names.Append(alias->GetAlias());
    else
      names.Append("?");
  }
  return names;
}

void PrintTo(const QIVListValQIVUnicodeString& names, std::ostream* out) {
  *out << "{";
  for (int i = 1; i <= names.Size(); ++i) *out << (i > 1 ? ", \"" : "\"") << names[i] << "\"";
  *out << "}";
}
