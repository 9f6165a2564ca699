#include "cli/TextInput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <unistd.h>

#include "analysis/MyParser.h"
#include "platform/FileSystem.h"
#include "platform/InputEncoding.h"

namespace lexiscoop {
namespace {

std::string ReadStandardInput() {
  std::string text;
  char buffer[1 << 16];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
    text.append(buffer, n);
    if (static_cast<int64_t>(text.size()) > kMaxTextBytes) {
      throw std::runtime_error("standard input: the text is larger than 2 GiB - 1 bytes");
    }
  }
  if (std::ferror(stdin)) throw std::runtime_error("standard input: read error");
  return text;
}

}  // namespace

void LoadTextFile(TMyParser& parser, const std::string& path) {
  if (path == "-") {
    parser.AssignText(TextToCp932(ReadStandardInput()));
    return;
  }
  if (FolderExists(path)) throw std::runtime_error(path + ": " + std::strerror(EISDIR));
  if (!FileExists(path)) {
    // Anything else that exists (a FIFO, a device) is refused by the holder.
    if (access(path.c_str(), F_OK) != 0) throw std::runtime_error(path + ": " + std::strerror(errno));
  }
  parser.LoadFile(path);
  if (!parser.HasText()) throw std::runtime_error(path + ": cannot be read");
}

}  // namespace lexiscoop
