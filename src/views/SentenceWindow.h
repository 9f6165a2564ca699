#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace lexiscoop {

// No token of a window starts where the scanner's word does.
inline constexpr size_t kNoToken = static_cast<size_t>(-1);

// The tokens (words and punctuation marks) of the sentence around the word
// the scanner found at `offset` of `text` (CP932), from two words before it,
// or the sentence's start, to two tokens after it, into `tokens`. A full
// stop, question or exclamation mark, a blank line or Japanese text ends a
// sentence. Returns the index of the occurrence's token, or kNoToken when
// no token starts where the scanner's word does (a word the scanner
// delimits otherwise).
size_t WindowAround(std::string_view text, size_t offset, std::vector<std::string_view>& tokens);

// The window's tokens and the occurrence's place in it, as one 64-bit key:
// equal windows get equal tags, the tagger seeing nothing outside the
// window, and two windows of a text sharing a key is as good as impossible.
uint64_t WindowKey(std::span<const std::string_view> tokens, size_t hit);

}  // namespace lexiscoop
