#include "analysis/ParserDB.h"

#include <algorithm>
#include <cstring>

#include "analysis/ByteClasses.h"
#include "analysis/henkanJ.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

constexpr bool IsLatinLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Zeroed bytes after the window, so that classifying the bytes at any
// position up to the terminator stays inside the allocation.
constexpr size_t kPadding = kClassifiedBytes;

// bits >> shift, 0 once the shift reaches the width.
constexpr uint64_t BitsFrom(uint64_t bits, unsigned shift) { return shift < 64 ? bits >> shift : 0; }

}  // namespace

void TByteStream::SetPosition(int64_t position) {
  position_ = static_cast<size_t>(std::clamp<int64_t>(position, 0, Size()));
}

size_t TByteStream::Read(char* dest, size_t count) {
  const size_t n = std::min(count, bytes_.size() - position_);
  std::memcpy(dest, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

TParserDB::TParserDB(TByteStream& source) : source_(source) {
  Reset();
  ScanWord();
}

void TParserDB::AllocateWindow(size_t size) {
  buffer_.reset(new char[size + kPadding]());
  bufferEnd_ = buffer_.get() + size;
}

TParserDB::~TParserDB() = default;

void TParserDB::Reset() {
  if (!buffer_ || WindowSize() != kBufferSize) AllocateWindow(kBufferSize);
  char* const buffer = buffer_.get();
  buffer[0] = 0;
  fillEnd_ = cursor_ = cutPoint_ = wordStart_ = buffer;
  line_ = 1;
  savedByte_ = 0;
  kind_ = 0;
  wordHasLead_ = false;
  block_ = nullptr;
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
  block_ = nullptr;
  *cutPoint_ = static_cast<char>(savedByte_);
  const size_t rest = static_cast<size_t>(fillEnd_ - cursor_);
  if (rest != 0) std::memmove(buffer_.get(), cursor_, rest);
  fillEnd_ = buffer_.get() + rest;
  cursor_ = buffer_.get();
  for (;;) {
    fillEnd_ += source_.Read(fillEnd_, static_cast<size_t>(bufferEnd_ - fillEnd_));
    cutPoint_ = fillEnd_;
    if (fillEnd_ != bufferEnd_) break;  // the source is read to its end
    if (char* const cut = CutPointOfFullWindow()) {
      cutPoint_ = cut;
      break;
    }
    GrowWindow();
  }
  savedByte_ = static_cast<unsigned char>(*cutPoint_);
  *cutPoint_ = 0;
}

char* TParserDB::CutPointOfFullWindow() const {
  char* const buffer = buffer_.get();
  const size_t size = WindowSize();
  // Positions 1 to size - 2 are examined, neither the first nor the last.
  if (auto* lineFeed = static_cast<char*>(memrchr(buffer + 1, '\n', size - 2))) return lineFeed + 1;
  // A line longer than the window: the cut goes after the last character
  // that cannot be part of a word, and stays before the last byte, as the
  // line feed's does. The window starts a character.
  char* const limit = bufferEnd_ - 1;
  if (char* cut = LastCutBefore(limit)) return cut;
  // No blank or punctuation to go by: step through the characters.
  char* cut = nullptr;
  char* p = buffer;
  while (p < limit) {
    const auto b = static_cast<unsigned char>(*p);
    if (IsLeadByte(b)) {
      if (p + 2 > limit) break;
      if (!WordCharSet[ReadFoldedChar(p).byte]) cut = p + 2;
      p += 2;
    } else {
      if (!WordCharSet[b]) cut = p + 1;
      ++p;
    }
  }
  return cut;
}

char* TParserDB::LastCutBefore(char* limit) const {
  char* const buffer = buffer_.get();
  // A byte outside the lead-byte ranges always ends the character it
  // belongs to, and the window's start starts one; so a run of lead-range
  // bytes after either pairs up from its start, and a byte after such a run
  // of odd length is the trail of a pair.
  for (char* q = limit - 1; q >= buffer; --q) {
    const auto b = static_cast<unsigned char>(*q);
    if (IsLeadByte(b) || WordCharSet[b]) continue;
    char* runStart = q;
    while (runStart > buffer && IsLeadByte(static_cast<unsigned char>(runStart[-1]))) --runStart;
    if ((q - runStart) % 2 == 0) return q + 1;  // a character of its own, not a word's
    if (!WordCharSet[ReadFoldedChar(q - 1).byte]) return q + 1;  // a pair outside words
  }
  return nullptr;
}

void TParserDB::GrowWindow() {
  const std::unique_ptr<char[]> old = std::move(buffer_);
  const size_t filled = static_cast<size_t>(fillEnd_ - old.get());
  AllocateWindow(2 * static_cast<size_t>(bufferEnd_ - old.get()));
  std::memcpy(buffer_.get(), old.get(), filled);
  fillEnd_ = buffer_.get() + filled;
  cursor_ = wordStart_ = buffer_.get();
}

bool TParserDB::InBlock(const char* p) const {
  return reinterpret_cast<uintptr_t>(p) - reinterpret_cast<uintptr_t>(block_) <
         static_cast<uintptr_t>(kClassifiedBytes);
}

void TParserDB::ClassifyBlockAt(char* p) {
  const ByteClasses classes = ClassifyBytes(p);
  block_ = p;
  wordBits_ = classes.word;
  stopBits_ = classes.letter | classes.special;
  specialBits_ = classes.special;
}

char* TParserDB::WordEnd(char* p) {
  for (;;) {
    // 64 bytes at a time: the terminator is among them unless all are word bytes.
    const uint64_t outside = ~ClassifyBytes(p).word;
    if (outside == 0) {
      p += kClassifiedBytes;
      continue;
    }
    p += __builtin_ctzll(outside);
    // The first byte outside WordCharSet ends the word, unless it leads a
    // double-byte character that folds into the set.
    if (!IsLeadByte(static_cast<unsigned char>(*p))) return p;
    if (!WordCharSet[ReadFoldedChar(p).byte]) return p;
    wordHasLead_ = true;
    p += 2;
  }
}

void TParserDB::ScanWord() {
  // The bytes are classified a block at a time; bits of the block's masks
  // then find the next word and its end. Line feeds, zero bytes and bytes
  // of 0x80 and above are handled one by one.
  char* p = cursor_;
  for (;;) {
    if (!InBlock(p)) ClassifyBlockAt(p);
    unsigned offset = static_cast<unsigned>(p - block_);
    const uint64_t stops = stopBits_ >> offset;
    if (stops == 0) {
      p = block_ + kClassifiedBytes;  // no terminator in between
      continue;
    }
    offset += static_cast<unsigned>(__builtin_ctzll(stops));
    p = block_ + offset;
    if (((specialBits_ >> offset) & 1) == 0) {
      // A letter: the word runs to the first byte outside WordCharSet.
      wordStart_ = p;
      wordHasLead_ = false;
      unsigned from = offset + 1;
      uint64_t outside;
      while ((outside = BitsFrom(~wordBits_, from)) == 0) {
        ClassifyBlockAt(block_ + kClassifiedBytes);
        from = 0;
      }
      const unsigned endOffset = from + static_cast<unsigned>(__builtin_ctzll(outside));
      char* end = block_ + endOffset;
      // Only a special byte can lead a double-byte character.
      if (((specialBits_ >> endOffset) & 1) != 0 && IsLeadByte(static_cast<unsigned char>(*end))) {
        end = WordEnd(end);
      }
      cursor_ = end;
      kind_ = 1;
      return;
    }
    const auto b = static_cast<unsigned char>(*p);
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
      wordStart_ = p;
      wordHasLead_ = true;
      cursor_ = WordEnd(p + 2);
      kind_ = 1;
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

void TParserDB::WordTextInto(std::string& out) const { out.assign(WordView()); }

std::string_view TParserDB::WordView() const {
  const std::string_view raw(wordStart_, static_cast<size_t>(cursor_ - wordStart_));
  if (!wordHasLead_) return raw;
  folded_.clear();
  AppendHalfWidth(raw, folded_);
  return folded_;
}

}  // namespace lexiscoop
