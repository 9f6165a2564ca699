// Feeds arbitrary bytes to the tagger model's decoder. Whatever the bytes, it
// must stay inside them and either refuse them with a reason or give a model
// that tags a sentence, one tag a word.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tagging/Tagger.h"
#include "tagging/TaggerModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lexiscoop::tagging;
  const std::string_view image(reinterpret_cast<const char*>(data), size);
  const TaggerModelLoad load = TaggerModel::Decode(image);
  if (!load.model) {
    if (load.error.empty()) std::abort();
    return 0;
  }
  Tagger tagger(load.model);
  const std::vector<std::string_view> words = {"The", "leaves", "fall", "."};
  if (tagger.TagSentence(words).size() != words.size()) std::abort();
  return 0;
}
