#include "profile/TextProfile.h"

#include "analysis/WordTable.h"

#include <fcntl.h>
#include <cerrno>
#include <new>
#include <unistd.h>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/InputEncoding.h"
#include "profile/LevelLookup.h"
#include "views/ContextReading.h"

namespace lexiscoop {
namespace {

// How much of a file decides whether it is binary.
constexpr size_t kHeadBytes = 8192;

// The first bytes of the file; false when it cannot be opened.
bool ReadHead(const std::string& path, std::string& head) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  head.resize(kHeadBytes);
  ssize_t n;
  do {
    n = read(fd, head.data(), head.size());
  } while (n < 0 && errno == EINTR);
  close(fd);
  head.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return n >= 0;
}

// Marks the profile failed with a UTF-8 message, its figures cleared.
void FailUtf8(TextProfile& profile, std::string utf8) {
  TextProfile failed;
  failed.path = std::move(profile.path);
  failed.bytes = profile.bytes;
  failed.status = ProfileStatus::Failed;
  failed.error = std::move(utf8);
  profile = std::move(failed);
}

// The same with a CP932 message.
void Fail(TextProfile& profile, const char* cp932) { FailUtf8(profile, Utf8FromCp932(cp932)); }

}  // namespace

bool LooksBinary(std::string_view head) {
  // UTF-16 has zero bytes, with or without a byte-order mark.
  if (IsUtf16(DetectTextEncoding(head.substr(0, head.size() / 2 * 2)))) return false;
  return head.find('\0') != std::string_view::npos;
}

TextProfile SumProfiles(const std::vector<TextProfile>& profiles) {
  TextProfile total;
  // The collection's words, counted as one text counts its own.
  WordTable collection;
  for (const TextProfile& p : profiles) {
    if (p.status != ProfileStatus::Done) continue;
    total.bytes += p.bytes;
    total.tokens += p.tokens;
    for (size_t l = 0; l < total.levelTokens.size(); ++l) total.levelTokens[l] += p.levelTokens[l];
    if (p.words.empty()) {
      // A profile made without its word list adds its distinct counts.
      total.types += p.types;
      for (size_t l = 0; l < total.levelTypes.size(); ++l) total.levelTypes[l] += p.levelTypes[l];
    }
    for (size_t i = 0; i < p.words.size(); ++i) {
      const int before = collection.Count();
      collection.CountWord(p.words[i]);
      if (collection.Count() > before) {
        ++total.types;
        ++total.levelTypes[static_cast<size_t>(LevelIndex(p.wordLevels[i]))];
      }
    }
    total.coverage.levelSet = p.coverage.levelSet;
    total.coverage.runningWords += p.coverage.runningWords;
    for (size_t s = 0; s < total.coverage.known.size(); ++s) total.coverage.known[s] += p.coverage.known[s];
    total.coverage.nameKinds += p.coverage.nameKinds;
    total.coverage.nameOccurrences += p.coverage.nameOccurrences;
  }
  return total;
}

TextProfile ProfileFile(const std::string& path, const LevelLookup& levels, const std::atomic<bool>* stop) {
  TextProfile profile;
  profile.path = path;
  profile.bytes = FileSize(path);
  if (profile.bytes < 0) profile.bytes = 0;
  std::string head;
  // A file too large for a text is refused as such below, whatever it holds.
  if (profile.bytes <= kMaxTextBytes && ReadHead(path, head) && LooksBinary(head)) {
    profile.status = ProfileStatus::Skipped;
    profile.error = "not a text file";
    return profile;
  }
  try {
    TMyParser parser;
    parser.AssignText(ReadTextFile(path));
    profile.notice = Utf8FromCp932(ZeroByteNotice(parser.FullText()));
    AnalysisResult result;
    ScanControl control;
    control.stopFlag = stop;
    // With a model, the words whose sentence decides their headword count
    // each occurrence at the level of its reading, and the word once at the
    // level of its commonest reading, as the report counts them.
    const bool inContext = levels.ContextModel() != nullptr;
    if (inContext) {
      AnalyseText(parser, result, levels.SharedLexicon(), levels.ContextModel(), control);
    } else {
      ScanText(parser, result, control);
    }
    const WordTable& words = result.words;
    CoverageTally tally(levels.Set());
    auto split = result.readings.begin();
    for (int i = 0; i < words.Count(); ++i) {
      const std::string_view word = words.Word(i);
      const WordLevel level =
          inContext ? levels.LevelOfClass(result.classes[static_cast<size_t>(i)], word) : levels.LevelOf(word);
      const int32_t n = words.Occurrences(i);
      const auto l = static_cast<size_t>(LevelIndex(level));
      ++profile.levelTypes[l];
      while (split != result.readings.end() && split->entry < i) ++split;
      if (split != result.readings.end() && split->entry == i) {
        for (const WordReading& reading : split->readings) {
          const WordLevel readAt = levels.LevelOfClass(reading.word, word);
          profile.levelTokens[static_cast<size_t>(LevelIndex(readAt))] += reading.occurrences;
          tally.Add(word, readAt, reading.occurrences);
        }
      } else {
        profile.levelTokens[l] += n;
        tally.Add(word, level, n);
      }
      profile.words.emplace_back(word);
      profile.wordLevels.push_back(level);
    }
    profile.tokens = result.tokenCount;
    profile.types = words.Count();
    profile.coverage = tally.Figures();
  } catch (const EFileOpenError& e) {
    Fail(profile, e.what());
  } catch (const std::runtime_error& e) {
    Fail(profile, e.what());
  } catch (const std::bad_alloc&) {
    // What this file took is freed by now; the other files go on.
    FailUtf8(profile, kOutOfMemoryMessage);
  }
  return profile;
}

}  // namespace lexiscoop
