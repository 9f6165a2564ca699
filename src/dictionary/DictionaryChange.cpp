// The write path of ConjugationDictionary: recording and deleting a headword,
// each as one transaction over the user's files.
#include <cerrno>
#include <exception>

#include "dictionary/CommaText.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DictionaryBounds.h"
#include "dictionary/DictionaryLine.h"
#include "dictionary/DictionaryTransaction.h"
#include "dictionary/InflectionItem.h"
#include "platform/Compare.h"
#include "platform/FileSystem.h"

namespace lexiscoop {
namespace {

// True when `text` holds a byte that would end or split a dictionary line.
bool BreaksLine(std::string_view text, bool tabToo) {
  for (const char c : text) {
    if (c == '\r' || c == '\n' || c == '\0' || (tabToo && c == '\t')) return true;
  }
  return false;
}

// The dictionary line of a record, or "" when the text cannot make one.
std::string RecordLine(std::string_view headword, std::string_view inflectionText) {
  if (headword.empty() || headword.size() > kMaxHeadwordBytes || BreaksLine(headword, true)) return {};
  const std::vector<std::string> spellings = ReadCommaText(inflectionText);
  if (spellings.size() > kMaxItemsPerLine) return {};
  std::vector<std::string> items;
  items.reserve(spellings.size());
  for (const std::string& spelling : spellings) {
    // Only a quoted spelling can hold a line break; it would split the line.
    if (BreaksLine(spelling, false) || !InflectionItemRoundTrips(headword, spelling)) return {};
    items.push_back(EncodeInflectionItem(headword, spelling));
  }
  std::string line(headword);
  line += '\t';
  line += WriteCommaText(items);
  if (line.size() > TCompressStringList::kMaxLineBytes) return {};
  return line;
}

// The index of the first line whose headword equals `headword`, letter case
// ignored (`exactCase`: byte for byte); -1 if none.
int FindLine(const TStringList& lines, std::string_view headword, bool exactCase) {
  for (int i = 0; i < lines.Count(); ++i) {
    bool hasTab = false;
    const std::string_view own = LineHeadword(lines[i], hasTab);
    if (hasTab && (exactCase ? own == headword : SameText(own, headword))) return i;
  }
  return -1;
}

}  // namespace

bool ConjugationDictionary::ReadToChange(TCompressStringList& list, const std::string& user,
                                         const std::string& shipped) {
  const std::string& path = FileExists(user) ? user : shipped;
  if (!FileExists(path)) return true;  // neither file: an empty list
  if (path == decoded_.path && StampOf(path) == decoded_.stamp) {
    list.LoadText(decoded_.text);  // the very file the last load decoded
    return true;
  }
  Status loaded = list.LoadFromFile(path);
  if (loaded.ok()) return true;
  damagedFile_ = path;
  lastSaveStatus_ = std::move(loaded);
  return false;
}

bool ConjugationDictionary::StageList(DictionaryTransaction& change, const TCompressStringList& list,
                                      const std::string& path) {
  try {
    change.Replace(path, list.FileImage());
    return true;
  } catch (const std::bad_alloc&) {
    lastSaveStatus_ = ChangeStatus(ENOMEM);
    return false;
  } catch (const std::exception&) {
    lastSaveStatus_ = ChangeStatus(EFBIG);  // larger than the file format records
    return false;
  }
}

bool ConjugationDictionary::Finish(DictionaryTransaction& change, bool dictionaryOnly,
                                   const TCompressStringList* dictionary) {
  const CommitOutcome outcome = change.Commit();
  lastSaveStatus_ = outcome.status;
  lastChangePending_ = outcome.state == CommitState::Pending;
  if (outcome.state == CommitState::Applied && dictionary != nullptr) {
    // The user's file now holds these lines, and nobody else writes while
    // the change's lock is held.
    const std::string path = UserDictionaryPath();
    decoded_ = {path, StampOf(path), dictionary->Text()};
  }
  // Still under the change's lock: the reload sees this change and no other
  // half done. A pending change stays as the files hold it until completed.
  ReloadFiles(dictionaryOnly);
  return outcome.state != CommitState::NotWritten;
}

RecordStatus ConjugationDictionary::RecordHeadword(std::string_view headword, std::string_view inflectionText,
                                                   int level) {
  return RecordHeadword(headword, inflectionText, level, std::nullopt);
}

RecordStatus ConjugationDictionary::RecordHeadword(std::string_view headword, std::string_view inflectionText,
                                                   int level, std::optional<std::string_view> glossText) {
  lastSaveStatus_ = Status::OK();
  lastChangePending_ = false;
  damagedFile_.clear();
  const std::string line = RecordLine(headword, inflectionText);
  if (line.empty()) return RecordStatus::InvalidText;

  DictionaryTransaction change(userFolder_, UserFilePaths(), lockWaitNotice_);
  if (Status begun = change.Begin(); !begun.ok()) {
    lastSaveStatus_ = std::move(begun);
    return RecordStatus::NotSaved;
  }
  // The files as they are now, whatever this object loaded before: a
  // damaged one is never overwritten.
  TCompressStringList lines;
  if (!ReadToChange(lines, UserDictionaryPath(), ShippedDictionaryPath())) return RecordStatus::DictionaryUnreadable;
  std::array<TCompressStringList, kLevelCount> levels;
  for (int n = 1; n <= kLevelCount; ++n) {
    TCompressStringList& list = levels[static_cast<size_t>(n - 1)];
    if (!ReadToChange(list, UserLevelPath(n), ShippedLevelPath(n))) return RecordStatus::DictionaryUnreadable;
  }
  if (level < 0) {
    level = 0;
    for (int n = kLevelCount; n >= 1; --n) {
      if (levels[static_cast<size_t>(n - 1)].IndexOf(headword) >= 0) level = n;
    }
  }

  const int i = FindLine(lines, headword, false);
  if (i >= 0) {
    lines.PutString(i, line);
  } else {
    lines.Add(line);
  }
  lines.SortByText();
  if (!StageList(change, lines, UserDictionaryPath())) return RecordStatus::NotSaved;

  for (int n = 1; n <= kLevelCount; ++n) {
    TCompressStringList& list = levels[static_cast<size_t>(n - 1)];
    if (n == level && list.Count() > 0) list.SetSorted(true);
    const int at = list.IndexOf(headword);
    if (n == level) {
      // A level whose list is missing or empty takes nothing.
      if (list.Count() == 0 || at >= 0) continue;
      list.Add(headword);
    } else {
      if (at < 0) continue;
      list.Delete(at);
    }
    if (!StageList(change, list, UserLevelPath(n))) return RecordStatus::NotSaved;
  }
  if (glossText) {
    switch (glosses_.StageRecord(change, headword, *glossText)) {
      case GlossRecordStatus::Recorded:
        break;
      case GlossRecordStatus::InvalidText:
        return RecordStatus::InvalidText;
      case GlossRecordStatus::TooLong:
        return RecordStatus::GlossTooLong;
      case GlossRecordStatus::UserFileUnreadable:
        damagedFile_ = glosses_.UserPath();
        lastSaveStatus_ = glosses_.UserLoadStatus();
        return RecordStatus::DictionaryUnreadable;
      case GlossRecordStatus::SaveFailed:
        lastSaveStatus_ = glosses_.SaveStatus();
        return RecordStatus::NotSaved;
    }
  }
  if (!Finish(change, false, &lines)) return RecordStatus::NotSaved;
  return lastChangePending_ ? RecordStatus::Pending : RecordStatus::Recorded;
}

bool ConjugationDictionary::DeleteHeadword(std::string_view headword) {
  lastSaveStatus_ = Status::OK();
  lastChangePending_ = false;
  damagedFile_.clear();
  DictionaryTransaction change(userFolder_, UserFilePaths(), lockWaitNotice_);
  if (Status begun = change.Begin(); !begun.ok()) {
    lastSaveStatus_ = std::move(begun);
    return false;
  }
  TCompressStringList lines;
  if (!ReadToChange(lines, UserDictionaryPath(), ShippedDictionaryPath())) return false;
  const int i = FindLine(lines, headword, true);
  if (i < 0) return false;
  lines.Delete(i);
  if (!StageList(change, lines, UserDictionaryPath())) return false;
  // The user's glosses of the headword go with it, in the same change.
  bool glossStaged = false;
  switch (glosses_.StageRevert(change, headword, glossStaged)) {
    case GlossRecordStatus::Recorded:
      break;
    case GlossRecordStatus::UserFileUnreadable:
      damagedFile_ = glosses_.UserPath();  // never written over
      return false;
    default:
      lastSaveStatus_ = glosses_.SaveStatus();
      return false;
  }
  return Finish(change, true, &lines);
}

}  // namespace lexiscoop
