#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Status.h"

namespace lexiscoop {

// The dictionary editor's messages and questions, CP932, line breaks CR LF.

// Shown for a headword box that holds a character other than a-z, A-Z, the
// hyphen and the apostrophe.
const std::string& InvalidHeadwordMessage();

// Asked before recording `headword`, which the dictionary holds as an
// inflected spelling of `owner`.
std::string SpellingOfOtherQuestion(std::string_view headword, std::string_view owner);

// Asked before every record: the headword, the inflection lines (omitted
// when `inflectionText` is empty; each of its lines ends in CR LF already)
// and the name of level `level` (0..4). More than twenty inflection lines
// are cut to the first twenty and a line counting the rest. The glosses
// (訳語) recorded with the headword follow under their own heading, unless
// `gloss` is empty.
std::string RecordQuestion(std::string_view headword, std::string_view inflectionText, int level,
                           std::string_view gloss = {});

// Asked before deleting `headword`.
std::string DeleteQuestion(std::string_view headword);

// A record refused because the headword or a spelling would break the
// dictionary line.
std::string RecordRefusedMessage(std::string_view headword);

// A record refused because the glosses of `headword` would make a line of
// `lineBytes` bytes (headword, TAB and glosses), longer than the gloss file
// may hold (`maxBytes`); nothing was written.
std::string GlossTooLongMessage(std::string_view headword, size_t lineBytes, size_t maxBytes);

// A record refused because the user's dictionary file at `path` (a file
// system path, UTF-8) exists but cannot be read; it is left as it is.
std::string DictionaryUnreadableMessage(std::string_view path);

// The reloaded dictionary does not hold what was recorded or still holds
// what was deleted: the file could not be written; the refusal `status`
// carries (its message, see ChangeStatus) is said on a line of its own.
std::string NotWrittenMessage(std::string_view headword, const Status& status = Status::OK());

// A record refused because `spelling` would be stored as an item that reads
// back as another spelling.
std::string UnstorableSpellingMessage(std::string_view spelling);

// A change refused, or a start-up warning, because the dictionary file at
// `path` (UTF-8) exists but is damaged or cannot be read; nothing is ever
// written over it.
std::string DamagedFileMessage(std::string_view path);

// A change decided but not completed on disk; the next load completes it.
std::string PendingMessage(std::string_view headword);

// The dictionary files changed on disk since they were loaded; the editor
// has reloaded them and shows the current entry.
const std::string& ChangedOnDiskMessage();

}  // namespace lexiscoop
