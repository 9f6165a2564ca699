#include "analysis/ParserDB.h"

#include <algorithm>
#include <cstring>

#include "analysis/henkanJ.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

constexpr bool IsLatinLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

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
    : source_(source), buffer_(new char[kBufferSize]) {
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

char* TParserDB::WordEnd(char* p) {
  for (;;) {
    const auto b = static_cast<unsigned char>(*p);
    if (b < 0x80) {
      if (!WordCharSet[b]) return p;  // the terminator included
      ++p;
      continue;
    }
    if (!IsLeadByte(b)) return p;
    const FoldedChar folded = ReadFoldedChar(p);
    if (!WordCharSet[folded.byte]) return p;
    wordHasLead_ = true;
    p += 2;
  }
}

void TParserDB::ScanWord() {
  for (;;) {
    SkipSpace();
    wordStart_ = cursor_;
    wordHasLead_ = false;
    const auto b = static_cast<unsigned char>(*cursor_);
    if (b < 0x80) {
      if (IsLatinLetter(b)) {
        cursor_ = WordEnd(cursor_ + 1);
        kind_ = 1;
        return;
      }
      if (b == 0) {
        kind_ = 0;
        return;
      }
      ++cursor_;
      continue;
    }
    const FoldedChar folded = ReadFoldedChar(cursor_);
    if (IsLatinLetter(folded.byte)) {
      wordHasLead_ = folded.length == 2;
      cursor_ = WordEnd(cursor_ + folded.length);
      kind_ = 1;
      return;
    }
    // A lead byte just before the terminator: the text ends with it.
    if (folded.length == 2 && cursor_ + 1 == cutPoint_) {
      kind_ = 0;
      return;
    }
    cursor_ += folded.length;
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
