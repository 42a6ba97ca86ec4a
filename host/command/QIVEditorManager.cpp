#include "QIVEditorManager.h"

#include "QIVDictionary.h"
#include "QIVIGenericFactory.h"

QIVBaseUnknown_var QIVEditorManager::CreateEditor(const QIVUnicodeString& pageName) {
  const QIVDictionary& dictionary = QIVDictionary::Instance();
  for (const std::string& interfaceName : dictionary.ExtensionInterfaces(LateType)) {
    QIVBaseUnknown_var extension = QIVBaseUnknown_var::Adopt(dictionary.CreateExtension(this, LateType, interfaceName));
    QIVIGenericFactory_var factory(extension);
    if (factory && factory->Support(pageName)) return factory->Create(pageName);
  }
  return QIVBaseUnknown_var();
}
