#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lexiscoop {

class TParserDB;

// A file given as the text could not be opened or read. what() is CP932 text
// for the user.
class EFileOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A load stopped by its progress function. what() is CP932 text.
class ELoadStopped : public EFileOpenError {
 public:
  using EFileOpenError::EFileOpenError;
};

// Follows a file's load, possibly from another thread: called with the work
// done and the whole work in bytes (reading the file counts its size, then
// converting it counts its size again) as the load goes on; returning false
// stops the load.
using LoadProgress = std::function<bool(int64_t done, int64_t total)>;

// The largest text the holder takes: counts and sizes are 32-bit.
constexpr int64_t kMaxTextBytes = 0x7FFFFFFF;

// Reads the regular file `path` whole as a text, converted to CP932 as
// TMyParser::LoadFile converts it, without locking it: for readers that do
// not keep the file as their current text. Throws EFileOpenError when the
// file does not exist, is not a regular file (a folder, a FIFO, a device:
// refused without waiting on it), cannot be read, or is larger than
// kMaxTextBytes (refused before anything is read).
std::string ReadTextFile(const std::string& path);

// The text holder: owns the current text (from a file or a string) and the
// scanner over it, and offers the word-by-word interface of the analysis run.
class TMyParser {
 public:
  TMyParser();
  ~TMyParser();
  TMyParser(const TMyParser&) = delete;
  TMyParser& operator=(const TMyParser&) = delete;

  // Makes the file's bytes the text. A name that does not exist changes
  // nothing. A file that starts with a UTF-8 or UTF-16 byte-order mark, or
  // that DetectTextEncoding takes for UTF-8, is converted to CP932 first. The file
  // stays open (with an advisory exclusive lock) while its text is current.
  // Throws EFileOpenError when the file cannot be opened, locked or read, or
  // is larger than kMaxTextBytes (the holder then has no text). Lines of
  // any length are scanned. `progress`, where given, follows the load and
  // may stop it: LoadFile then throws ELoadStopped, with the file closed and
  // unlocked and the holder without a text.
  void LoadFile(const std::string& path, const LoadProgress& progress = {});
  // Makes `text` (CP932) the text. Throws EFileOpenError for a text larger
  // than kMaxTextBytes.
  void AssignText(std::string text);

  // True when a text has been set.
  bool HasText() const;
  // The whole current text; empty if none.
  std::string_view FullText() const;
  // Size of the current text in bytes (0 without a text).
  int32_t ByteCount() const;

  // Back to the first word.
  void Rewind();
  bool HasWord() const;
  void NextWord();
  // The current word folded to single-byte characters.
  std::string CurrentWord() const;
  // The same into `out`, reusing its storage (no allocation once it is large
  // enough): the form the analysis run uses on its hot path.
  void CurrentWordInto(std::string& out) const;
  // The same as a view without any copy, valid until the next NextWord,
  // Rewind or new text: the fastest form.
  std::string_view CurrentWordView() const;
  // Where the current word starts in the text (bytes) and how many bytes of
  // the text it takes before folding; 0 and 0 without a current word.
  int64_t CurrentWordOffset() const;
  int64_t CurrentWordSourceLength() const;
  // 100 * bytes buffered so far / text size, in 64-bit arithmetic.
  int64_t ProgressPercent() const;
  // The first min(maxBytes, size) bytes of the text; does not disturb a scan.
  std::string LeadingText(int32_t maxBytes) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace lexiscoop
