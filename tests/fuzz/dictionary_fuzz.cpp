// Feeds arbitrary bytes to the dictionary as its files: the user's
// dictionary file and one level list, reloaded with ReloadDictionary. The
// first byte chooses how: bit 0 set takes the rest as a raw file image (most
// do not decode), clear packs the rest as the list's text first, so that any
// line reaches the dictionary line parser; bits 1-2 pick the level list;
// bit 3 records and deletes a headword afterwards.
//
// Whatever the bytes: the lexicon has one headword per decoded line (none
// when the file does not decode), every spelling finds its headword among its
// candidates, a loaded level list is sorted without empty
// entries, and a recorded headword can be found and deleted again, while a
// user file that does not decode is never overwritten.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DeltaCode.h"
#include "dictionary/DictionaryFiles.h"
#include "platform/Compare.h"
#include "platform/FileSystem.h"

namespace {

using namespace lexiscoop;

// Aborts, naming the line of the check that failed.
void Check(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "check on line %d failed\n", line);
  std::abort();
}

// A folder of its own in memory, made once and emptied for every input.
const std::string& Folder() {
  static const std::string folder = [] {
    std::string tmpl = FolderExists("/dev/shm") ? "/dev/shm/lexiscoop-fuzz-XXXXXX" : "/tmp/lexiscoop-fuzz-XXXXXX";
    Check(mkdtemp(tmpl.data()) != nullptr);
    return tmpl;
  }();
  // Registered once the name exists, so that it runs before the name is gone.
  static const bool cleanup = std::atexit([] { std::filesystem::remove_all(folder); }) == 0;
  static_cast<void>(cleanup);
  return folder;
}

void WritePlain(const std::string& path, std::string_view bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  Check(fd >= 0);
  Check(write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
  close(fd);
}

std::string ReadPlain(const std::string& path) {
  std::string bytes;
  Check(ReadWholeFile(path, bytes) == 0);
  return bytes;
}

// The lines the file image holds, or false when it does not decode.
bool DecodedLines(std::string_view image, TStringList& lines) {
  TDeltaCode coder;
  if (!coder.Decode(image)) return false;
  lines.SetText(coder.PlainData());
  return true;
}

void CheckLoaded(const ConjugationDictionary& dictionary) {
  const std::shared_ptr<const Lexicon> lexicon = dictionary.CurrentLexicon();
  for (HeadwordId h = 0; h < lexicon->HeadwordCount(); ++h) {
    for (const std::string& spelling : lexicon->SpellingsOf(h)) {
      const std::span<const HeadwordId> candidates = lexicon->Candidates(spelling);
      Check(std::find(candidates.begin(), candidates.end(), h) != candidates.end());
      for (const HeadwordId c : candidates) Check(c >= 0 && c < lexicon->HeadwordCount());
    }
  }
  for (int level = 1; level <= kLevelCount; ++level) {
    const TCompressStringList& list = dictionary.LevelList(level);
    if (list.Count() == 0) continue;
    Check(list.Sorted());
    for (int i = 0; i < list.Count(); ++i) Check(!list[i].empty());
  }
}

bool UsableHeadword(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c == '\t' || c == '\r' || c == '\n' || c == '\0') return false;
  }
  return true;
}

void RecordAndDelete(ConjugationDictionary& dictionary, std::string_view rest, int level) {
  // The headword: the first line's headword if usable, else a fixed one; the
  // spellings: the rest of the input.
  const std::shared_ptr<const Lexicon> lexicon = dictionary.CurrentLexicon();
  std::string headword = lexicon->HeadwordCount() > 0 ? lexicon->At(0).spelling : std::string();
  if (!UsableHeadword(headword)) headword = "fuzz";
  const std::string user = dictionary.UserDictionaryPath();
  const std::string before = ReadPlain(user);
  TStringList beforeLines;
  const bool readable = DecodedLines(before, beforeLines);

  const RecordStatus status = dictionary.RecordHeadword(headword, rest.substr(0, 256), level);
  if (!readable) {
    // Spellings that would break the line are refused before the file is read.
    Check(status == RecordStatus::DictionaryUnreadable || status == RecordStatus::InvalidText);
    Check(ReadPlain(user) == before);
    return;
  }
  if (status == RecordStatus::InvalidText) {
    Check(ReadPlain(user) == before);
    return;
  }
  Check(status == RecordStatus::Recorded);
  Check(dictionary.LastSaveStatus().ok());
  CheckLoaded(dictionary);
  Check(dictionary.CurrentLexicon()->FindHeadword(headword) != kNoHeadword);
  Check(dictionary.DeleteHeadword(headword));
  Check(dictionary.LastSaveStatus().ok());
  CheckLoaded(dictionary);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t mode = data[0];
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const int level = 1 + ((mode >> 1) & 3);

  const std::string& folder = Folder();
  for (const auto& entry : std::filesystem::directory_iterator(folder)) std::filesystem::remove(entry.path());

  std::string image;
  if (mode & 1) {
    image = std::string(rest);
  } else {
    TDeltaCode coder;
    coder.SetPlainData(std::string(rest));
    coder.Encode();
    image = coder.TakeCodedData();
  }
  ConjugationDictionary dictionary(folder, folder);
  WritePlain(dictionary.UserDictionaryPath(), image);
  WritePlain(dictionary.UserLevelPath(level), image);
  dictionary.ReloadDictionary(false);

  TStringList lines;
  const bool decoded = DecodedLines(image, lines);
  Check(dictionary.CurrentLexicon()->HeadwordCount() == (decoded ? lines.Count() : 0));
  if (decoded) {
    int nonEmpty = 0;
    for (int i = 0; i < lines.Count(); ++i) nonEmpty += lines[i].empty() ? 0 : 1;
    Check(dictionary.LevelList(level).Count() <= nonEmpty);
    if (nonEmpty > 0) Check(dictionary.LevelList(level).Count() > 0);
  } else {
    Check(dictionary.LevelList(level).Count() == 0);
  }
  CheckLoaded(dictionary);

  if (mode & 8) RecordAndDelete(dictionary, rest, (mode >> 4) % 5);
  return 0;
}
