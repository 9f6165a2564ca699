#include "analysis/henkanJ.h"

#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;
constexpr unsigned char kFirstHalfWidthKana = 0xA6;

// Every full-width punctuation character has the lead byte 0x81; this maps its
// trail byte to 1 + its index in FullWidthPunctuation (0 when absent).
constexpr std::array<unsigned char, 256> kPunctuationByTrail = [] {
  std::array<unsigned char, 256> table{};
  for (size_t k = 0; k < FullWidthPunctuation.size(); ++k) {
    table[FullWidthPunctuation[k] & 0xFF] = static_cast<unsigned char>(k + 1);
  }
  return table;
}();

constexpr bool AllPunctuationLeadsAre0x81() {
  for (uint16_t code : FullWidthPunctuation) {
    if ((code >> 8) != 0x81) return false;
  }
  return true;
}
static_assert(AllPunctuationLeadsAre0x81());
static_assert(KanaFoldTable[85] == 19 && KanaFoldTable[84] == 16);

// The fold of one double-byte character: one to two bytes.
struct FoldedPair {
  unsigned char bytes[2];
  int count;
};

FoldedPair FoldPair(unsigned char lead, unsigned char trail) {
  if (lead == 0x81 && trail == 0x5D) trail = 0x7C;  // the hyphen U+2010 reads as the minus
  const uint16_t jis = SjisToJis(static_cast<uint16_t>(lead << 8 | trail));
  const unsigned row = jis >> 8;
  const unsigned cell = jis & 0xFF;
  if ((row == 0x24 || row == 0x25) && cell >= 0x21 && cell <= 0x76) {
    const unsigned v = KanaFoldTable[cell - 0x21];
    const auto kana = static_cast<unsigned char>(kFirstHalfWidthKana + v % 56);
    switch (v / 56) {
      case 1: return {{kana, kVoicedMark}, 2};
      case 2: return {{kana, kSemiVoicedMark}, 2};
      default: return {{kana, 0}, 1};
    }
  }
  if (lead == 0x81 && kPunctuationByTrail[trail] != 0) {
    return {{HalfWidthPunctuation[kPunctuationByTrail[trail] - 1u], 0}, 1};
  }
  if (row == 0x23) return {{static_cast<unsigned char>(cell), 0}, 1};
  return {{lead, trail}, 2};
}

}  // namespace

uint16_t SjisToJis(uint16_t code) {
  const unsigned s1 = code >> 8;
  const unsigned s2 = code & 0xFF;
  const unsigned high = (2 * s1) & 0xFF;
  unsigned low = (s2 - 0x1F) & 0xFF;
  if (low < 0x80) low = (low < 0x61 ? low - 0x21 : low - 0x22) & 0xFF;
  return static_cast<uint16_t>(((high * 256 + low + 0x1FA1) & 0xFFFF) & 0x7F7F);
}

void AppendHalfWidth(std::string_view text, std::string& out) {
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (!IsLeadByte(b0) || i + 1 == n) {
      out.push_back(static_cast<char>(b0));
      ++i;
      continue;
    }
    const FoldedPair folded = FoldPair(b0, static_cast<unsigned char>(text[i + 1]));
    out.append(reinterpret_cast<const char*>(folded.bytes), static_cast<size_t>(folded.count));
    i += 2;
  }
}

std::string ToHalfWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendHalfWidth(text, out);
  return out;
}

FoldedChar ReadFoldedChar(const char* p) {
  const auto b = static_cast<unsigned char>(p[0]);
  if (!IsLeadByte(b)) return {b, 1};
  const auto next = static_cast<unsigned char>(p[1]);
  if (next == 0) return {0, 2};
  return {FoldPair(b, next).bytes[0], 2};
}

}  // namespace lexiscoop
