#include "platform/Status.h"

#include <cerrno>
#include <cstring>

namespace lexiscoop {

Status Status::FromErrno(int systemError, std::string message) {
  switch (systemError) {
    case 0: return OK();
    case ENOENT: return NotFound(std::move(message), systemError);
    case EFBIG: return TooLarge(std::move(message), systemError);
    case EBADMSG: return Corruption(std::move(message), systemError);
    case EISDIR: return InvalidArgument(std::move(message), systemError);
    default: return IoError(std::move(message), systemError);
  }
}

std::string Status::SystemErrorText() const {
  if (systemError_ == 0) return {};
  // strerror_r in its GNU form: the text may or may not be in `buffer`.
  char buffer[128] = {};
  return strerror_r(systemError_, buffer, sizeof buffer);
}

std::string Status::ToString() const {
  if (ok()) return "OK";
  const std::string system = SystemErrorText();
  if (system.empty()) return message_;
  if (message_.empty()) return system;
  return message_ + " (" + system + ")";
}

Status Status::Prefixed(std::string_view prefix) const {
  if (ok()) return *this;
  Status out = *this;
  out.message_.insert(0, prefix);
  return out;
}

}  // namespace lexiscoop
