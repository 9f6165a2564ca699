#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/WordLevel.h"
#include "views/Coverage.h"

namespace lexiscoop {

class LevelLookup;

// How the profile of one file ended.
enum class ProfileStatus : uint8_t {
  Done,     // analysed
  Failed,   // could not be read or scanned: `error` says why
  Skipped,  // not a text file (binary): `error` says so
};

// The figures of one text: its words, per level, and the coverage of its
// running words by learner stage.
struct TextProfile {
  std::string path;  // the file's path as given or found (file-name bytes)
  ProfileStatus status = ProfileStatus::Done;
  std::string error;  // UTF-8; empty when Done
  std::string notice;  // UTF-8: where a zero byte ended the text; empty when none did
  int64_t bytes = 0;  // size of the file
  int64_t tokens = 0;
  int64_t types = 0;  // distinct words
  std::array<int64_t, kMaxLevelCount> levelTokens{};  // occurrences per level of the lookup's set
  std::array<int64_t, kMaxLevelCount> levelTypes{};   // distinct words per level
  CoverageFigures coverage;
  // Its distinct words as first spelled, in order of first appearance, and
  // their levels: what the collection's distinct count is made of.
  std::vector<std::string> words;
  std::vector<WordLevel> wordLevels;
};

// The sum of the Done profiles: every count added but the distinct ones,
// which are the collection's (types: the words that occur in any of the
// texts, letter case ignored, each once; levelTypes: those of each level),
// the coverage from the summed running and known words. `path` and `words`
// are left empty.
TextProfile SumProfiles(const std::vector<TextProfile>& profiles);

// Whether a file's first bytes are those of a binary file: a zero byte
// among them, unless they are UTF-16 (see DetectTextEncoding).
bool LooksBinary(std::string_view head);

// The error of a file whose profile ran out of memory (UTF-8).
inline constexpr char kOutOfMemoryMessage[] = "メモリが足りません";

// Profiles the file at `path` against `levels`: reads it as a text (as the
// window reads one), counts its words and classifies them. A file that
// cannot be read or is too large is Failed; a binary
// file is Skipped before it is read whole; one that runs out of memory is
// Failed with kOutOfMemoryMessage. A `stop` (may be null) set by another
// thread ends the scan at the next word: the profile is then of part of the
// file only. Never throws.
TextProfile ProfileFile(const std::string& path, const LevelLookup& levels,
                        const std::atomic<bool>* stop = nullptr);

}  // namespace lexiscoop
