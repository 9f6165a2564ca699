// Runs a fuzz target over saved inputs, for compilers without libFuzzer:
// every file named on the command line, and every file of every folder named
// (in name order), is passed once to LLVMFuzzerTestOneInput. A failing check
// aborts, as under libFuzzer; a file that cannot be read fails the run.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

bool Replay(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
    return false;
  }
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  // An exact-size copy, so that a sanitizer sees a read past the end.
  const std::vector<uint8_t> input(bytes.begin(), bytes.end());
  LLVMFuzzerTestOneInput(input.data(), input.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE|FOLDER...\n", argv[0]);
    return 2;
  }
  int replayed = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const fs::path named(argv[i]);
    std::error_code error;
    if (!fs::is_directory(named, error)) {
      ok = Replay(named) && ok;
      ++replayed;
      continue;
    }
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(named, error)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
    if (error) {
      std::fprintf(stderr, "replay: cannot list %s\n", named.c_str());
      ok = false;
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      ok = Replay(file) && ok;
      ++replayed;
    }
  }
  std::printf("replay: %d input(s)\n", replayed);
  return ok && replayed > 0 ? 0 : 1;
}
