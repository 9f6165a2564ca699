#include "dictionary/ConjugationDictionary.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include "dictionary/CommaText.h"
#include "dictionary/DictionaryBounds.h"
#include "dictionary/DictionaryLine.h"
#include "dictionary/DictionaryObserver.h"
#include "dictionary/DictionaryTransaction.h"
#include "dictionary/GlossTable.h"
#include "dictionary/InflectionItem.h"
#include "platform/Compare.h"
#include "platform/FileSystem.h"

namespace lexiscoop {
ConjugationDictionary::ConjugationDictionary(std::string programFolder, std::string levelFolder)
    : programFolder_(std::move(programFolder)),
      levelFolder_(std::move(levelFolder)),
      userFolder_(programFolder_),
      userLevelFolder_(levelFolder_),
      glosses_(programFolder_) {}

ConjugationDictionary::ConjugationDictionary(std::string programFolder, std::string levelFolder,
                                             std::string userFolder)
    : programFolder_(std::move(programFolder)),
      levelFolder_(std::move(levelFolder)),
      userFolder_(std::move(userFolder)),
      userLevelFolder_(userFolder_),
      glosses_(programFolder_, userFolder_) {}

const TCompressStringList& ConjugationDictionary::LevelList(int level) const {
  LevelFiles(level);
  return levels_[static_cast<size_t>(level - 1)];
}

std::string ConjugationDictionary::UserDictionaryPath() const {
  return JoinPath(userFolder_, kUserDictionaryFile);
}

std::string ConjugationDictionary::ShippedDictionaryPath() const {
  return JoinPath(programFolder_, kShippedDictionaryFile);
}

bool ConjugationDictionary::HasDictionaryFile() const {
  return FileExists(ShippedDictionaryPath()) || FileExists(UserDictionaryPath());
}

std::string ConjugationDictionary::DictionaryPath() const {
  const std::string user = UserDictionaryPath();
  return FileExists(user) ? user : ShippedDictionaryPath();
}

std::string ConjugationDictionary::UserLevelPath(int level) const {
  return JoinPath(userLevelFolder_, LevelFiles(level).user);
}

std::string ConjugationDictionary::ShippedLevelPath(int level) const {
  return JoinPath(levelFolder_, LevelFiles(level).shipped);
}

std::string ConjugationDictionary::LevelPath(int level) const {
  const std::string user = UserLevelPath(level);
  return FileExists(user) ? user : ShippedLevelPath(level);
}

void ConjugationDictionary::SetLockWaitNotice(LockWaitNotice notice) {
  lockWaitNotice_ = std::move(notice);
  glosses_.SetLockWaitNotice(lockWaitNotice_);
}

void ConjugationDictionary::ReloadDictionary(bool dictionaryOnly) {
  DictionaryReadLock hold;
  interruptedChangeStatus_ = hold.Acquire(userFolder_, UserFilePaths(), lockWaitNotice_);
  ReloadFiles(dictionaryOnly);
  // The first change ever may have begun while the files were read.
  if (!hold.Held() && DictionaryReadLock::LockFileExists(userFolder_)) {
    interruptedChangeStatus_ = hold.Acquire(userFolder_, UserFilePaths(), lockWaitNotice_);
    ReloadFiles(dictionaryOnly);
  }
}

void ConjugationDictionary::ReloadFiles(bool dictionaryOnly) {
  // Stamped before reading: a change made while reading shows as a change.
  for (const std::string& path : StampedFiles(dictionaryOnly)) {
    auto known = std::find_if(stamps_.begin(), stamps_.end(), [&path](const auto& s) { return s.first == path; });
    if (known == stamps_.end()) known = stamps_.insert(stamps_.end(), {path, FileStamp{}});
    known->second = StampOf(path);
  }
  if (!dictionaryOnly) {
    for (int level = 1; level <= kLevelCount; ++level) LoadLevelList(level);
    if (observer_ != nullptr) observer_->LevelListsLoaded();
  }
  glosses_.LoadFiles();  // under the lock this reload holds
  LoadDictionary();
}

GlossRecordStatus ConjugationDictionary::RecordGloss(std::string_view headword, std::string_view glossText) {
  const GlossRecordStatus status = glosses_.Record(headword, glossText);
  BuildLexicon(lexicon_->Headwords());
  return status;
}

void ConjugationDictionary::LoadLevelList(int level) {
  LevelFiles(level);  // range check
  TCompressStringList& list = levels_[static_cast<size_t>(level - 1)];
  const std::string path = LevelPath(level);
  Status& status = levelLoadStatus_[static_cast<size_t>(level - 1)];
  auto& [sourcePath, sourceStamp] = levelSources_[static_cast<size_t>(level - 1)];
  // Stamped before reading: a change made while reading shows next time.
  const FileStamp stamp = StampOf(path);
  if (stamp.exists && status.ok() && path == sourcePath && stamp == sourceStamp) {
    // The list already holds this very file. Reading it again into the
    // sorted list would keep only the first of entries equal by CompareText.
    for (int i = list.Count() - 1; i > 0; --i) {
      if (CompareText(list[i - 1], list[i]) == 0) list.Delete(i);
    }
  } else if (FileExists(path)) {
    status = list.LoadFromFile(path);
    sourcePath = path;
    sourceStamp = status.ok() ? stamp : FileStamp{};
  } else {
    sourcePath.clear();
    sourceStamp = {};
    status = Status::OK();
    list.Clear();
  }
  std::string hint;
  if (list.Count() > 0) {
    list.SetSorted(true);
    list.RemoveEmptyEntries();
    hint = LevelHint(level, list.Count());
  }
  if (observer_ != nullptr) observer_->LevelListLoaded(level, list.Count() > 0, hint);
}

void ConjugationDictionary::LoadDictionary() {
  const std::string path = DictionaryPath();
  // Stamped before reading: a change made while reading shows next time.
  const FileStamp stamp = StampOf(path);
  if (!stamp.exists || path != decoded_.path || stamp != decoded_.stamp) {
    decoded_ = {};
    std::string text;
    dictionaryLoadStatus_ = TCompressStringList::DecodeFile(path, text);
    if (!dictionaryLoadStatus_.ok()) {
      LoadDictionaryLines(TCompressStringList());
      return;
    }
    decoded_ = {path, stamp, std::move(text)};
  }
  dictionaryLoadStatus_ = Status::OK();
  // The lines are read in place: the file's text is all the lexicon is made of.
  std::vector<std::string_view> lines;
  lines.reserve(static_cast<size_t>(std::count(decoded_.text.begin(), decoded_.text.end(), '\n')) + 1);
  ForEachLine(decoded_.text, [&lines](std::string_view line) { lines.push_back(line); });
  std::vector<Headword> records;
  if (WithinDictionaryBounds(lines)) {
    records.reserve(lines.size());
    for (const std::string_view line : lines) ParseLine(line, records);
  } else {
    dictionaryLoadStatus_ = Status::FromErrno(EFBIG);
  }
  lines = {};
  BuildLexicon(std::move(records));
}

void ConjugationDictionary::LoadDictionaryLines(const TStringList& lines) { BuildLexicon(ParseLines(lines)); }

std::vector<Headword> ConjugationDictionary::ParseLines(const TStringList& lines) {
  std::vector<Headword> records;
  records.reserve(static_cast<size_t>(lines.Count()));
  for (int i = 0; i < lines.Count(); ++i) ParseLine(lines[i], records);
  return records;
}

void ConjugationDictionary::BuildLexicon(std::vector<Headword> records) {
  for (Headword& record : records) record.gloss = glosses_.LookupExact(record.spelling);
  Lexicon::LevelLists levels{};
  for (size_t l = 0; l < levels.size(); ++l) levels[l] = &levels_[l];
  lexicon_ = Lexicon::Build(std::move(records), levels, glosses_.Texts());
}

void ConjugationDictionary::ParseLine(std::string_view line, std::vector<Headword>& records) {
  bool hasTab = false;
  const std::string_view headword = LineHeadword(line, hasTab);
  // A line without a tab has no inflection field.
  ReadCommaText(hasTab ? line.substr(headword.size() + 1) : std::string_view(), items_);
  Headword& record = records.emplace_back();
  record.spelling = headword;
  record.forms.reserve(items_.size());  // exact for nearly every line: no room left unused
  for (const std::string& item : items_) {
    if (DecodeInflectionItem(headword, item, spelling_)) {
      record.forms.push_back(spelling_);
    }
  }
}

void ConjugationDictionary::AddDictionaryLine(std::string_view line) {
  std::vector<Headword> records = lexicon_->Headwords();
  ParseLine(line, records);
  BuildLexicon(std::move(records));
}

std::vector<std::string> ConjugationDictionary::UserFilePaths() const {
  std::vector<std::string> paths{UserDictionaryPath()};
  for (int level = 1; level <= kLevelCount; ++level) paths.push_back(UserLevelPath(level));
  paths.push_back(glosses_.UserPath());
  return paths;
}

std::vector<std::string> ConjugationDictionary::StampedFiles(bool dictionaryOnly) const {
  std::vector<std::string> paths{UserDictionaryPath(), ShippedDictionaryPath()};
  if (dictionaryOnly) return paths;
  for (int level = 1; level <= kLevelCount; ++level) {
    paths.push_back(UserLevelPath(level));
    paths.push_back(ShippedLevelPath(level));
  }
  return paths;
}

bool ConjugationDictionary::FilesChangedOnDisk() const {
  if (stamps_.empty()) return false;
  return std::any_of(stamps_.begin(), stamps_.end(), [](const auto& known) { return StampOf(known.first) != known.second; });
}

const Status& ConjugationDictionary::LevelLoadStatus(int level) const {
  LevelFiles(level);  // range check
  return levelLoadStatus_[static_cast<size_t>(level - 1)];
}

int ConjugationDictionary::LevelOf(std::string_view headword) const {
  for (int level = 1; level <= kLevelCount; ++level) {
    if (LevelList(level).IndexOf(headword) >= 0) return level;
  }
  return 0;
}


}  // namespace lexiscoop
