#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace lexiscoop::testing {

// What one run of lexiscoop-cli gave.
struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh temporary folder, removed with the object.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lexiscoop-cli-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Runs the built lexiscoop-cli with `args`, standard input from /dev/null or
// `stdinFile`, and collects its exit code and both outputs (standard output
// goes to `stdoutFile` instead when one is named, and is not collected).
inline CliRun RunCliProgram(const std::vector<std::string>& args, const std::string& stdinFile = "/dev/null",
                            const std::string& stdoutFile = "") {
  static TempFolder outputs;
  const std::string outPath = outputs / "stdout";
  const std::string errPath = outputs / "stderr";
  std::vector<std::string> argv_strings = {LEXISCOOP_CLI_PATH};
  argv_strings.insert(argv_strings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : argv_strings) argv.push_back(s.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, stdinFile.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, stdoutFile.empty() ? outPath.c_str() : stdoutFile.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  CliRun run;
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return run;
  int status = 0;
  if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  if (stdoutFile.empty()) run.out = ReadFileBytes(outPath);
  run.err = ReadFileBytes(errPath);
  return run;
}

inline std::string TestDataFile(const std::string& name) {
  return std::string(LEXISCOOP_TEST_DATA_DIR) + "/" + name;
}

// A data folder with the test dictionary and level lists packed by the CLI
// itself: LxScoop.dat, LXBasics.dat, LXJunior.dat, LXGeneral.dat (no
// LXToUnuvercity.dat, so that level stays empty).
class CliDataFolder : public TempFolder {
 public:
  CliDataFolder() {
    const std::pair<const char*, const char*> files[] = {
        {"cli_dictionary.txt", "LxScoop.dat"},
        {"cli_basic.txt", "LXBasics.dat"},
        {"cli_junior.txt", "LXJunior.dat"},
        {"cli_general.txt", "LXGeneral.dat"},
    };
    for (const auto& [text, dat] : files) {
      packed_ = packed_ && RunCliProgram({"dict", "pack", TestDataFile(text), *this / dat}).exitCode == 0;
    }
  }
  bool packed() const { return packed_; }
  // The global option that points the CLI at this folder.
  std::vector<std::string> With(std::initializer_list<std::string> args) const {
    std::vector<std::string> all = {"--data", path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return all;
  }

 private:
  bool packed_ = true;
};

}  // namespace lexiscoop::testing
