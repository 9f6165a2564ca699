#include "analysis/MyParser.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#include "analysis/ParserDB.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/InputEncoding.h"

namespace lexiscoop {
namespace {

// Replaces the first "%s" of `format` with `first` and the next with `second`.
// '%' is never the trail byte of a double-byte character, so a CP932 format
// is searched safely.
std::string FormatMessage(const std::string& format, const std::string& first,
                          const std::string& second = {}) {
  std::string out = format;
  size_t at = out.find("%s");
  if (at == std::string::npos) return out;
  out.replace(at, 2, first);
  at = out.find("%s", at + first.size());
  if (at != std::string::npos) out.replace(at, 2, second);
  return out;
}

// File names are UTF-8 on this platform; messages are CP932.
std::string NameForMessage(const std::string& path) { return Cp932FromUtf8(path); }

[[noreturn]] void ThrowCannotOpen(const std::string& path, int error) {
  static const Cp932Text kFormat{"ファイル %s を開けません (%s)"};
  throw EFileOpenError(
      FormatMessage(kFormat, NameForMessage(path), Cp932FromUtf8(std::strerror(error))));
}

[[noreturn]] void ThrowNotAFile(const std::string& path) {
  static const Cp932Text kFormat{"ファイル %s を開けません (通常のファイルではありません)"};
  throw EFileOpenError(FormatMessage(kFormat, NameForMessage(path)));
}

[[noreturn]] void ThrowInUse(const std::string& path) {
  static const Cp932Text kFormat{"ファイル %s を開けません (他のプログラムが使用中です)"};
  throw EFileOpenError(FormatMessage(kFormat, NameForMessage(path)));
}

[[noreturn]] void ThrowCannotRead(const std::string& path, int error) {
  static const Cp932Text kFormat{"ファイル %s を読めません (%s)"};
  throw EFileOpenError(
      FormatMessage(kFormat, NameForMessage(path), Cp932FromUtf8(std::strerror(error))));
}

[[noreturn]] void ThrowFileTooLarge(const std::string& path) {
  static const Cp932Text kFormat{
      "ファイル %s は大きすぎます (扱えるのは 2,147,483,647 バイトまでです)"};
  throw EFileOpenError(FormatMessage(kFormat, NameForMessage(path)));
}

[[noreturn]] void ThrowStopped(const std::string& path) {
  static const Cp932Text kFormat{"ファイル %s の読み込みを中止しました"};
  throw ELoadStopped(FormatMessage(kFormat, NameForMessage(path)));
}

[[noreturn]] void ThrowTextTooLarge() {
  static const Cp932Text kMessage{
      "テキストが大きすぎます (扱えるのは 2,147,483,647 バイトまでです)"};
  throw EFileOpenError(kMessage);
}

// Closes a descriptor unless released.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// Asks for huge pages under a large buffer that has not been touched yet, so
// that filling it costs a few page faults instead of one per 4 KB.
void AdviseHugePages(char* data, size_t size) {
  constexpr size_t kHugePage = size_t{2} << 20;
  if (size < 2 * kHugePage) return;
  const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(kHugePage - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

// Reads the regular file open on `fd` whole, refusing one larger than
// kMaxTextBytes before reading anything.
// Bytes read between two calls of a load's progress function.
constexpr size_t kProgressReadBytes = size_t{4} << 20;
// Bytes of text converted between two calls.
constexpr size_t kProgressConvertBytes = size_t{1} << 20;

// Reads the open file whole. `progress` (which may be null) is called with
// the bytes read, of twice the file's size, after every kProgressReadBytes.
std::string ReadOpenFile(int fd, const std::string& path, const LoadProgress* progress = nullptr) {
  struct stat st{};
  if (fstat(fd, &st) != 0) ThrowCannotOpen(path, errno);
  if (S_ISDIR(st.st_mode)) ThrowCannotOpen(path, EISDIR);
  if (!S_ISREG(st.st_mode)) ThrowNotAFile(path);
  if (st.st_size > kMaxTextBytes) ThrowFileTooLarge(path);

  std::string bytes;
  bytes.reserve(static_cast<size_t>(st.st_size));
  AdviseHugePages(bytes.data(), bytes.capacity());
  bytes.resize(static_cast<size_t>(st.st_size));
  size_t used = 0;
  const size_t slice = progress != nullptr ? kProgressReadBytes : bytes.size();
  while (used < bytes.size()) {
    if (progress != nullptr && used > 0 && !(*progress)(static_cast<int64_t>(used), 2 * int64_t{st.st_size})) {
      ThrowStopped(path);
    }
    const ssize_t n = read(fd, bytes.data() + used, std::min(slice, bytes.size() - used));
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowCannotRead(path, errno);
    }
    if (n == 0) break;  // the file shrank since fstat
    used += static_cast<size_t>(n);
  }
  bytes.resize(used);
  if (used < static_cast<size_t>(st.st_size)) return bytes;

  // The file may have grown since fstat: take the rest, within the limit.
  char chunk[65536];
  for (;;) {
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowCannotRead(path, errno);
    }
    if (n == 0) break;
    if (static_cast<int64_t>(bytes.size()) + n > kMaxTextBytes) ThrowFileTooLarge(path);
    bytes.append(chunk, static_cast<size_t>(n));
  }
  return bytes;
}

}  // namespace

struct TMyParser::Impl {
  int fileDescriptor = -1;               // the loaded file, open and locked; -1 if none
  std::unique_ptr<TByteStream> stream;   // the current text; null if none
  std::unique_ptr<TParserDB> scanner;    // null without a text or after a failed start

  ~Impl() { Clear(); }

  // Frees scanner, text and file, in this order.
  void Clear() {
    scanner.reset();
    stream.reset();
    if (fileDescriptor >= 0) {
      flock(fileDescriptor, LOCK_UN);
      close(fileDescriptor);
      fileDescriptor = -1;
    }
  }

  void SetText(std::string text) {
    stream = std::make_unique<TByteStream>(std::move(text));
    scanner = std::make_unique<TParserDB>(*stream);
  }
};

std::string ReadTextFile(const std::string& path) {
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) ThrowCannotOpen(path, errno);
  return TextToCp932(ReadOpenFile(file.get(), path));
}

TMyParser::TMyParser() : impl_(std::make_unique<Impl>()) {}

TMyParser::~TMyParser() = default;

void TMyParser::LoadFile(const std::string& path, const LoadProgress& progress) {
  if (!FileExists(path)) return;
  impl_->Clear();
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) ThrowCannotOpen(path, errno);
  if (flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) ThrowInUse(path);
    ThrowCannotOpen(path, errno);
  }
  std::string bytes = ReadOpenFile(file.get(), path, progress ? &progress : nullptr);
  const auto read = static_cast<int64_t>(bytes.size());
  std::function<bool(size_t, size_t)> step;
  if (progress) {
    step = [&progress, read](size_t done, size_t) { return progress(read + static_cast<int64_t>(done), 2 * read); };
  }
  std::optional<std::string> text =
      TextToCp932InPieces(std::move(bytes), progress ? kProgressConvertBytes : SIZE_MAX, step);
  if (!text) ThrowStopped(path);
  impl_->fileDescriptor = file.release();
  impl_->SetText(std::move(*text));
}

void TMyParser::AssignText(std::string text) {
  if (static_cast<int64_t>(text.size()) > kMaxTextBytes) ThrowTextTooLarge();
  impl_->Clear();
  impl_->SetText(std::move(text));
}

bool TMyParser::HasText() const { return impl_->stream != nullptr; }

std::string_view TMyParser::FullText() const {
  return impl_->stream ? impl_->stream->Bytes() : std::string_view{};
}

int32_t TMyParser::ByteCount() const {
  return impl_->stream ? static_cast<int32_t>(impl_->stream->Size()) : 0;
}

void TMyParser::Rewind() {
  if (!impl_->scanner) return;
  impl_->scanner->Reset();
  impl_->stream->SetPosition(0);
  impl_->scanner->ScanWord();
}

bool TMyParser::HasWord() const { return impl_->scanner && impl_->scanner->HasWord(); }

void TMyParser::NextWord() {
  if (impl_->scanner) impl_->scanner->ScanWord();
}

std::string TMyParser::CurrentWord() const {
  std::string word;
  CurrentWordInto(word);
  return word;
}

void TMyParser::CurrentWordInto(std::string& out) const {
  if (impl_->scanner) {
    impl_->scanner->WordTextInto(out);
  } else {
    out.clear();
  }
}

std::string_view TMyParser::CurrentWordView() const {
  return impl_->scanner ? impl_->scanner->WordView() : std::string_view{};
}

int64_t TMyParser::CurrentWordOffset() const {
  return HasWord() ? impl_->scanner->WordOffset() : 0;
}

int64_t TMyParser::CurrentWordSourceLength() const {
  return HasWord() ? impl_->scanner->WordSourceLength() : 0;
}

int64_t TMyParser::ProgressPercent() const {
  const TByteStream* stream = impl_->stream.get();
  if (stream == nullptr || stream->Size() == 0) return 0;
  return 100 * stream->Position() / stream->Size();
}

std::string TMyParser::LeadingText(int32_t maxBytes) const {
  if (!impl_->stream || maxBytes <= 0) return {};
  const std::string_view text = impl_->stream->Bytes();
  return std::string(text.substr(0, std::min(text.size(), static_cast<size_t>(maxBytes))));
}

}  // namespace lexiscoop
