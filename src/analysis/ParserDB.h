#pragma once

// The word scanner: reads a CP932 text through a window of 4096 bytes (more
// while a single word is longer) and delimits the English words in it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace lexiscoop {

// The bytes that may continue a word: ' - 0-9 A-Z _ a-z.
inline constexpr std::array<bool, 256> WordCharSet = [] {
  std::array<bool, 256> set{};
  set['\''] = set['-'] = set['_'] = true;
  for (int c = '0'; c <= '9'; ++c) set[c] = true;
  for (int c = 'A'; c <= 'Z'; ++c) set[c] = set[c + 32] = true;
  return set;
}();

// An in-memory byte stream holding a whole text, read from a position.
class TByteStream {
 public:
  explicit TByteStream(std::string bytes) : bytes_(std::move(bytes)) {}
  TByteStream(const TByteStream&) = delete;
  TByteStream& operator=(const TByteStream&) = delete;

  std::string_view Bytes() const { return bytes_; }
  int64_t Size() const { return static_cast<int64_t>(bytes_.size()); }
  int64_t Position() const { return static_cast<int64_t>(position_); }
  // Clamped to 0..Size().
  void SetPosition(int64_t position);
  // Copies up to `count` bytes from the position to `dest` and advances past
  // them. Returns the number copied (0 at the end).
  size_t Read(char* dest, size_t count);

 private:
  std::string bytes_;
  size_t position_ = 0;
};

// Reads a text stream word by word. A word starts with a Latin letter and goes
// on with letters, digits, '-', '\'' and '_', each single-byte or full-width.
// A full window ends after the last line feed it holds; in a line longer
// than the window, after the last character that cannot be part of a word;
// and when the window holds a single word, the window grows until the word
// ends. So a word is never split and lines of any length are scanned.
class TParserDB {
 public:
  static constexpr size_t kBufferSize = 4096;

  // Scans the first word of `source` (which must outlive the scanner).
  explicit TParserDB(TByteStream& source);
  ~TParserDB();
  TParserDB(const TParserDB&) = delete;
  TParserDB& operator=(const TParserDB&) = delete;

  // Back to the state of a new scanner (empty window of kBufferSize bytes,
  // line 1), without touching the source or scanning.
  void Reset();
  // Makes the next word current, or reaches the end of the text.
  void ScanWord();
  // True while a word is current.
  bool HasWord() const { return kind_ == 1; }
  // The current word folded to single-byte characters ("" at the end).
  std::string WordText() const;
  // WordText into `out`, reusing its storage.
  void WordTextInto(std::string& out) const;
  // WordText as a view, valid until the next ScanWord or Reset: the bytes in
  // the window themselves when the word holds no double-byte character.
  std::string_view WordView() const;
  // The line the scan has reached, from 1.
  int64_t Line() const { return line_; }
  // Where the current word starts in the source, in bytes from its start,
  // and how many source bytes it takes (before folding). Meaningful only
  // while HasWord().
  int64_t WordOffset() const { return source_.Position() - (fillEnd_ - wordStart_); }
  int64_t WordSourceLength() const { return cursor_ - wordStart_; }

  // Steps of ScanWord, public for tests.
  // Skips blanks and control bytes, counting line feeds; refills the window
  // at the terminator. Stops at anything else or at the end of the text.
  void SkipSpace();
  // Moves the unread rest of the window to its start, reads more and puts the
  // terminator where a full window may end (see the class comment).
  void Refill();
  // The size of the window now: kBufferSize, or more while a word longer
  // than that is being read.
  size_t WindowSize() const { return static_cast<size_t>(bufferEnd_ - buffer_.get()); }

 private:
  // True when `p` lies in the classified block.
  bool InBlock(const char* p) const;
  // Classifies the bytes from `p` into the block masks.
  void ClassifyBlockAt(char* p);
  // The end of the word whose first character ends just before `p`.
  char* WordEnd(char* p);
  // Where a full window may end: after its last line feed, else after the
  // last character outside a word; null when the window holds one word.
  char* CutPointOfFullWindow() const;
  // The end of the last character before `limit` that cannot be part of a
  // word and ends in a byte outside the lead-byte ranges; null when none.
  char* LastCutBefore(char* limit) const;
  // Doubles the window, keeping the bytes read into it.
  void GrowWindow();
  // A zeroed window of `size` bytes plus the padding.
  void AllocateWindow(size_t size);

  TByteStream& source_;
  std::unique_ptr<char[]> buffer_;  // the window, zero padding after it
  char* fillEnd_;                   // one past the last byte read
  char* bufferEnd_;                 // the end of the window
  char* cursor_;                    // the scanning position
  char* cutPoint_;                  // the terminator; scanning never passes it
  char* wordStart_;                 // first byte of the current word
  int64_t line_ = 1;
  unsigned char savedByte_ = 0;     // the byte the terminator replaced
  unsigned char kind_ = 0;          // 0 = end of text, 1 = a word is current
  bool wordHasLead_ = false;        // the current word holds a double-byte character
  mutable std::string folded_;      // the folded form of a word with double-byte characters
  // The classified block: kClassifiedBytes window bytes from block_ (null
  // when none), bit i for byte i.
  char* block_ = nullptr;
  uint64_t wordBits_ = 0;     // in WordCharSet
  uint64_t stopBits_ = 0;     // letters and special bytes
  uint64_t specialBits_ = 0;  // zero, line feed, 0x80 and above
};

}  // namespace lexiscoop
