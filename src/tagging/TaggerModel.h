#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tagging/TagSet.h"

namespace lexiscoop::tagging {

// The shipped model's file name, in the program's data folder.
inline constexpr const char* kTaggerModelFile = "LxTagger.dat";

// One feature of the model with its weights, as the trainer writes it.
struct FeatureWeights {
  uint32_t hash = 0;
  std::vector<std::pair<Tag, int16_t>> weights;  // by increasing tag, none zero
};

// Everything a model file holds, in the writer's form.
struct ModelContents {
  uint16_t scale = 1;
  std::vector<FeatureWeights> features;                  // by increasing hash
  std::vector<std::pair<std::string, Tag>> dictionary;  // by increasing word
};

// The model file image of `contents`. Requires what the format requires
// (increasing hashes and words, 1 .. kTagCount weights a feature, words of
// 1 .. 64 bytes); the result decodes to the same contents.
std::string EncodeTaggerModel(const ModelContents& contents);

class TaggerModel;

// The outcome of reading a model: the model, or why there is none.
struct TaggerModelLoad {
  std::shared_ptr<const TaggerModel> model;
  std::string error;  // empty exactly when `model` is set
};

// A decoded, immutable part-of-speech model: feature weights and the
// dictionary of words that always take one tag. Shared read-only by threads.
class TaggerModel {
 public:
  // Decodes a model file image. Refuses an image that is short, long,
  // damaged (checksum) or holds a count, tag or word out of range, with a
  // short English reason, without reading outside `image`.
  static TaggerModelLoad Decode(std::string_view image);

  // Reads and decodes the model file at `path`; the error names the file.
  static TaggerModelLoad Load(const std::string& path);

  struct Weight {
    uint8_t tag;
    int16_t value;
  };

  // The weights of the feature with hash `hash` (empty when it has none).
  std::span<const Weight> WeightsOf(uint32_t hash) const;

  // The tag a normalised word always takes, if the dictionary holds it.
  std::optional<Tag> DictionaryTag(std::string_view normalisedWord) const;

  uint16_t Scale() const { return scale_; }
  size_t FeatureCount() const { return hashes_.size(); }
  size_t DictionarySize() const { return words_.size(); }

 private:
  TaggerModel() = default;

  uint16_t scale_ = 1;
  std::vector<uint32_t> hashes_;   // increasing
  std::vector<uint32_t> offsets_;  // into weights_, one more than hashes_
  std::vector<Weight> weights_;
  std::vector<uint32_t> slots_;  // open-addressing table: feature index + 1, 0 empty
  uint32_t slotMask_ = 0;
  std::vector<std::string> words_;  // increasing
  std::vector<Tag> wordTags_;
  std::unordered_map<std::string_view, Tag> wordIndex_;  // words_ (views into them) -> tag
};

}  // namespace lexiscoop::tagging
