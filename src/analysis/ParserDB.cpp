#include "analysis/ParserDB.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "analysis/henkanJ.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

constexpr bool IsLatinLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Zeroed bytes after the window, so that a 16-byte load at any position up to
// the terminator stays inside the allocation.
constexpr size_t kPadding = 16;

#if defined(__SSE2__)
// 0xFF in the bytes of `v` that are Latin letters.
inline __m128i LetterBytes(__m128i v) {
  const __m128i letter = _mm_sub_epi8(_mm_or_si128(v, _mm_set1_epi8(0x20)), _mm_set1_epi8('a'));
  return _mm_cmpeq_epi8(_mm_min_epu8(letter, _mm_set1_epi8(25)), letter);
}

// Bit i is set when byte i of the 16 bytes at `p` is in WordCharSet.
inline unsigned WordCharMask(const char* p) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i isLetter = LetterBytes(v);
  const __m128i digit = _mm_sub_epi8(v, _mm_set1_epi8('0'));
  const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(digit, _mm_set1_epi8(9)), digit);
  const __m128i isMark = _mm_or_si128(
      _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\'')), _mm_cmpeq_epi8(v, _mm_set1_epi8('-'))),
      _mm_cmpeq_epi8(v, _mm_set1_epi8('_')));
  return static_cast<unsigned>(
      _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(isLetter, isDigit), isMark)));
}

// Bit i is set when byte i of the 16 bytes at `p` may need more than a step
// over it on the way to the next word: a letter, a line feed, a zero byte or
// a byte of 0x80 and above.
inline unsigned CandidateMask(const char* p) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i special = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_setzero_si128()),
                                       _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(LetterBytes(v), special)) |
                               _mm_movemask_epi8(v));
}
#else
// The single bytes that are stepped over on the way to the next word.
constexpr std::array<bool, 256> kSkippable = [] {
  std::array<bool, 256> set{};
  for (int c = 1; c < 0x80; ++c) {
    set[c] = c != '\n' && !((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
  }
  return set;
}();
#endif

std::string ParserErrorMessage(const std::string& reason, int64_t line) {
  static const Cp932Text kOnLine{" 行で"};
  return std::to_string(line) + kOnLine.str() + reason;
}

}  // namespace

EParserError::EParserError(const std::string& reason, int64_t line)
    : std::runtime_error(ParserErrorMessage(reason, line)), line_(line) {}

void TByteStream::SetPosition(int64_t position) {
  position_ = static_cast<size_t>(std::clamp<int64_t>(position, 0, Size()));
}

size_t TByteStream::Read(char* dest, size_t count) {
  const size_t n = std::min(count, bytes_.size() - position_);
  std::memcpy(dest, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

TParserDB::TParserDB(TByteStream& source)
    : source_(source), buffer_(new char[kBufferSize + kPadding]()) {
  Reset();
  ScanWord();
}

TParserDB::~TParserDB() = default;

void TParserDB::Reset() {
  char* const buffer = buffer_.get();
  buffer[0] = 0;
  fillEnd_ = cursor_ = cutPoint_ = wordStart_ = buffer;
  bufferEnd_ = buffer + kBufferSize;
  line_ = 1;
  savedByte_ = 0;
  kind_ = 0;
  wordHasLead_ = false;
  failed_ = false;
}

void TParserDB::SkipSpace() {
  for (;;) {
    const auto b = static_cast<unsigned char>(*cursor_);
    if (b >= 0x21) return;  // lead bytes included
    if (b == 0) {
      Refill();
      if (*cursor_ == 0) return;
      continue;
    }
    if (b == '\n') ++line_;
    ++cursor_;
  }
}

void TParserDB::Refill() {
  if (failed_) return;
  char* const buffer = buffer_.get();
  *cutPoint_ = static_cast<char>(savedByte_);
  const size_t rest = static_cast<size_t>(fillEnd_ - cursor_);
  if (rest != 0) std::memmove(buffer, cursor_, rest);
  fillEnd_ = buffer + rest;
  fillEnd_ += source_.Read(fillEnd_, static_cast<size_t>(bufferEnd_ - fillEnd_));
  cursor_ = buffer;
  cutPoint_ = fillEnd_;
  if (fillEnd_ == bufferEnd_) {
    // Positions 1 to kBufferSize - 2 are examined, neither the first nor the last.
    const void* lineFeed = memrchr(buffer + 1, '\n', kBufferSize - 2);
    if (lineFeed == nullptr) {
      EndAfterFailure();
      static const Cp932Text kLineTooLong{"行が長すぎます"};
      Fail(kLineTooLong);
    }
    cutPoint_ = static_cast<char*>(const_cast<void*>(lineFeed)) + 1;
  }
  savedByte_ = static_cast<unsigned char>(*cutPoint_);
  *cutPoint_ = 0;
}

void TParserDB::EndAfterFailure() {
  char* const buffer = buffer_.get();
  buffer[0] = 0;
  fillEnd_ = cursor_ = cutPoint_ = wordStart_ = buffer;
  savedByte_ = 0;
  kind_ = 0;
  wordHasLead_ = false;
  failed_ = true;
}

void TParserDB::Fail(const std::string& reason) const { throw EParserError(reason, line_); }

char* TParserDB::SkipToCandidate(char* p) {
#if defined(__SSE2__)
  for (;;) {
    const unsigned stops = CandidateMask(p);
    if (stops != 0) return p + __builtin_ctz(stops);
    p += 16;  // no terminator among them: it is a stop
  }
#else
  while (kSkippable[static_cast<unsigned char>(*p)]) ++p;
  return p;
#endif
}

void TParserDB::StartWord(char* p, int firstLength, bool hasLead) {
  wordStart_ = p;
  wordHasLead_ = hasLead;
  cursor_ = WordEnd(p + firstLength);
  kind_ = 1;
}

char* TParserDB::WordEnd(char* p) {
  for (;;) {
#if defined(__SSE2__)
    // Sixteen bytes at a time: none of them can be the terminator unless
    // one is outside WordCharSet.
    const unsigned outside = ~WordCharMask(p) & 0xFFFFu;
    if (outside == 0) {
      p += 16;
      continue;
    }
    p += __builtin_ctz(outside);
#else
    while (WordCharSet[static_cast<unsigned char>(*p)]) ++p;
#endif
    // `p` is at the first byte outside WordCharSet: the end, unless it leads
    // a double-byte character that folds into the set.
    if (!IsLeadByte(static_cast<unsigned char>(*p))) return p;
    if (!WordCharSet[ReadFoldedChar(p).byte]) return p;
    wordHasLead_ = true;
    p += 2;
  }
}

void TParserDB::ScanWord() {
  char* p = cursor_;
  for (;;) {
    p = SkipToCandidate(p);
    const auto b = static_cast<unsigned char>(*p);
    if (IsLatinLetter(b)) {
      StartWord(p, 1, false);
      return;
    }
    if (b == '\n') {
      ++line_;
      ++p;
      continue;
    }
    if (b == 0) {
      // The terminator, or a zero byte of the text.
      cursor_ = p;
      SkipSpace();
      p = cursor_;
      if (*p == 0) {
        wordStart_ = p;
        wordHasLead_ = false;
        kind_ = 0;
        return;
      }
      continue;
    }
    if (!IsLeadByte(b)) {
      ++p;
      continue;
    }
    const FoldedChar folded = ReadFoldedChar(p);
    if (IsLatinLetter(folded.byte)) {
      StartWord(p, 2, true);
      return;
    }
    // A lead byte just before the terminator: the text ends with it.
    if (p + 1 == cutPoint_) {
      cursor_ = wordStart_ = p;
      wordHasLead_ = false;
      kind_ = 0;
      return;
    }
    p += 2;
  }
}

std::string TParserDB::WordText() const {
  std::string word;
  WordTextInto(word);
  return word;
}

void TParserDB::WordTextInto(std::string& out) const {
  const std::string_view raw(wordStart_, static_cast<size_t>(cursor_ - wordStart_));
  if (!wordHasLead_) {
    out.assign(raw);
    return;
  }
  out.clear();
  AppendHalfWidth(raw, out);
}

}  // namespace lexiscoop
