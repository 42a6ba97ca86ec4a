#include "ZELEMfgAssemblyFactory.h"

#include "QIVIDocument.h"
#include "ZELMfgAssembly.h"

ZELEMfgAssemblyFactory::ZELEMfgAssemblyFactory(QIVBaseUnknown_var document) : _document(std::move(document)) {}

QIVBaseUnknown_var ZELEMfgAssemblyFactory::CreateMfgAssembly() const {
  if (!_document) return QIVMake<ZELMfgAssembly>();
  QIVIDocument_var document(_document);
  QIVBaseUnknown_var assembly;
  if (!document || FAILED(document->CreateObject("MfgAssembly", "", 0, assembly))) return {};
  return assembly;
}
