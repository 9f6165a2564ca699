#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lexiscoop::tagging {

// The features of one token, as hashes: shared by the trainer and the tagger
// so that both see exactly the same ones.
inline constexpr int kFeatureCount = 16;

// History values of the tags before the first token of a sentence.
inline constexpr uint8_t kStartTag = 0xFE;
inline constexpr uint8_t kStartTag2 = 0xFF;

// The form of a word the features and the tag dictionary use: ASCII letters
// folded to lower case; "!YEAR" for four digits, "!DIGITS" for other words
// that start with a digit, "!HYPHEN" for a word with a hyphen inside.
std::string NormaliseForTagger(std::string_view word);

// A sentence's normalised words with two boundary words either side, the
// context the features look at: context[i + 2] is word i.
struct TaggerContext {
  std::span<const std::string> normalised;  // sentence words, normalised
  std::span<const std::string_view> raw;    // the same words as written
};

// The feature hashes of word i of `context`, given the tags of the two words
// before it (kStartTag, kStartTag2 at the start).
void TokenFeatures(const TaggerContext& context, size_t i, uint8_t previousTag,
                   uint8_t previousTag2, uint32_t (&features)[kFeatureCount]);

}  // namespace lexiscoop::tagging
