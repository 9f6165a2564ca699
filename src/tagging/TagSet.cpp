#include "tagging/TagSet.h"

#include <array>

namespace lexiscoop::tagging {

namespace {

constexpr std::array<std::string_view, kTagCount> kNames = {
    ".",  "NN", "NNS", "NP", "VB",  "VBD", "VBG", "VBN", "VBZ", "MD", "JJ", "JJR", "JJS",
    "RB", "RP", "IN",  "CC", "DT",  "PRP", "PRP$", "WH", "CD",  "TO", "EX", "UH",  "FW"};

}  // namespace

std::string_view TagName(Tag tag) {
  const auto index = static_cast<size_t>(tag);
  return index < kNames.size() ? kNames[index] : std::string_view("?");
}

std::optional<Tag> TagNamed(std::string_view name) {
  for (size_t i = 0; i < kNames.size(); ++i) {
    if (kNames[i] == name) return static_cast<Tag>(i);
  }
  return std::nullopt;
}

bool IsVerbTag(Tag tag) { return tag >= Tag::kVB && tag <= Tag::kVBZ; }

bool IsNounTag(Tag tag) { return tag == Tag::kNN || tag == Tag::kNNS || tag == Tag::kNP; }

bool IsAdjectiveTag(Tag tag) { return tag >= Tag::kJJ && tag <= Tag::kJJS; }

}  // namespace lexiscoop::tagging
