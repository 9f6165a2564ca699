#include "tagging/Tagger.h"

#include <algorithm>

#include "tagging/TaggerFeatures.h"

namespace lexiscoop::tagging {

Tagger::Tagger(std::shared_ptr<const TaggerModel> model) : model_(std::move(model)) {}

Tag Tagger::Predict(const TaggerModel& model, const uint32_t* features, int featureCount) {
  // The features' slots, and the weights of those that hold many, lie far
  // apart in the model: asking for all of them before adding any lets the
  // loads overlap.
  for (int f = 0; f < featureCount; ++f) model.Prefetch(features[f]);
  std::span<const TaggerModel::Weight> weights[kFeatureCount];
  const int looked = std::min(featureCount, kFeatureCount);
  for (int f = 0; f < looked; ++f) {
    weights[f] = model.WeightsOf(features[f]);
    __builtin_prefetch(weights[f].data());
  }
  int32_t scores[kTagCount] = {};
  for (int f = 0; f < featureCount; ++f) {
    for (const TaggerModel::Weight& weight : f < looked ? weights[f] : model.WeightsOf(features[f])) {
      scores[weight.tag] += weight.value;
    }
  }
  int best = 0;
  for (int t = 1; t < kTagCount; ++t) {
    if (scores[t] > scores[best]) best = t;
  }
  return static_cast<Tag>(best);
}

const std::vector<Tag>& Tagger::TagSentence(std::span<const std::string_view> tokens) {
  TagTokens(tokens, tokens.size());
  return tags_;
}

Tag Tagger::TagThrough(std::span<const std::string_view> tokens, size_t index, bool predictLast) {
  if (index >= tokens.size()) return Tag::kPunct;
  TagTokens(tokens, index + 1, predictLast);
  return tags_[index];
}

void Tagger::TagTokens(std::span<const std::string_view> tokens, size_t count, bool predictLast) {
  normalised_.resize(tokens.size());
  for (size_t i = 0; i < tokens.size(); ++i) normalised_[i] = NormaliseForTagger(tokens[i]);
  tags_.assign(tokens.size(), Tag::kPunct);
  const TaggerContext context{std::span<const std::string>(normalised_), tokens};
  uint8_t previous = kStartTag, previous2 = kStartTag2;
  uint32_t features[kFeatureCount];
  for (size_t i = 0; i < count; ++i) {
    const bool predict = predictLast && i + 1 == count;
    if (const auto known = predict ? std::nullopt : model_->DictionaryTag(normalised_[i])) {
      tags_[i] = *known;
    } else {
      TokenFeatures(context, i, previous, previous2, features);
      tags_[i] = Predict(*model_, features, kFeatureCount);
    }
    previous2 = previous;
    previous = static_cast<uint8_t>(tags_[i]);
  }
}

}  // namespace lexiscoop::tagging
