// libFuzzer target of the bill of materials reader: each input is imported
// as a BOM CSV into an empty document. The reader must neither crash, hang
// nor leak, and a refusal must name the file and line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "BiwplanProductImport.h"
#include "QIVDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QIVIDocument_var document = QIVDocument::New();
  std::string error;
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (BiwplanProductImport::ImportText(document, text, "fuzz.csv", error) < 0 && error.rfind("fuzz.csv:", 0) != 0)
    std::abort();
  document->Close();
  return 0;
}
