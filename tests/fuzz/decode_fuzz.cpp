// Feeds arbitrary bytes to the compressed list file's decoder. Whatever the
// bytes, it must stay inside its buffers, and a file it accepts must hold
// exactly the recorded text size, within what its code words can carry;
// that text must survive another encode and decode unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dictionary/DeltaCode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using lexiscoop::TDeltaCode;
  const std::string_view image(reinterpret_cast<const char*>(data), size);
  TDeltaCode coder;
  if (!coder.Decode(image)) {
    if (coder.FailureText().empty()) std::abort();
    return 0;
  }
  const uint32_t recorded = static_cast<uint32_t>(data[8]) | static_cast<uint32_t>(data[9]) << 8 |
                            static_cast<uint32_t>(data[10]) << 16 | static_cast<uint32_t>(data[11]) << 24;
  if (coder.PlainData().size() != recorded) std::abort();
  if (coder.PlainData().size() * 3 > size * 8) std::abort();

  TDeltaCode again;
  again.SetPlainData(coder.PlainData());
  again.Encode();
  TDeltaCode back;
  if (!back.Decode(again.CodedData()) || back.PlainData() != coder.PlainData()) std::abort();
  return 0;
}
