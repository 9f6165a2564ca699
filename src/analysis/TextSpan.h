#pragma once

#include <cstdint>

namespace lexiscoop {

// A run of bytes of a text.
struct TextSpan {
  int64_t offset = -1;  // -1: not found
  int64_t length = 0;
};

}  // namespace lexiscoop
