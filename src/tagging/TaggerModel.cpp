#include "tagging/TaggerModel.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/FileSystem.h"
#include "tagging/TaggerFormat.h"

namespace lexiscoop::tagging {

namespace fmt = model_format;

namespace {

void PutU16(std::string& out, size_t at, uint16_t value) {
  out[at] = static_cast<char>(value & 0xFF);
  out[at + 1] = static_cast<char>(value >> 8);
}

void PutU32(std::string& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint16_t GetU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t GetU32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// A table of at least twice `entries` slots, a power of two.
size_t TableSize(size_t entries) {
  size_t size = 16;
  while (size < 2 * entries) size *= 2;
  return size;
}

uint32_t WordHash(std::string_view word) { return Fnv1a32(word); }

static_assert(fmt::kMaxFileSize / 3 < (size_t{1} << 27), "a weight's place fits a slot's offset");

TaggerModelLoad Refuse(std::string why) { return TaggerModelLoad{nullptr, std::move(why)}; }

}  // namespace

std::string EncodeTaggerModel(const ModelContents& contents) {
  size_t weightCount = 0;
  size_t dictionaryBytes = 0;
  for (const FeatureWeights& feature : contents.features) weightCount += feature.weights.size();
  for (const auto& entry : contents.dictionary) dictionaryBytes += entry.first.size() + 2;
  const size_t featureCount = contents.features.size();
  std::string out(fmt::ImageSize(featureCount, weightCount, dictionaryBytes), '\0');
  std::memcpy(out.data(), fmt::kMagic, 4);
  out[4] = static_cast<char>(fmt::kVersion);
  out[fmt::kTagCountOffset] = static_cast<char>(kTagCount);
  PutU16(out, fmt::kScaleOffset, contents.scale);
  PutU32(out, fmt::kFileSizeOffset, static_cast<uint32_t>(out.size()));
  PutU32(out, fmt::kFeatureCountOffset, static_cast<uint32_t>(featureCount));
  PutU32(out, fmt::kWeightCountOffset, static_cast<uint32_t>(weightCount));
  PutU32(out, fmt::kDictionarySizeOffset, static_cast<uint32_t>(dictionaryBytes));

  size_t hashAt = fmt::kHeaderSize;
  size_t countAt = hashAt + 4 * featureCount;
  size_t tagAt = countAt + featureCount;
  size_t valueAt = tagAt + weightCount;
  for (const FeatureWeights& feature : contents.features) {
    PutU32(out, hashAt, feature.hash);
    hashAt += 4;
    out[countAt++] = static_cast<char>(feature.weights.size());
    for (const auto& [tag, value] : feature.weights) {
      out[tagAt++] = static_cast<char>(tag);
      PutU16(out, valueAt, static_cast<uint16_t>(value));
      valueAt += 2;
    }
  }
  size_t wordAt = valueAt;
  for (const auto& [word, tag] : contents.dictionary) {
    out[wordAt++] = static_cast<char>(word.size());
    std::memcpy(out.data() + wordAt, word.data(), word.size());
    wordAt += word.size();
    out[wordAt++] = static_cast<char>(tag);
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(out.data());
  PutU32(out, fmt::kChecksumOffset,
         fmt::Fnv1a(bytes + fmt::kHeaderSize, out.size() - fmt::kHeaderSize));
  return out;
}

TaggerModelLoad TaggerModel::Decode(std::string_view image) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(image.data());
  if (image.size() < fmt::kHeaderSize) return Refuse("shorter than its header");
  if (std::memcmp(bytes, fmt::kMagic, 4) != 0) return Refuse("not a tagger model");
  if (bytes[4] != fmt::kVersion) return Refuse("an unknown version");
  if (bytes[fmt::kTagCountOffset] != kTagCount) return Refuse("made for another tag set");
  const uint16_t scale = GetU16(bytes + fmt::kScaleOffset);
  const uint32_t fileSize = GetU32(bytes + fmt::kFileSizeOffset);
  const uint64_t featureCount = GetU32(bytes + fmt::kFeatureCountOffset);
  const uint64_t weightCount = GetU32(bytes + fmt::kWeightCountOffset);
  const uint64_t dictionaryBytes = GetU32(bytes + fmt::kDictionarySizeOffset);
  if (scale == 0) return Refuse("a zero weight scale");
  if (fileSize < image.size()) return Refuse("longer than its recorded size");
  if (fileSize > image.size()) return Refuse("shorter than its recorded size");
  if (fmt::ImageSize(featureCount, weightCount, dictionaryBytes) != image.size())
    return Refuse("sizes that do not add up");
  if (weightCount < featureCount || weightCount > featureCount * kTagCount)
    return Refuse("a weight count out of range");
  if (fmt::Fnv1a(bytes + fmt::kHeaderSize, image.size() - fmt::kHeaderSize) !=
      GetU32(bytes + fmt::kChecksumOffset))
    return Refuse("damaged (checksum mismatch)");

  std::shared_ptr<TaggerModel> model(new TaggerModel());
  model->scale_ = scale;
  model->featureCount_ = featureCount;
  const unsigned char* hashes = bytes + fmt::kHeaderSize;
  const unsigned char* counts = hashes + 4 * featureCount;
  const unsigned char* tags = counts + featureCount;
  const unsigned char* values = tags + weightCount;
  const unsigned char* dictionary = values + 2 * weightCount;

  model->slots_.resize(TableSize(featureCount));
  model->slotMask_ = static_cast<uint32_t>(model->slots_.size() - 1);
  while ((size_t{1} << model->slotBits_) < model->slots_.size()) ++model->slotBits_;
  model->weights_.reserve(weightCount);
  uint64_t used = 0;
  uint32_t previousHash = 0;
  for (uint64_t i = 0; i < featureCount; ++i) {
    const uint32_t hash = GetU32(hashes + 4 * i);
    if (i > 0 && hash <= previousHash) return Refuse("feature hashes out of order");
    previousHash = hash;
    const unsigned count = counts[i];
    if (count == 0 || count > kTagCount || used + count > weightCount)
      return Refuse("a feature weight count out of range");
    uint32_t slot = model->SlotOf(hash);
    while (model->slots_[slot].count != 0) slot = (slot + 1) & model->slotMask_;
    FeatureSlot& entry = model->slots_[slot];
    entry.hash = hash;
    entry.count = count;
    entry.offset = static_cast<uint32_t>(model->weights_.size());
    Weight* weight = count <= kWeightsInSlot ? entry.inSlot : nullptr;
    int previousTag = -1;
    for (unsigned k = 0; k < count; ++k, ++used) {
      const int tag = tags[used];
      if (tag >= kTagCount || tag <= previousTag) return Refuse("a weight tag out of range");
      previousTag = tag;
      const Weight decoded{static_cast<uint8_t>(tag), static_cast<int16_t>(GetU16(values + 2 * used))};
      if (weight) {
        *weight++ = decoded;
      } else {
        model->weights_.push_back(decoded);
      }
    }
  }
  if (used != weightCount) return Refuse("weights left over");

  size_t at = 0;
  std::string_view previousWord;
  while (at < dictionaryBytes) {
    const size_t length = dictionary[at];
    if (length == 0 || length > fmt::kMaxDictionaryWord || at + 1 + length + 1 > dictionaryBytes)
      return Refuse("a dictionary word out of range");
    const std::string_view word(reinterpret_cast<const char*>(dictionary + at + 1), length);
    const int tag = dictionary[at + 1 + length];
    if (tag >= kTagCount) return Refuse("a dictionary tag out of range");
    if (!model->wordTags_.empty() && word <= previousWord) return Refuse("dictionary words out of order");
    previousWord = word;
    model->wordStarts_.push_back(static_cast<uint32_t>(model->wordBytes_.size()));
    model->wordBytes_.append(word);
    model->wordTags_.push_back(static_cast<Tag>(tag));
    at += length + 2;
  }
  model->wordStarts_.push_back(static_cast<uint32_t>(model->wordBytes_.size()));

  model->wordSlots_.assign(TableSize(model->wordTags_.size()), 0);
  model->wordSlotMask_ = static_cast<uint32_t>(model->wordSlots_.size() - 1);
  for (uint32_t i = 0; i < model->wordTags_.size(); ++i) {
    const std::string_view word(model->wordBytes_.data() + model->wordStarts_[i],
                                model->wordStarts_[i + 1] - model->wordStarts_[i]);
    uint32_t slot = WordHash(word) & model->wordSlotMask_;
    while (model->wordSlots_[slot] != 0) slot = (slot + 1) & model->wordSlotMask_;
    model->wordSlots_[slot] = i + 1;
  }
  return TaggerModelLoad{std::move(model), {}};
}

TaggerModelLoad TaggerModel::Load(const std::string& path) {
  std::string image;
  const int status = ReadWholeFile(path, image, static_cast<int64_t>(fmt::kMaxFileSize));
  if (status != 0) {
    return Refuse(path + ": cannot be read (" +
                  (status == EFBIG ? std::string("too large") : std::strerror(status)) + ")");
  }
  TaggerModelLoad load = Decode(image);
  if (!load.model) load.error = path + ": " + load.error;
  return load;
}

std::optional<Tag> TaggerModel::DictionaryTag(std::string_view normalisedWord) const {
  for (uint32_t slot = WordHash(normalisedWord) & wordSlotMask_;; slot = (slot + 1) & wordSlotMask_) {
    const uint32_t entry = wordSlots_[slot];
    if (entry == 0) return std::nullopt;
    const uint32_t start = wordStarts_[entry - 1];
    if (std::string_view(wordBytes_.data() + start, wordStarts_[entry] - start) == normalisedWord)
      return wordTags_[entry - 1];
  }
}

}  // namespace lexiscoop::tagging
