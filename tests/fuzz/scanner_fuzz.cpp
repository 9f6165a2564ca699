// Feeds arbitrary bytes to the width converter and, as a text, to the text
// holder. Whatever the bytes, nothing may be read outside them; every word
// starts with a Latin letter and holds only WordCharSet bytes; and the words
// are those of the plain whole-text splitter.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/MyParser.h"
#include "analysis/ParserDB.h"
#include "analysis/henkanJ.h"
#include "core/analysis/reference_scanner.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckWidthConverter(const uint8_t* data, size_t size) {
  // Exact-size copies, so that the sanitizer sees any read past the end.
  std::unique_ptr<char[]> exact(new char[size]);
  if (size != 0) std::memcpy(exact.get(), data, size);
  const std::string folded = lexiscoop::ToHalfWidth(std::string_view(exact.get(), size));
  Check(folded.size() <= size);

  std::unique_ptr<char[]> terminated(new char[size + 1]);
  if (size != 0) std::memcpy(terminated.get(), data, size);
  terminated[size] = 0;
  for (size_t i = 0; i < size; ++i) {
    const lexiscoop::FoldedChar c = lexiscoop::ReadFoldedChar(terminated.get() + i);
    Check(c.length == 1 || c.length == 2);
  }
}

void CheckScanner(const std::string& text) {
  using lexiscoop::TMyParser;
  std::vector<std::string> words;
  TMyParser parser;
  {
    parser.AssignText(text);
    parser.Rewind();
    std::string word;
    while (parser.HasWord()) {
      const int64_t progress = parser.ProgressPercent();
      Check(progress >= 0 && progress <= 100);
      parser.CurrentWordInto(word);
      Check(parser.CurrentWordView() == word);
      Check(!word.empty() && lexiscoop::testing::IsAsciiLetter(static_cast<unsigned char>(word[0])));
      for (char c : word) Check(lexiscoop::WordCharSet[static_cast<unsigned char>(c)]);
      words.push_back(word);
      parser.NextWord();
    }
  }
  Check(parser.ByteCount() == static_cast<int32_t>(text.size()));
  Check(parser.LeadingText(4096) == text.substr(0, 4096));

  const std::vector<std::string> expected = lexiscoop::testing::ReferenceWords(text);
  Check(words == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckWidthConverter(data, size);
  CheckScanner(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
