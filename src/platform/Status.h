#pragma once

#include <string>
#include <string_view>

namespace lexiscoop {

// The outcome of a fallible call of the core: success, or a code saying what
// kind of failure it was, with a message for the user. Made only through the
// named factories. The message is CP932 text (ASCII reads the same in both);
// the system error, when the failure came from one, is kept beside it as an
// errno value so that a caller may still tell ENOSPC from EACCES.
//
// Nothing of the core shows a message: the window turns a status into a
// message box, the command-line program into a line on standard error.
class Status {
 public:
  enum class Code {
    kOk,
    kNotFound,         // a file or entry that should be there is not
    kCorruption,       // a file exists but does not decode as one of ours
    kTooLarge,         // input or output over a bound the program keeps
    kInvalidArgument,  // the request itself cannot be carried out
    kIoError,          // the system refused a read or write
  };

  // Success.
  Status() = default;
  static Status OK() { return Status(); }

  static Status NotFound(std::string message, int systemError = 0) {
    return Status(Code::kNotFound, std::move(message), systemError);
  }
  static Status Corruption(std::string message, int systemError = 0) {
    return Status(Code::kCorruption, std::move(message), systemError);
  }
  static Status TooLarge(std::string message, int systemError = 0) {
    return Status(Code::kTooLarge, std::move(message), systemError);
  }
  static Status InvalidArgument(std::string message, int systemError = 0) {
    return Status(Code::kInvalidArgument, std::move(message), systemError);
  }
  static Status IoError(std::string message, int systemError = 0) {
    return Status(Code::kIoError, std::move(message), systemError);
  }
  // The status of a failed system call with errno `systemError`: NotFound
  // for ENOENT, TooLarge for EFBIG, Corruption for EBADMSG, InvalidArgument
  // for EISDIR, IoError otherwise. OK for 0.
  static Status FromErrno(int systemError, std::string message = {});

  bool ok() const { return code_ == Code::kOk; }
  bool IsNotFound() const { return code_ == Code::kNotFound; }
  bool IsCorruption() const { return code_ == Code::kCorruption; }
  bool IsTooLarge() const { return code_ == Code::kTooLarge; }
  bool IsInvalidArgument() const { return code_ == Code::kInvalidArgument; }
  bool IsIoError() const { return code_ == Code::kIoError; }

  Code code() const { return code_; }
  // The message as given to the factory (may be empty).
  const std::string& message() const { return message_; }
  // The errno of the failure, 0 when it did not come from a system call.
  int systemError() const { return systemError_; }

  // The system's description of systemError() ("No space left on device";
  // C locale, ASCII), or "" when there is none.
  std::string SystemErrorText() const;
  // The message, and after it the system's description in parentheses when
  // there is one: "myLxScoop.dat (No space left on device)". "OK" for success.
  std::string ToString() const;

  // The same status with `prefix` put before its message (kept for OK).
  Status Prefixed(std::string_view prefix) const;

 private:
  Status(Code code, std::string message, int systemError)
      : code_(code), message_(std::move(message)), systemError_(systemError) {}

  Code code_ = Code::kOk;
  std::string message_;
  int systemError_ = 0;
};

}  // namespace lexiscoop
