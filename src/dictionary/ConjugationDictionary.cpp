#include "dictionary/ConjugationDictionary.h"

#include <stdexcept>

#include "dictionary/CommaText.h"
#include "dictionary/DictionaryObserver.h"
#include "dictionary/InflectionItem.h"
#include "platform/Compare.h"
#include "platform/FileSystem.h"

namespace lexiscoop {
namespace {

// The headword of a dictionary line: the text before its first tab; a line
// without a tab has none.
std::string_view LineHeadword(std::string_view line, bool& hasTab) {
  const size_t tab = line.find('\t');
  hasTab = tab != std::string_view::npos;
  return hasTab ? line.substr(0, tab) : std::string_view();
}

// True when `text` holds a byte that would end or split a dictionary line.
bool BreaksLine(std::string_view text, bool tabToo) {
  for (const char c : text) {
    if (c == '\r' || c == '\n' || c == '\0' || (tabToo && c == '\t')) return true;
  }
  return false;
}

}  // namespace

ConjugationDictionary::ConjugationDictionary(std::string programFolder, std::string levelFolder)
    : programFolder_(std::move(programFolder)), levelFolder_(std::move(levelFolder)) {}

TCompressStringList& ConjugationDictionary::LevelList(int level) {
  LevelFiles(level);  // range check
  return levels_[static_cast<size_t>(level - 1)];
}

const TCompressStringList& ConjugationDictionary::LevelList(int level) const {
  LevelFiles(level);
  return levels_[static_cast<size_t>(level - 1)];
}

std::array<TStringList*, kLevelCount> ConjugationDictionary::LevelLists() {
  return {&levels_[0], &levels_[1], &levels_[2], &levels_[3]};
}

std::string ConjugationDictionary::UserDictionaryPath() const {
  return JoinPath(programFolder_, kUserDictionaryFile);
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
  return JoinPath(levelFolder_, LevelFiles(level).user);
}

std::string ConjugationDictionary::ShippedLevelPath(int level) const {
  return JoinPath(levelFolder_, LevelFiles(level).shipped);
}

std::string ConjugationDictionary::LevelPath(int level) const {
  const std::string user = UserLevelPath(level);
  return FileExists(user) ? user : ShippedLevelPath(level);
}

void ConjugationDictionary::ReloadDictionary(bool dictionaryOnly) {
  if (!dictionaryOnly) {
    for (int level = 1; level <= kLevelCount; ++level) LoadLevelList(level);
    if (observer_ != nullptr) observer_->LevelListsLoaded();
  }
  LoadDictionary();
}

void ConjugationDictionary::LoadLevelList(int level) {
  TCompressStringList& list = LevelList(level);
  const std::string path = LevelPath(level);
  int& status = levelLoadStatus_[static_cast<size_t>(level - 1)];
  if (FileExists(path)) {
    status = list.LoadFromFile(path);
  } else {
    status = 0;
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
  TCompressStringList lines;
  dictionaryLoadStatus_ = lines.LoadFromFile(DictionaryPath());
  LoadDictionaryLines(lines);
}

void ConjugationDictionary::LoadDictionaryLines(const TStringList& lines) {
  headwords_.Clear();
  headwords_.Reserve(lines.Count());
  std::vector<TInflectionIndex::Entry> entries;
  entries.reserve(static_cast<size_t>(lines.Count()) * 5);
  std::vector<Headword> records;
  records.reserve(static_cast<size_t>(lines.Count()));
  for (int i = 0; i < lines.Count(); ++i) ParseLine(lines[i], entries, records);
  index_.Rebuild(std::move(entries));
  BuildLexicon(std::move(records));
}

void ConjugationDictionary::BuildLexicon(std::vector<Headword> records) {
  Lexicon::LevelLists levels{};
  for (size_t l = 0; l < levels.size(); ++l) levels[l] = &levels_[l];
  lexicon_ = Lexicon::Build(std::move(records), levels);
}

void ConjugationDictionary::ParseLine(std::string_view line, std::vector<TInflectionIndex::Entry>& entries,
                                      std::vector<Headword>& records) {
  bool hasTab = false;
  const std::string_view headword = LineHeadword(line, hasTab);
  // A line without a tab has no inflection field.
  ReadCommaText(hasTab ? line.substr(headword.size() + 1) : std::string_view(), items_);
  const int32_t h = headwords_.Count();
  headwords_.AddObject(headword, static_cast<int32_t>(items_.size()));
  entries.push_back({std::string(headword), h});
  Headword& record = records.emplace_back();
  record.spelling = headword;
  for (const std::string& item : items_) {
    if (DecodeInflectionItem(headword, item, spelling_)) {
      entries.push_back({spelling_, h});
      record.forms.push_back(spelling_);
    }
  }
}

void ConjugationDictionary::AddDictionaryLine(std::string_view line) {
  std::vector<TInflectionIndex::Entry> entries;
  std::vector<Headword> records = lexicon_->Headwords();
  ParseLine(line, entries, records);
  for (const TInflectionIndex::Entry& entry : entries) index_.AddObject(entry.spelling, entry.headword);
  BuildLexicon(std::move(records));
}

RecordStatus ConjugationDictionary::RecordHeadword(std::string_view headword, std::string_view inflectionText,
                                                   int level) {
  lastSaveStatus_ = 0;
  if (headword.empty() || BreaksLine(headword, true)) return RecordStatus::InvalidText;
  const std::vector<std::string> spellings = ReadCommaText(inflectionText);
  std::vector<std::string> items;
  items.reserve(spellings.size());
  for (const std::string& spelling : spellings) {
    // Only a quoted spelling can hold a line break; it would split the line.
    if (BreaksLine(spelling, false)) return RecordStatus::InvalidText;
    items.push_back(EncodeInflectionItem(headword, spelling));
  }
  std::string line(headword);
  line += '\t';
  line += WriteCommaText(items);

  // The user's file is about to be replaced: one that exists but cannot be
  // read must not be overwritten by a file holding the new line alone.
  TCompressStringList lines;
  const std::string user = UserDictionaryPath();
  if (FileExists(user)) {
    if (lines.LoadFromFile(user) != 0) return RecordStatus::DictionaryUnreadable;
  } else {
    lines.LoadFromFile(ShippedDictionaryPath());
  }

  // HeadwordList indices are line numbers of the file last loaded; should
  // the file have changed since, the line is looked for in the file itself.
  bool hasTab = false;
  int i = headwords_.IndexOf(headword);
  if (i < 0 || i >= lines.Count() || !SameText(LineHeadword(lines[i], hasTab), headword)) {
    i = -1;
    for (int j = 0; j < lines.Count(); ++j) {
      if (SameText(LineHeadword(lines[j], hasTab), headword) && hasTab) {
        i = j;
        break;
      }
    }
  }
  if (i >= 0) {
    lines.PutString(i, line);
  } else {
    lines.Add(line);
  }
  lines.SortByText();
  Save(lines, user);

  if (level >= 1 && level <= kLevelCount) AddToLevelList(level, headword);
  for (int other = 1; other <= kLevelCount; ++other) {
    if (other != level) RemoveFromLevelList(other, headword);
  }
  ReloadDictionary(false);
  return RecordStatus::Recorded;
}

void ConjugationDictionary::AddToLevelList(int level, std::string_view headword) {
  TCompressStringList list;
  const std::string path = LevelPath(level);
  if (!FileExists(path) || !LoadToChange(list, path) || list.Count() == 0) return;
  list.SetSorted(true);
  if (list.IndexOf(headword) >= 0) return;
  list.Add(headword);
  Save(list, UserLevelPath(level));
}

void ConjugationDictionary::RemoveFromLevelList(int level, std::string_view headword) {
  TCompressStringList list;
  const std::string path = LevelPath(level);
  if (!FileExists(path) || !LoadToChange(list, path)) return;
  const int i = list.IndexOf(headword);
  if (i < 0) return;
  list.Delete(i);
  Save(list, UserLevelPath(level));
}

bool ConjugationDictionary::LoadToChange(TCompressStringList& list, const std::string& path) {
  const int status = list.LoadFromFile(path);
  if (status != 0 && lastSaveStatus_ == 0) lastSaveStatus_ = status;
  return status == 0;
}

void ConjugationDictionary::Save(const TCompressStringList& list, const std::string& path) {
  const int status = list.SaveToFile(path);
  if (lastSaveStatus_ == 0) lastSaveStatus_ = status;
}

bool ConjugationDictionary::DeleteHeadword(std::string_view headword) {
  lastSaveStatus_ = 0;
  TCompressStringList lines;
  lines.LoadFromFile(DictionaryPath());
  for (int i = 0; i < lines.Count(); ++i) {
    bool hasTab = false;
    if (LineHeadword(lines[i], hasTab) == headword && hasTab) {
      lines.Delete(i);
      Save(lines, UserDictionaryPath());
      ReloadDictionary(true);
      return true;
    }
  }
  return false;
}

int ConjugationDictionary::LevelLoadStatus(int level) const {
  LevelFiles(level);  // range check
  return levelLoadStatus_[static_cast<size_t>(level - 1)];
}

int ConjugationDictionary::LevelOf(std::string_view headword) const {
  for (int level = 1; level <= kLevelCount; ++level) {
    if (LevelList(level).IndexOf(headword) >= 0) return level;
  }
  return 0;
}

std::vector<std::string> ConjugationDictionary::SpellingsOf(int headwordIndex) const {
  std::vector<std::string> spellings;
  for (int i = 0; i < index_.Count(); ++i) {
    if (index_.Objects(i) == headwordIndex) spellings.push_back(index_[i]);
  }
  return spellings;
}

}  // namespace lexiscoop
