// Feeds arbitrary bytes to the list importers (plain text, CSV, TSV and
// .xlsx workbooks) and to the readers of the stored level sets and known
// lists: nothing may crash, every entry must be a list word, and a stored
// file that reads must write back byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lists/ListFile.h"
#include "lists/ListFileFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lexiscoop;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const ListFormat format : {ListFormat::PlainText, ListFormat::Csv, ListFormat::Tsv, ListFormat::Xlsx}) {
    const ListReading reading = ReadListBytes("fuzz", bytes, format);
    for (const ListEntry& entry : reading.entries) {
      if (!IsListWord(entry.word)) std::abort();
    }
  }
  UserLevelSet set;
  if (DecodeLevelSet(bytes, set) && EncodeLevelSet(set) != bytes) std::abort();
  KnownWordList list;
  if (DecodeKnownList(bytes, list) && EncodeKnownList(list) != bytes) std::abort();
  return 0;
}
