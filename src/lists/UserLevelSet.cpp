#include "lists/UserLevelSet.h"

namespace lexiscoop {

uint32_t DefaultLevelColour(int n) {
  static constexpr uint32_t kColours[kMaxUserLevels] = {
      0x0072B2, 0x007A5A, 0x8F5D00, 0xA8467E,  // as the shipped levels
      0x009E73, 0xD55E00, 0x56B4E9, 0xCC79A7, 0x3F3F9F,
  };
  return kColours[static_cast<unsigned>(n) % kMaxUserLevels];
}

std::string DefaultLevelKey(int n) { return std::to_string(n + 1); }

}  // namespace lexiscoop
