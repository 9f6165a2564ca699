#include "tagging/TaggerFeatures.h"

#include "tagging/TaggerFormat.h"

namespace lexiscoop::tagging {

namespace {

enum FeatureKind : unsigned char {
  kBias = 1,
  kSuffix3,
  kSuffix2,
  kFirstChar,
  kShape,
  kPrevTag,
  kPrev2Tag,
  kPrevTags,
  kWord,
  kPrevTagWord,
  kPrevWord,
  kPrevSuffix3,
  kPrev2Word,
  kNextWord,
  kNextSuffix3,
  kNext2Word,
};

const std::string kBoundaryBefore[2] = {"-START2-", "-START-"};
const std::string kBoundaryAfter[2] = {"-END-", "-END2-"};

uint32_t Hash(FeatureKind kind, std::string_view value, uint32_t extra = 0) {
  const unsigned char head[5] = {kind, static_cast<unsigned char>(extra & 0xFF),
                                 static_cast<unsigned char>((extra >> 8) & 0xFF), 0, 0};
  uint32_t hash = model_format::Fnv1a(head, sizeof head);
  return model_format::Fnv1a(reinterpret_cast<const unsigned char*>(value.data()), value.size(), hash);
}

std::string_view Suffix(std::string_view word, size_t length) {
  return word.size() <= length ? word : word.substr(word.size() - length);
}

// Word i - 2 .. i + 2 of the sentence, boundary words outside it.
std::string_view Around(const TaggerContext& context, size_t i, int offset) {
  const auto at = static_cast<long long>(i) + offset;
  if (at < 0) return kBoundaryBefore[at + 2];
  const auto size = static_cast<long long>(context.normalised.size());
  if (at >= size) return kBoundaryAfter[at - size];
  return context.normalised[static_cast<size_t>(at)];
}

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

// Capitals and the first position, which tell names from sentence starts.
uint32_t ShapeOf(std::string_view raw, size_t i) {
  uint32_t shape = i == 0 ? 1 : 0;
  if (!raw.empty() && IsUpper(raw[0])) shape |= 2;
  bool allUpper = raw.size() > 1, anyLower = false;
  for (char c : raw) {
    if (IsLower(c)) anyLower = true;
    if (!IsUpper(c)) allUpper = false;
  }
  if (allUpper) shape |= 4;
  if (!anyLower && !raw.empty() && !IsUpper(raw[0])) shape |= 8;
  return shape;
}

}  // namespace

std::string NormaliseForTagger(std::string_view word) {
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  if (word.size() > 1 && word.find('-', 1) != std::string_view::npos) return "!HYPHEN";
  if (word.size() == 4 && isDigit(word[0]) && isDigit(word[1]) && isDigit(word[2]) && isDigit(word[3]))
    return "!YEAR";
  if (!word.empty() && isDigit(word[0])) return "!DIGITS";
  std::string folded(word);
  for (char& c : folded) {
    if (IsUpper(c)) c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

void TokenFeatures(const TaggerContext& context, size_t i, uint8_t previousTag,
                   uint8_t previousTag2, uint32_t (&features)[kFeatureCount]) {
  const std::string_view word = context.normalised[i];
  const std::string_view raw = context.raw[i];
  const std::string_view previous = Around(context, i, -1);
  const std::string_view next = Around(context, i, 1);
  int n = 0;
  features[n++] = Hash(kBias, {});
  features[n++] = Hash(kSuffix3, Suffix(word, 3));
  features[n++] = Hash(kSuffix2, Suffix(word, 2));
  features[n++] = Hash(kFirstChar, raw.substr(0, 1));
  features[n++] = Hash(kShape, {}, ShapeOf(raw, i));
  features[n++] = Hash(kPrevTag, {}, previousTag);
  features[n++] = Hash(kPrev2Tag, {}, previousTag2);
  features[n++] = Hash(kPrevTags, {}, previousTag | previousTag2 << 8);
  features[n++] = Hash(kWord, word);
  features[n++] = Hash(kPrevTagWord, word, previousTag);
  features[n++] = Hash(kPrevWord, previous);
  features[n++] = Hash(kPrevSuffix3, Suffix(previous, 3));
  features[n++] = Hash(kPrev2Word, Around(context, i, -2));
  features[n++] = Hash(kNextWord, next);
  features[n++] = Hash(kNextSuffix3, Suffix(next, 3));
  features[n++] = Hash(kNext2Word, Around(context, i, 2));
}

}  // namespace lexiscoop::tagging
