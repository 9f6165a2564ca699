// The shipped tagger model on held-out corpus text, and the model file's
// decoder on made-up and damaged images.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tagging/TagSet.h"
#include "tagging/Tagger.h"
#include "tagging/TaggerFormat.h"
#include "tagging/TaggerModel.h"

namespace lexiscoop::tagging {
namespace {

const std::string kModelPath = std::string(LEXISCOOP_SHIPPED_DATA_DIR) + "/LxTagger.dat";

std::shared_ptr<const TaggerModel> ShippedModel() {
  static const TaggerModelLoad load = TaggerModel::Load(kModelPath);
  return load.model;
}

std::vector<std::string_view> Tokens(const std::string& sentence, std::vector<std::string>& words) {
  std::istringstream in(sentence);
  words.clear();
  for (std::string word; in >> word;) words.push_back(word);
  return {words.begin(), words.end()};
}

// Sentences of corpus files the model never saw, with their tags as the
// corpus gives them.
TEST(ShippedTaggerTest, TagsHeldOutCorpusTextAtLeast96PercentRight) {
  ASSERT_TRUE(ShippedModel()) << TaggerModel::Load(kModelPath).error;
  std::ifstream slice(std::string(LEXISCOOP_TEST_DATA_DIR) + "/tagger_slice.txt");
  ASSERT_TRUE(slice);
  Tagger tagger(ShippedModel());
  size_t right = 0, total = 0;
  for (std::string line; std::getline(slice, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> tokens = {};
    std::vector<std::string_view> words;
    std::vector<Tag> expected;
    std::istringstream in(line);
    for (std::string token; in >> token;) tokens.push_back(token);
    for (const std::string& token : tokens) {
      const size_t slash = token.rfind('/');
      ASSERT_NE(slash, std::string::npos) << token;
      const auto tag = TagNamed(std::string_view(token).substr(slash + 1));
      ASSERT_TRUE(tag) << token;
      words.push_back(std::string_view(token).substr(0, slash));
      expected.push_back(*tag);
    }
    const std::vector<Tag>& tags = tagger.TagSentence(words);
    for (size_t i = 0; i < tags.size(); ++i) right += tags[i] == expected[i];
    total += tags.size();
  }
  EXPECT_GT(total, 8000u);
  EXPECT_GE(static_cast<double>(right), 0.96 * static_cast<double>(total))
      << right << " of " << total << " tokens";
}

// The spellings a reader tells apart by context: the tag, or for a word
// that is no verb there, any of the tags that say so.
TEST(ShippedTaggerTest, TellsVerbFormsFromNounsInContext) {
  ASSERT_TRUE(ShippedModel());
  struct Row {
    const char* sentence;
    size_t index;
    std::vector<Tag> accepted;
  };
  const Row rows[] = {
      {"My friend lives in China .", 2, {Tag::kVBZ}},
      {"Many lives were lost in the war .", 1, {Tag::kNNS}},
      {"She found a company in 1990 .", 1, {Tag::kVBD}},
      {"They plan to found a new school .", 3, {Tag::kVB}},
      {"He leaves at six .", 1, {Tag::kVBZ}},
      {"The leaves fall in autumn .", 1, {Tag::kNNS}},
      {"Close the door .", 0, {Tag::kVB}},
      {"The station is close to the park .", 3, {Tag::kJJ, Tag::kRB}},
      {"I saw a bird .", 1, {Tag::kVBD}},
      {"He cut the wood with a saw .", 6, {Tag::kNN}},
      {"She has left the room .", 2, {Tag::kVBN}},
      {"Turn left at the corner .", 1, {Tag::kRB, Tag::kNN, Tag::kJJ}},
  };
  Tagger tagger(ShippedModel());
  std::vector<std::string> words;
  for (const Row& row : rows) {
    const Tag tag = tagger.TagSentence(Tokens(row.sentence, words)).at(row.index);
    EXPECT_NE(std::find(row.accepted.begin(), row.accepted.end(), tag), row.accepted.end())
        << row.sentence << ": " << TagName(tag);
  }
}

ModelContents SmallModel() {
  ModelContents contents;
  contents.scale = 64;
  contents.features = {{7, {{Tag::kNN, 5}, {Tag::kVB, -3}}}, {90, {{Tag::kFW, 1}}}};
  contents.dictionary = {{"of", Tag::kIN}, {"the", Tag::kDT}};
  return contents;
}

void Refix(std::string& image) {  // a valid checksum over damaged contents
  namespace fmt = model_format;
  const auto* bytes = reinterpret_cast<const unsigned char*>(image.data());
  const uint32_t sum = fmt::Fnv1a(bytes + fmt::kHeaderSize, image.size() - fmt::kHeaderSize);
  for (int i = 0; i < 4; ++i) image[fmt::kChecksumOffset + i] = static_cast<char>(sum >> (8 * i));
}

TEST(TaggerModelTest, DecodesWhatItEncodes) {
  const TaggerModelLoad load = TaggerModel::Decode(EncodeTaggerModel(SmallModel()));
  ASSERT_TRUE(load.model) << load.error;
  const auto weights = load.model->WeightsOf(7);
  ASSERT_EQ(weights.size(), 2u);
  EXPECT_EQ(weights[0].tag, static_cast<uint8_t>(Tag::kNN));
  EXPECT_EQ(weights[1].value, -3);
  EXPECT_TRUE(load.model->WeightsOf(8).empty());
  EXPECT_EQ(load.model->DictionaryTag("the"), Tag::kDT);
  EXPECT_FALSE(load.model->DictionaryTag("th"));
}

// Random models, their hashes bunched and reaching both ends of the range
// (the slot table wraps there), 1 to kTagCount weights a feature: every
// feature gives back its own weights, every dictionary word its tag, and
// what the model lacks nothing.
TEST(TaggerModelTest, EveryFeatureAndWordOfARandomModelIsFoundAgain) {
  std::mt19937 random(27);
  for (int round = 0; round < 20; ++round) {
    ModelContents contents;
    std::set<uint32_t> hashes = {0, 1, 0xFFFFFFFFu, 0xFFFFFFFEu};
    const uint32_t bunch = static_cast<uint32_t>(random());
    while (hashes.size() < 50 + static_cast<size_t>(round) * 40) {
      hashes.insert(round % 2 ? bunch + static_cast<uint32_t>(random() % 4000) : static_cast<uint32_t>(random()));
    }
    for (const uint32_t hash : hashes) {
      FeatureWeights feature{hash, {}};
      for (int t = 0; t < kTagCount; ++t) {
        if (random() % 4 == 0 || (t + 1 == kTagCount && feature.weights.empty()))
          feature.weights.emplace_back(static_cast<Tag>(t), static_cast<int16_t>(random() % 2001 - 1000));
      }
      contents.features.push_back(std::move(feature));
    }
    for (int w = 0; w < 30 + round * 10; ++w) {
      std::string word(1, 'w');
      word += std::to_string(w);
      contents.dictionary.emplace_back(std::move(word), static_cast<Tag>(w % kTagCount));
    }
    std::sort(contents.dictionary.begin(), contents.dictionary.end());
    const TaggerModelLoad load = TaggerModel::Decode(EncodeTaggerModel(contents));
    ASSERT_TRUE(load.model) << load.error;
    for (const FeatureWeights& feature : contents.features) {
      const auto weights = load.model->WeightsOf(feature.hash);
      ASSERT_EQ(weights.size(), feature.weights.size()) << feature.hash;
      for (size_t k = 0; k < weights.size(); ++k) {
        EXPECT_EQ(weights[k].tag, static_cast<uint8_t>(feature.weights[k].first));
        EXPECT_EQ(weights[k].value, feature.weights[k].second);
      }
      if (!hashes.contains(feature.hash + 1)) {
        EXPECT_TRUE(load.model->WeightsOf(feature.hash + 1).empty());
      }
    }
    for (const auto& [word, tag] : contents.dictionary) EXPECT_EQ(load.model->DictionaryTag(word), tag) << word;
    EXPECT_FALSE(load.model->DictionaryTag("w"));
    EXPECT_FALSE(load.model->DictionaryTag("w1x"));
  }
}

TEST(TaggerModelTest, RefusesEveryCutDamagedOrOutOfRangeImage) {
  const std::string good = EncodeTaggerModel(SmallModel());
  for (size_t size = 0; size < good.size(); ++size) {
    EXPECT_FALSE(TaggerModel::Decode(good.substr(0, size)).model) << "cut to " << size;
  }
  EXPECT_EQ(TaggerModel::Decode(good + '\0').error, "longer than its recorded size");
  for (size_t at = model_format::kHeaderSize; at < good.size(); ++at) {
    std::string flipped = good;
    flipped[at] ^= 0x10;
    EXPECT_EQ(TaggerModel::Decode(flipped).error, "damaged (checksum mismatch)") << at;
  }
  // Contents out of range behind a checksum that matches them.
  const size_t counts = model_format::kHeaderSize + 2 * 4, tags = counts + 2;
  const struct {
    size_t at;
    char value;
    const char* error;
  } bad[] = {
      {model_format::kHeaderSize, 100, "feature hashes out of order"},
      {counts, 0, "a feature weight count out of range"},
      {counts, 27, "a feature weight count out of range"},
      {tags, 26, "a weight tag out of range"},
      {tags + 1, 0, "a weight tag out of range"},
      {tags + 3 + 6, 0, "a dictionary word out of range"},
      {tags + 3 + 6, 70, "a dictionary word out of range"},
      {tags + 3 + 6 + 3, 30, "a dictionary tag out of range"},
      {tags + 3 + 6 + 5, 'a', "dictionary words out of order"},
      {model_format::kTagCountOffset, 25, "made for another tag set"},
  };
  for (const auto& row : bad) {
    std::string image = good;
    image[row.at] = row.value;
    Refix(image);
    EXPECT_EQ(TaggerModel::Decode(image).error, row.error) << row.at;
  }
}

TEST(TaggerModelTest, LoadNamesTheFileItCannotUse) {
  const TaggerModelLoad missing = TaggerModel::Load("/nonexistent/LxTagger.dat");
  EXPECT_FALSE(missing.model);
  EXPECT_NE(missing.error.find("/nonexistent/LxTagger.dat"), std::string::npos) << missing.error;
}

}  // namespace
}  // namespace lexiscoop::tagging
