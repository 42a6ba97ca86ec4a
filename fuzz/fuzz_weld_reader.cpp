// libFuzzer target of the weld file reader: each input is read as a weld
// file into a fresh small body, as the import command does after OK. The
// reader must neither crash, hang, leak nor read out of bounds, whatever the
// file holds.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "QIVDelayedDestruction.h"
#include "QIVDispatcher.h"
#include "QIVDocument.h"
#include "QIVTranscript.h"
#include "import/ZELVekBIWReadWeldFromFileCmd.h"

namespace {

// The body the inputs' part paths may name: a floor with a tunnel, two side
// members of one reference (for the many-instances refusal) and a cross
// member.
QIVIDocument_var NewBody() {
  QIVIDocument_var document = QIVDocument::New();
  QIVBaseUnknown_var body, floor, part;
  document->CreateProduct(nullptr, "Body.1", "BD-100", body);
  document->CreateProduct(body, "Floor.1", "FL-200", floor);
  document->CreateProduct(floor, "Tunnel.1", "TN-210", part);
  document->CreateProduct(body, "SideMember.1", "SM-300", part);
  document->CreateProduct(body, "SideMember.2", "SM-300", part);
  document->CreateProduct(body, "CrossMember.1", "CM-400", part);
  return document;
}

const std::string& InputPath() {
  static const std::string path = "/tmp/fuzz_weld_reader_" + std::to_string(::getpid()) + ".txt";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static QIVDispatcher* session = new QIVDispatcher();
  {
    std::ofstream input(InputPath(), std::ios::binary | std::ios::trunc);
    input.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  session->OpenDocument(NewBody());
  {
    QIVVar<ZELVekBIWReadWeldFromFileCmd> command = QIVMake<ZELVekBIWReadWeldFromFileCmd>();
    command->ReadWeldFromFile(InputPath());
  }
  session->CloseDocument();
  QIVDelayedDestruction::Flush();
  QIVTranscript::Current().Clear();
  return 0;
}
