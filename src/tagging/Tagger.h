#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tagging/TagSet.h"
#include "tagging/TaggerModel.h"

namespace lexiscoop::tagging {

// Tags sentences left to right with an averaged-perceptron model, each tag
// chosen greedily from the word, its affixes and shape, the words around it
// and the two tags before it. Keeps scratch buffers: one Tagger per thread,
// any number of them over one shared model.
class Tagger {
 public:
  explicit Tagger(std::shared_ptr<const TaggerModel> model);

  // The tags of one sentence's tokens (words and punctuation marks, as the
  // tokeniser splits them), one per token.
  const std::vector<Tag>& TagSentence(std::span<const std::string_view> tokens);
  // The tag of token `index` of `tokens`, tagging only tokens 0..index (the
  // tokens after it still count as its following words): the same tag as
  // TagSentence(tokens)[index]. With `predictLast`, token `index` is tagged
  // by the weights even when the tag dictionary holds it.
  Tag TagThrough(std::span<const std::string_view> tokens, size_t index, bool predictLast = false);

  // The tag the model's weights score highest for a token's features (the
  // lowest tag of equal scores); the tag dictionary is not consulted.
  static Tag Predict(const TaggerModel& model, const uint32_t* features, int featureCount);

 private:
  // Tags the first `count` tokens of `tokens` into tags_.
  void TagTokens(std::span<const std::string_view> tokens, size_t count, bool predictLast = false);

  std::shared_ptr<const TaggerModel> model_;
  std::vector<std::string> normalised_;
  std::vector<Tag> tags_;
};

}  // namespace lexiscoop::tagging
