#include "cli/TextInput.h"

#include <cstdio>
#include <stdexcept>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "platform/Cp932.h"
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
  } else {
    // Read without the holder's lock, which is the window's: runs of the
    // CLI may read one file at the same time.
    parser.AssignText(ReadTextFile(path));
  }
  // The counts end at a zero byte; the user hears where.
  const std::string notice = ZeroByteNotice(parser.FullText());
  if (!notice.empty()) {
    const std::string line = "lexiscoop-cli: " + (path == "-" ? std::string("(stdin)") : path) + ": " +
                             Utf8FromCp932(notice) + "\n";
    std::fflush(stdout);
    std::fwrite(line.data(), 1, line.size(), stderr);
  }
}

}  // namespace lexiscoop
