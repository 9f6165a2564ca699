#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lexiscoop::tagging {

// The part-of-speech tags the tagger gives. A reduced set that keeps what a
// reading needs apart: the verb forms, noun number, adjectives and their
// degrees, adverbs and the closed classes. VB is the base form in every use
// (infinitive, imperative and the present tense other than the third person
// singular: the training corpus does not tell these apart). The numbers are
// stored in the model file: append new tags, never renumber.
enum class Tag : uint8_t {
  kPunct,  // punctuation
  kNN,     // singular or mass noun
  kNNS,    // plural noun
  kNP,     // proper noun
  kVB,     // verb, base form
  kVBD,    // verb, past tense
  kVBG,    // verb, -ing form
  kVBN,    // verb, past participle
  kVBZ,    // verb, 3rd person singular present
  kMD,     // modal
  kJJ,     // adjective (also ordinals and many, few, other)
  kJJR,    // adjective, comparative
  kJJS,    // adjective, superlative
  kRB,     // adverb, qualifier, negation
  kRP,     // particle
  kIN,     // preposition or subordinating conjunction
  kCC,     // coordinating conjunction
  kDT,     // determiner or article
  kPRP,    // personal pronoun
  kPRPS,   // possessive pronoun
  kWH,     // wh-word
  kCD,     // cardinal number
  kTO,     // infinitive to
  kEX,     // existential there
  kUH,     // interjection
  kFW,     // foreign word
};

inline constexpr int kTagCount = 26;

// The tag's short name ("NN", "VBZ", "." for punctuation).
std::string_view TagName(Tag tag);

// The tag whose short name is `name`; nullopt for none.
std::optional<Tag> TagNamed(std::string_view name);

// The verb tags, the noun tags (NN, NNS, NP) and the adjective tags.
bool IsVerbTag(Tag tag);
bool IsNounTag(Tag tag);
bool IsAdjectiveTag(Tag tag);

}  // namespace lexiscoop::tagging
