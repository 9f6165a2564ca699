#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/TableMerge.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"

namespace lexiscoop {
namespace {

// The largest table file taken: as large as the largest text.
constexpr int64_t kMaxTableBytes = 0x7FFFFFFF;

std::string ReadTable(const std::string& path, std::string& failure) {
  std::string bytes;
  if (path == "-") {
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) bytes.append(buffer, n);
    if (std::ferror(stdin)) failure = "standard input: read error";
    return bytes;
  }
  const int error = ReadWholeFile(path, bytes, kMaxTableBytes);
  if (error != 0) failure = path + ": cannot be read (" + std::strerror(error) + ")";
  return bytes;
}

}  // namespace

int RunMergeCommand(CliContext& context) {
  std::vector<std::string> files;
  for (const std::string& arg : context.args) {
    if (arg.size() > 1 && arg[0] == '-') throw UsageError{"merge: unknown option '" + arg + "'"};
    files.push_back(arg);
  }
  if (files.empty()) throw UsageError{"merge needs at least one TABLE"};
  TableMerge merge;
  for (const std::string& path : files) {
    std::string failure;
    const std::string bytes = ReadTable(path, failure);
    if (failure.empty()) {
      const std::string bad = merge.AddTable(bytes);
      if (!bad.empty()) failure = (path == "-" ? std::string("standard input") : path) + ": " + bad;
    }
    if (!failure.empty()) {
      context.Error(Cp932FromUtf8(failure));
      return kExitFailure;
    }
  }
  context.Out(merge.Text());
  return kExitOk;
}

}  // namespace lexiscoop
