// libFuzzer target of the feature appearance file's SAX handler: each input
// is read as a graphic file by the host's SAX parser into
// ZELVekBIWXMLGraphicFormat, found through the ties the module registers at
// load, and its entries and attribute lists are read out, as the appearance
// command does. Neither the parser nor the handler may crash, hang, leak or
// read out of bounds, whatever the file holds; every fault must carry its
// place.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "QIVIXMLSAXFactory.h"
#include "frame/ZELVekBIWCommandsModule.h"
#include "xml/ZELVekBIWXMLGraphicFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool loaded = (ZELVekBIWCommandsModule::Load(), true);
  (void)loaded;
  QIVIXMLSAXFactory_var factory;
  QIVISAXParser_var parser;
  CreateQIVIXMLSAXFactory(factory);
  factory->CreateParser(parser, {"QIVDoValidation"}, {"false"});
  auto handler = QIVMake<ZELVekBIWXMLGraphicFormat>();
  parser->SetDocumentHandler(QIVISAXDocumentHandler_var(handler.get()));
  parser->SetErrorHandler(QIVISAXErrorHandler_var(handler.get()));
  const HRESULT rc =
      parser->ParseText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.xml");
  // A reading that stopped has said why.
  if (FAILED(rc) && handler->GetErrors().empty()) std::abort();
  for (const QIVSAXParseException& error : handler->GetErrors())
    if (error.GetMessage().IsEmpty()) std::abort();
  std::vector<ZELVekBIWAppearanceEntry> entries;
  handler->GetAllAppearanceEntity(entries);
  QIVListValQIVUnicodeString pointFastener, locatingFeature, clampingPoint;
  handler->GetAllAttributesFromXML(pointFastener, locatingFeature, clampingPoint);
  if (static_cast<std::size_t>(pointFastener.Size() + locatingFeature.Size() + clampingPoint.Size()) >
      entries.size())
    std::abort();
  return 0;
}
