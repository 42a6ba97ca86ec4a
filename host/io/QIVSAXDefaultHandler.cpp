#include "QIVSAXDefaultHandler.h"

HRESULT QIVSAXDefaultHandler::SetDocumentLocator(const QIVISAXLocator* locator) {
  _locator = locator;
  return S_OK;
}

HRESULT QIVSAXDefaultHandler::Warning(const QIVSAXParseException& exception) {
  if (_warnings.size() < kKeptFaults) _warnings.push_back(exception);
  return S_OK;
}

HRESULT QIVSAXDefaultHandler::Error(const QIVSAXParseException& exception) {
  if (_errorCount++ < kKeptFaults) _errors.push_back(exception);
  return S_OK;
}

HRESULT QIVSAXDefaultHandler::FatalError(const QIVSAXParseException& exception) {
  Error(exception);
  return E_FAIL;
}

HRESULT QIVSAXDefaultHandler::ErrorHere(const QIVUnicodeString& message) {
  if (!_locator) return Error(QIVSAXParseException({}, 0, 0, message));
  return Error(QIVSAXParseException(_locator->GetSystemId(), _locator->GetLineNumber(),
                                    _locator->GetColumnNumber(), message));
}
