#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/CompressStringList.h"
#include "platform/FileLock.h"
#include "platform/FileStamp.h"
#include "platform/Status.h"

namespace lexiscoop {

class DictionaryTransaction;

// The gloss files in the program folder: the shipped Japanese glosses and
// the user's own. Both are compressed list files of lines
// «headword TAB gloss; gloss» (CP932).
inline constexpr const char* kShippedGlossFile = "LxGloss.dat";
inline constexpr const char* kUserGlossFile = "myLxGloss.dat";

// Outcome of GlossTable::Record.
enum class GlossRecordStatus {
  Recorded,        // written and reloaded
  InvalidText,     // empty headword, or a tab or line break in it; nothing written
  TooLong,         // the user's file would hold a line (or as many lines) as
                   // its reader refuses (kMaxLineBytes); nothing written
  UserFileUnreadable,  // the user's file exists but does not read or decode;
                       // nothing written, so it is not overwritten
  SaveFailed,      // the write failed; the old file is unchanged (SaveStatus)
};

// The Japanese glosses (訳語) of the headwords: the shipped file, and over
// it the user's file, whose line for a headword replaces the shipped line
// for that headword only (the user's other headwords keep the shipped
// glosses, which a new release may improve). A user's line with no gloss
// after the TAB hides the shipped glosses of its headword.
//
// Headwords are looked up with ASCII letter case ignored; a line whose
// headword matches byte for byte is preferred.
class GlossTable {
 public:
  // The longest line, headword and TAB included, that a gloss file may hold:
  // the reader refuses a file with a longer one, so the writer refuses to
  // write one.
  static constexpr size_t kMaxLineBytes = TCompressStringList::kMaxLineBytes;

  // `programFolder` holds the shipped file ("" = the current folder),
  // `userFolder` the user's file and the lock of its changes (the program
  // folder when empty). Starts empty; call Reload.
  explicit GlossTable(std::string programFolder, std::string userFolder = {});

  // Reads both files again. A missing file counts as empty. A file that
  // cannot be read or decoded leaves its part empty and is reported by
  // ShippedLoadStatus / UserLoadStatus.
  void Reload();

  // Called while a reload or change waits for another process's lock.
  void SetLockWaitNotice(LockWaitNotice notice) { lockWaitNotice_ = std::move(notice); }

  // The glosses of `headword` as stored («gloss; gloss», CP932), or "" when
  // it has none.
  std::string_view Lookup(std::string_view headword) const;
  // The same for a headword spelled exactly so (letter case counts): the
  // glosses of «May» are not those of «may».
  std::string_view LookupExact(std::string_view headword) const;

  // Sets the user's glosses of `headword`: `glossText` is normalised by
  // NormalizeGlossText ("" keeps a line that hides the shipped glosses,
  // unless the headword has no shipped glosses, when the user's line is
  // removed). Reads the user's file, changes that one line, writes the file
  // atomically and reloads.
  GlossRecordStatus Record(std::string_view headword, std::string_view glossText);

  // Record as a part of a larger change: reads the user's file as it is
  // now (the caller's `change` has begun and holds the lock), changes the
  // line of `headword` and stages the file in `change`, which the caller
  // commits. Stages nothing when nothing changes, and nothing on a refusal.
  // The table itself is not reloaded.
  GlossRecordStatus StageRecord(DictionaryTransaction& change, std::string_view headword, std::string_view glossText);

  // Removes the user's line of `headword`, so the shipped glosses show
  // again. Returns Recorded also when there was no such line (nothing is
  // written then).
  GlossRecordStatus Revert(std::string_view headword);

  // Revert as part of a change of the caller's (which holds the lock): the
  // user's file without the line of `headword` is handed to `change`, and
  // `staged` tells whether there was a line to remove. The caller commits,
  // then reloads (LoadFiles).
  GlossRecordStatus StageRevert(DictionaryTransaction& change, std::string_view headword, bool& staged) {
    return StageUserLine(change, headword, nullptr, staged);
  }

  // The user's line of `headword` exists (an edited gloss).
  bool IsEdited(std::string_view headword) const;

  // How the shipped and the user's file loaded: Status::FromErrno of the
  // load's errno (Corruption for EBADMSG, a damaged file), without a message.
  const Status& ShippedLoadStatus() const { return shippedStatus_; }
  const Status& UserLoadStatus() const { return userStatus_; }
  // How the last change of the user's glosses ended (see ChangeStatus).
  const Status& SaveStatus() const { return saveStatus_; }
  // Lines loaded from the shipped and from the user's file.
  size_t ShippedCount() const { return shipped_.exact.size(); }
  size_t UserCount() const { return user_.exact.size(); }

  // The texts every gloss this table returns points into; a holder of
  // them keeps those views valid after the table reloads.
  std::vector<std::shared_ptr<const std::string>> Texts() const;

  std::string ShippedPath() const;
  std::string UserPath() const;

  // Glosses typed by a user, as stored: split at «;», «；», «、», «,» and
  // line breaks, each trimmed of blanks (ASCII and ideographic), empty ones
  // dropped, joined by «; ». Tabs become blanks. CP932 in and out.
  static std::string NormalizeGlossText(std::string_view text);

 // Reload for a caller that already holds the data folder's lock (the
  // dictionary's reload, which may run inside a change).
  void LoadFiles();

 private:
  // Reload without taking the lock (the caller holds one).

  // One gloss file: its decoded text, and where each line's headword and
  // glosses stand in it. Compact: the shipped file has tens of thousands of
  // lines and stays loaded while the program runs.
  struct Table {
    struct Line {
      uint32_t headword;
      uint32_t headwordLength;
      uint32_t glosses;
      uint32_t glossesLength;
    };
    // Shared: a lexicon built from this table keeps its glosses as views
    // into the text and holds it while it lives.
    std::shared_ptr<const std::string> text;
    std::vector<Line> lines;       // lines with a headword, in file order
    std::vector<uint32_t> exact;   // into lines, by headword bytes; the last line of a headword only
    std::vector<uint32_t> folded;  // into lines, by folded headword; the first line of a folded form only
    FileStamp source;  // of the file the table was read from; none when not read whole

    void Clear() { *this = Table(); }
    // Indexes the lines of `text`.
    void Index();
    std::string_view Text() const { return text != nullptr ? std::string_view(*text) : std::string_view(); }
    std::string_view Headword(uint32_t line) const {
      return Text().substr(lines[line].headword, lines[line].headwordLength);
    }
    std::string_view Glosses(uint32_t line) const {
      return Text().substr(lines[line].glosses, lines[line].glossesLength);
    }
    // The glosses of the last line spelled `headword`; with `foldCase`, of
    // the last line spelled like the first line whose headword equals it
    // with ASCII letter case ignored.
    bool Find(std::string_view headword, bool foldCase, std::string_view& glosses) const;
  };

  // Reads `path` into `table`, unless the table holds that very file already.
  static Status LoadFile(const std::string& path, Table& table);
  GlossRecordStatus ChangeUserLine(std::string_view headword, const std::string* glosses);
  // Reads the user's file as it is now and hands it to `change` with the
  // line of `headword` set to `glosses` (null: removed); `staged` is false
  // when nothing needed to change.
  GlossRecordStatus StageUserLine(DictionaryTransaction& change, std::string_view headword,
                                  const std::string* glosses, bool& staged);
  // Not empty, and no tab, line break or zero byte in it.
  static bool IsStorableHeadword(std::string_view headword);
  // The glosses Record stores for `glossText`; null when the user's line is
  // to go instead.
  static const std::string* RecordedGlosses(const std::string& normalized, bool hasShipped);

  std::string programFolder_;
  std::string userFolder_;  // the user's file and the lock
  LockWaitNotice lockWaitNotice_;
  Table shipped_;
  Table user_;
  Status shippedStatus_;
  Status userStatus_;
  Status saveStatus_;
};

}  // namespace lexiscoop
