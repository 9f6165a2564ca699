#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
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
  std::span<const Weight> WeightsOf(uint32_t hash) const {
    for (uint32_t slot = SlotOf(hash);; slot = (slot + 1) & slotMask_) {
      const FeatureSlot& entry = slots_[slot];
      if (entry.count == 0) return {};
      if (entry.hash == hash) {
        return {entry.count <= kWeightsInSlot ? entry.inSlot : weights_.data() + entry.offset, entry.count};
      }
    }
  }

  // Readies the cache for WeightsOf(hash): a tagger asks for a token's
  // features together, and their slots are far apart.
  void Prefetch(uint32_t hash) const { __builtin_prefetch(&slots_[SlotOf(hash)]); }

  // The tag a normalised word always takes, if the dictionary holds it.
  std::optional<Tag> DictionaryTag(std::string_view normalisedWord) const;

  uint16_t Scale() const { return scale_; }
  size_t FeatureCount() const { return featureCount_; }
  size_t DictionarySize() const { return wordTags_.size(); }

 private:
  TaggerModel() = default;

  // A feature in the open-addressing table: its hash and its weights, the
  // few of most features in the slot itself and the others' place in
  // weights_, so that a look-up mostly touches one place; count 0 is empty.
  static constexpr uint32_t kWeightsInSlot = 2;
  struct FeatureSlot {
    uint32_t hash = 0;
    uint32_t offset : 27 = 0;
    uint32_t count : 5 = 0;
    Weight inSlot[kWeightsInSlot] = {};
  };
  static_assert(kTagCount < 32, "a slot's count holds up to 31 weights");
  static_assert(sizeof(FeatureSlot) == 16, "four slots a cache line");

  // A feature's home slot: the hash's top bits (FNV values, well spread).
  // The order of the hashes, so that the file's increasing hashes fill the
  // table from front to back.
  uint32_t SlotOf(uint32_t hash) const { return static_cast<uint32_t>((uint64_t{hash} << slotBits_) >> 32); }

  uint16_t scale_ = 1;
  size_t featureCount_ = 0;
  std::vector<FeatureSlot> slots_;
  uint32_t slotMask_ = 0;
  int slotBits_ = 0;  // the table has 2^slotBits_ slots
  std::vector<Weight> weights_;
  // The tag dictionary: its words one after another, each word's start
  // (one more than the words, the last the end) and tag, and an
  // open-addressing table of word index + 1 (0 empty).
  std::string wordBytes_;
  std::vector<uint32_t> wordStarts_;
  std::vector<Tag> wordTags_;
  std::vector<uint32_t> wordSlots_;
  uint32_t wordSlotMask_ = 0;
};

}  // namespace lexiscoop::tagging
