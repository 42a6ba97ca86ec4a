// libFuzzer target of the journal reader: each input is read as a journal.
// The reader must neither crash, hang nor leak; and what it reads, written
// back line by line, must read again as the same events, since what is
// recorded is what is replayed.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "JournalReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const JournalReader::Result read =
      JournalReader::Parse(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.journal");
  if (!read.Succeeded()) return 0;
  std::string written;
  for (const JournalEvent& event : read.events) written += event.Format().str() + "\n";
  const JournalReader::Result again = JournalReader::Parse(written, "written.journal");
  if (!again.Succeeded() || again.events != read.events) std::abort();
  return 0;
}
