#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/StringList.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/DictionaryFiles.h"
#include "dictionary/GlossTable.h"
#include "dictionary/Lexicon.h"
#include "platform/FileLock.h"
#include "platform/FileStamp.h"
#include "platform/Status.h"

namespace lexiscoop {

class DictionaryObserver;
class DictionaryTransaction;

// Outcome of RecordHeadword.
enum class RecordStatus {
  Recorded,              // every file the change touches holds it
  NotSaved,              // nothing was written; LastSaveStatus() tells why
  Pending,               // the change is decided and will be completed by the
                         // next load; LastSaveStatus() tells what stopped it
  InvalidText,           // empty headword, or a tab, line break or zero byte where
                         // it would break the line structure; nothing written
  DictionaryUnreadable,  // a file the change reads (DamagedFile()) exists but
                         // cannot be read or decoded; nothing written, so it
                         // is never overwritten
  GlossTooLong,          // the glosses would make a line longer than the
                         // gloss file may hold (GlossTable::kMaxLineBytes);
                         // nothing written
};

// The conjugation dictionary (活用辞典) and the four level lists.
//
// Files: the dictionary "myLxScoop.dat" (the user's) or else "LxScoop.dat"
// (shipped) in the program folder; the level lists by bare file name in the
// level folder ("" = the current folder), the user's "my…" file replacing
// the shipped one completely. Every change reads the user's file (or, while
// there is none, the shipped one), changes it, writes the whole list as the
// user's file and reloads; no change is held only in memory. Shipped files
// are never written.
//
// Dictionary line: headword, TAB, the inflection items as comma text (see
// CommaText.h and InflectionItem.h); a line without a TAB has an empty
// headword and no items.
class ConjugationDictionary {
 public:
  // `programFolder` holds the dictionary files; `levelFolder` is where bare
  // level-list file names resolve ("" = the current folder). The user's
  // files are those of the shipped ones, and the lock and intent record of
  // a change are in the program folder. The lists start empty; call
  // ReloadDictionary(false) to fill them.
  ConjugationDictionary(std::string programFolder, std::string levelFolder);
  // The same, but every user's file (dictionary, level lists, glosses), the
  // lock and the intent record are in `userFolder` (see UserDataFolder.h).
  ConjugationDictionary(std::string programFolder, std::string levelFolder, std::string userFolder);
  ConjugationDictionary(const ConjugationDictionary&) = delete;
  ConjugationDictionary& operator=(const ConjugationDictionary&) = delete;

  // Receives the level buttons' state on every full reload; may be null.
  // Not owned.
  void SetObserver(DictionaryObserver* observer) { observer_ = observer; }

  // Called while a load or change waits for another process's lock on the
  // user's files (see FileLock); may be empty.
  void SetLockWaitNotice(LockWaitNotice notice);

  // Rebuilds the lists from the files. Unless `dictionaryOnly`, first loads
  // the four level lists (user's file, else shipped file, else empty; a file
  // that does not decode leaves its list as it was); a non-empty list is then
  // marked sorted and loses its empty entries. Then reads the dictionary file
  // (user's, else shipped: a missing file is reported by name, one that does
  // not decode gives an empty dictionary) and adds every line in file order.
  // Reads under the data folder's shared lock, after completing a change
  // that another process left interrupted, so that the files read belong to
  // one state.
  void ReloadDictionary(bool dictionaryOnly);

  // How the last reload found the user's files: OK, or why a change that
  // another process left interrupted was not completed (see ChangeStatus);
  // the files were then read as they are.
  const Status& InterruptedChangeStatus() const { return interruptedChangeStatus_; }

  // Replaces the lexicon's headwords with those of `lines`, one dictionary
  // line each, in order (what a reload does with the file).
  void LoadDictionaryLines(const TStringList& lines);

  // Adds one dictionary line: a new lexicon with the line's headword and the
  // spellings of its items as the last headword record.
  void AddDictionaryLine(std::string_view line);

  // Writes `headword` with the spellings of `inflectionText` (separated by
  // any mix of line breaks, blanks and commas; read as comma text) and puts
  // it into level `level` (0..4) only: into that level's list if the list
  // has any entry (a level whose files are missing or empty takes nothing),
  // and out of every other level's list. A headword already in the
  // dictionary (letter case ignored) has its line replaced, otherwise a line
  // is added; the dictionary is written sorted. A `level` below 0 keeps the
  // level the files give the headword. Reloads everything.
  //
  // The change is one transaction (see DictionaryTransaction): taken under
  // the data folder's exclusive lock and applied to the files as they are
  // at that moment, so a change another process made since the last load is
  // kept; afterwards every file holds the change or none does.
  RecordStatus RecordHeadword(std::string_view headword, std::string_view inflectionText, int level);
  // The same, and in the same transaction the user's glosses of `headword`
  // set as GlossTable::Record sets them from `glossText`: the headword, its
  // level and its glosses reach the files together or not at all.
  RecordStatus RecordHeadword(std::string_view headword, std::string_view inflectionText, int level,
                              std::optional<std::string_view> glossText);

  // Removes the first dictionary line whose headword equals `headword` byte
  // for byte from the files as they are under the lock, writes the user's
  // dictionary file and reloads the dictionary only (level lists are
  // untouched). Returns whether a line was found and its removal written
  // (or, Pending, decided); when none was found, or a file is damaged
  // (DamagedFile()), nothing is written.
  bool DeleteHeadword(std::string_view headword);

  // How the last RecordHeadword or DeleteHeadword ended: OK when every file
  // it had to change was written (or it changed none), otherwise the
  // failure (see ChangeStatus; its systemError() is EFBIG for a list too
  // large to encode, EBADMSG for a damaged file). After a failure no file
  // was changed, unless LastChangePending(): then the change is decided and
  // the next load completes it.
  const Status& LastSaveStatus() const { return lastSaveStatus_; }
  bool LastChangePending() const { return lastChangePending_; }
  // The file that stopped the last change because it exists but cannot be
  // read or decoded; empty when none did.
  const std::string& DamagedFile() const { return damagedFile_; }

  // True when a file the last load read (or found missing) has changed on
  // disk since: another process changed the dictionary.
  bool FilesChangedOnDisk() const;

  // The user's files a change may write: the dictionary, the four level
  // lists and the glosses.
  std::vector<std::string> UserFilePaths() const;

  // How the dictionary file read by the last reload loaded, and level list
  // 1..4 read by the last full reload (OK also for a level without files):
  // Status::FromErrno of the file's LoadFromFile result (NotFound for
  // ENOENT, Corruption for EBADMSG, a file that does not decode, TooLarge for
  // EFBIG, a file over the bounds), without a message. After a failure the
  // dictionary is empty and a level list keeps the lines it had.
  const Status& DictionaryLoadStatus() const { return dictionaryLoadStatus_; }
  const Status& LevelLoadStatus(int level) const;

  // The lexicon of the lists as the last load left them: headword i is the
  // headword of line i of the dictionary file (file order, never sorted),
  // levels by the level lists. Every load
  // makes a new one; one handed out earlier stays as it was. Never null.
  std::shared_ptr<const Lexicon> CurrentLexicon() const { return lexicon_; }

  // The Japanese glosses of the program folder (LxGloss.dat, and over it
  // the user's myLxGloss.dat), read again by every reload; the lexicon's
  // headword records carry them.
  const GlossTable& Glosses() const { return glosses_; }
  // Sets the user's glosses of `headword` (see GlossTable::Record) and
  // makes a new lexicon that carries them.
  GlossRecordStatus RecordGloss(std::string_view headword, std::string_view glossText);

  // LevelList 1..4 (Basic, Junior high, University entrance, General);
  // std::out_of_range for another number.
  const TCompressStringList& LevelList(int level) const;

  // The level number of a headword: the first of the level lists 1..4 that
  // holds it (letter case ignored), 0 when none does.
  int LevelOf(std::string_view headword) const;

  // The dictionary file that a reload reads: the user's file if it exists,
  // otherwise the shipped file (which may be missing too).
  std::string DictionaryPath() const;
  // True when the shipped or the user's dictionary file exists.
  bool HasDictionaryFile() const;
  std::string UserDictionaryPath() const;
  std::string ShippedDictionaryPath() const;
  // The level file that a reload reads (user's if it exists, else shipped),
  // and the paths of the user's and shipped level files.
  std::string LevelPath(int level) const;
  std::string UserLevelPath(int level) const;
  std::string ShippedLevelPath(int level) const;

  const std::string& ProgramFolder() const { return programFolder_; }
  const std::string& LevelFolder() const { return levelFolder_; }
  // The folder of the user's dictionary file, the lock and the intent record.
  const std::string& UserFolder() const { return userFolder_; }

 private:
  // ReloadDictionary without taking the lock (the caller holds one).
  void ReloadFiles(bool dictionaryOnly);
  std::vector<std::string> StampedFiles(bool dictionaryOnly) const;
  // Reads the file a change edits: the user's file, else the shipped one,
  // else nothing (an empty list). False (and DamagedFile() set) when the
  // file exists but cannot be read.
  bool ReadToChange(TCompressStringList& list, const std::string& user, const std::string& shipped);
  // Stages `list` as the new content of `path`; false (status set) when it
  // cannot be encoded.
  bool StageList(DictionaryTransaction& change, const TCompressStringList& list, const std::string& path);
  // Commits, sets the status, and reloads under the change's lock.
  // `dictionary`, when given, is the user's dictionary as staged: once the
  // change is applied the reload takes its text instead of decoding the file.
  bool Finish(DictionaryTransaction& change, bool dictionaryOnly, const TCompressStringList* dictionary);
  void LoadLevelList(int level);
  void LoadDictionary();
  // Appends the line's headword record to `records`.
  void ParseLine(std::string_view line, std::vector<Headword>& records);
  // The headword records of `lines`, one per line.
  std::vector<Headword> ParseLines(const TStringList& lines);
  // Makes the lexicon of `records` (one per dictionary line) and the level
  // lists as they are.
  void BuildLexicon(std::vector<Headword> records);

  std::string programFolder_;
  std::string levelFolder_;
  std::string userFolder_;       // the user's dictionary and gloss files, the lock
  std::string userLevelFolder_;  // the user's level lists
  DictionaryObserver* observer_ = nullptr;
  LockWaitNotice lockWaitNotice_;
  Status interruptedChangeStatus_;
  Status lastSaveStatus_;
  bool lastChangePending_ = false;
  std::string damagedFile_;
  std::vector<std::pair<std::string, FileStamp>> stamps_;  // files of the last load
  Status dictionaryLoadStatus_;
  std::array<Status, kLevelCount> levelLoadStatus_{};
  // The file each level list was last read from, and its stamp then: a
  // reload reads a level file again only when it changed.
  std::array<std::pair<std::string, FileStamp>, kLevelCount> levelSources_;
  std::array<TCompressStringList, kLevelCount> levels_;
  // The dictionary file's decoded text as last read (or written), with its
  // stamp then: a reload or a change decodes the file again only when it
  // changed.
  struct DecodedFile {
    std::string path;
    FileStamp stamp;
    std::string text;
  };
  DecodedFile decoded_;
  std::shared_ptr<const Lexicon> lexicon_ = Lexicon::Empty();
  GlossTable glosses_;
  std::vector<std::string> items_;  // scratch for the items of one line
  std::string spelling_;            // scratch for one decoded spelling
};

}  // namespace lexiscoop
