#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace lexiscoop::testing {

// The rows of an exported file as the independent Python reader
// (scripts/read_export.py) sees them: one JSON array per row, header first;
// for a workbook, a line of its settings before them. Empty when the reader
// failed.
inline std::vector<std::string> ReadExportBack(const std::string& kind, const std::string& path) {
  const std::string command = std::string(LEXISCOOP_PYTHON3) + " " + LEXISCOOP_EXPORT_READER + " " + kind + " '" +
                              path + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  std::string out;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  if (pclose(pipe) != 0) return {"reader failed: " + out};
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < out.size()) {
    size_t end = out.find('\n', start);
    if (end == std::string::npos) end = out.size();
    lines.push_back(out.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace lexiscoop::testing
