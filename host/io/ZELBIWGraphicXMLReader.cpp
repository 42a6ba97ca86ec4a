#include "ZELBIWGraphicXMLReader.h"

#include "QIVDictionary.h"
#include "QIVIXMLSAXFactory.h"
#include "QIVSAXDefaultHandler.h"
#include "TIEQIVISAXHandler.h"

namespace {

class StyleFormatHandler : public QIVSAXDefaultHandler {
 public:
  static constexpr const char* kLateType = "ZELBIWStyleFormatHandler";
  const char* GetImplClassName() const override { return kLateType; }

  HRESULT StartElement(const QIVUnicodeString& name, const QIVISAXAttributeList* attributes) override {
    if (!attributes || name != "Style") return S_OK;
    const QIVUnicodeString style = attributes->GetValue("name");
    const QIVUnicodeString file = attributes->GetValue("file");
    if (style.IsEmpty() || file.IsEmpty())
      return ErrorHere("\"Style\" without its \"name\" and \"file\" attributes");
    names.Append(style);
    paths.Append(file);
    return S_OK;
  }

  QIVListValQIVUnicodeString names;
  QIVListValQIVUnicodeString paths;
};

}  // namespace

HRESULT ZELBIWGraphicXMLReader::SetGraphicXMLPath(const QIVUnicodeString& path) {
  static const bool registered =
      (QIVFillDictionary(StyleFormatHandler::kLateType, QIVISAXDocumentHandler::ClassName(),
                         &TIEQIVISAXDocumentHandler<StyleFormatHandler>::Create),
       QIVFillDictionary(StyleFormatHandler::kLateType, QIVISAXErrorHandler::ClassName(),
                         &TIEQIVISAXErrorHandler<StyleFormatHandler>::Create),
       true);
  (void)registered;
  _names.RemoveAll();
  _paths.RemoveAll();
  _errors.clear();
  QIVIXMLSAXFactory_var factory;
  QIVISAXParser_var parser;
  if (FAILED(CreateQIVIXMLSAXFactory(factory)) || FAILED(factory->CreateParser(parser, {}, {})))
    return E_FAIL;
  auto handler = QIVMake<StyleFormatHandler>();
  parser->SetDocumentHandler(QIVISAXDocumentHandler_var(handler.get()));
  parser->SetErrorHandler(QIVISAXErrorHandler_var(handler.get()));
  parser->Parse(path);
  _errors = handler->GetErrors();
  if (!_errors.empty()) return E_FAIL;
  _names = std::move(handler->names);
  _paths = std::move(handler->paths);
  return S_OK;
}

HRESULT ZELBIWGraphicXMLReader::GetParsedData(QIVListValQIVUnicodeString& names,
                                              QIVListValQIVUnicodeString& paths) const {
  names = _names;
  paths = _paths;
  return S_OK;
}
