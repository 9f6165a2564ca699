#pragma once

// One lexiscoop-cli process that the test can bound in time or kill: for
// inputs that might make it hang, and for killing it in the middle of a save.

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "cli_runner.h"

namespace lexiscoop::testing {

class CliProcess {
 public:
  // Starts lexiscoop-cli with `args`, standard input from `stdinFile`.
  explicit CliProcess(const std::vector<std::string>& args, const std::string& stdinFile = "/dev/null")
      : CliProcess(LEXISCOOP_CLI_PATH, args, stdinFile) {}

  // Starts another program of the build the same way.
  CliProcess(const std::string& program, const std::vector<std::string>& args,
             const std::string& stdinFile = "/dev/null") {
    std::vector<std::string> argvStrings = {program};
    argvStrings.insert(argvStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : argvStrings) argv.push_back(s.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, stdinFile.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, (outputs_ / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, (outputs_ / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~CliProcess() { Kill(); }
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  bool started() const { return pid_ > 0; }

  // Waits for the end, at most `limit`; a process still running then is
  // killed and reported with timedOut. exitCode is -1 unless it exited.
  struct Result : CliRun {
    bool timedOut = false;
    long maxRssKb = 0;  // the process's peak resident memory
  };
  Result Wait(std::chrono::milliseconds limit) {
    Result result;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (pid_ > 0 && !Reap(WNOHANG, result)) {
      if (std::chrono::steady_clock::now() >= deadline) {
        result.timedOut = true;
        kill(pid_, SIGKILL);
        Reap(0, result);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    result.out = ReadFileBytes(outputs_ / "stdout");
    result.err = ReadFileBytes(outputs_ / "stderr");
    return result;
  }

  // Ends the process with SIGKILL, wherever it is, and reaps it.
  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    Result ignored;
    Reap(0, ignored);
  }

 private:
  // Collects the ended process; false while it runs (with WNOHANG).
  bool Reap(int options, Result& result) {
    int status = 0;
    rusage usage{};
    const pid_t done = wait4(pid_, &status, options, &usage);
    if (done == 0) return false;
    pid_ = -1;
    if (done > 0) {
      if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
      result.maxRssKb = usage.ru_maxrss;
    }
    return true;
  }

  TempFolder outputs_;
  pid_t pid_ = -1;
};

}  // namespace lexiscoop::testing
