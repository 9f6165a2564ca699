#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lexiscoop {

// The most levels a set of one's own may have.
inline constexpr int kMaxUserLevels = 9;

// One level of a set of one's own: its name, its colour (0xRRGGBB), its
// short key on the command line and its headwords (CP932, each once in the
// whole set, in the order imported).
struct UserLevel {
  std::string name;
  std::string key;
  uint32_t colour = 0;
  std::vector<std::string> headwords;
};

// A level set as the user defines it: a name and up to kMaxUserLevels
// levels, the more basic first. A word counts in the first level holding it.
struct UserLevelSet {
  std::string name;
  std::vector<UserLevel> levels;
};

// The colour the n-th level (from 0) of a set gets when the import names
// none: the shipped levels' colours first, then others as far apart.
uint32_t DefaultLevelColour(int n);

// The CLI key of the n-th level (from 0): "1" .. "9".
std::string DefaultLevelKey(int n);

// A known-word list (既習語): a name and its headwords (CP932, each once).
struct KnownWordList {
  std::string name;
  std::vector<std::string> headwords;
};

}  // namespace lexiscoop
