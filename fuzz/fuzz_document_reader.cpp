// libFuzzer target of the document reader: each input is read as a process
// document. The reader must neither crash, hang, leak nor read out of
// bounds, whatever the text holds; and a document it reads must save and
// read back to the same bytes, since a save must never write what a load
// refuses.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "QIVDocumentReader.h"
#include "QIVDocumentWriter.h"

namespace {
std::string Saved(const QIVIDocument_var& document) {
  std::string text;
  QIVDocumentError error;
  QIVDocumentWriter::Write(document, text, error);
  return text;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QIVIDocument_var document;
  QIVDocumentError error;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (FAILED(QIVDocumentReader::Read(text, "fuzz.json", document, error)) || !document) return 0;
  const std::string saved = Saved(document);
  document->Close();
  if (saved.empty()) return 0;
  QIVIDocument_var again;
  if (FAILED(QIVDocumentReader::Read(std::string_view(saved), "saved.json", again, error)) || !again) std::abort();
  if (Saved(again) != saved) std::abort();
  again->Close();
  return 0;
}
