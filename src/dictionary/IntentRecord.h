#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexiscoop {

// One file of a change's intent record: a user's file and the new version
// that replaces it, "<target>.tmp-<suffix>" beside it.
struct IntentEntry {
  std::string target;  // bare name of the user's file ("myLxScoop.dat"), or
                       // a list folder's file by folder and name ("known/a.lxk")
  std::string suffix;  // the six letters and digits of the temporary name
};

// The record's bytes: "LXJ1\n", the number of files, for each the temporary
// name and the target name as "<length>:<bytes>\n", then "END <check>\n"
// where check is the FNV-1a hash (hex) of everything before it. The check
// catches a torn write, not a forgery: a reader trusts no name in it.
std::string IntentRecordText(const std::vector<IntentEntry>& entries);

enum class IntentRecordKind {
  Valid,    // every name is one of the known files and its temporary
  Damaged,  // torn or garbled: the change it describes was never decided
  Outside,  // names anything else (a path, "..", a file not ours)
};

// The folders of the data folder whose files a change may name by folder
// and name: the user's level sets and known-word lists.
inline constexpr std::string_view kUserListFolders[] = {"levelsets", "known"};

// Reads an intent record. `knownFiles` are the paths of the user's files a
// change may touch; a target is accepted as the bare name of one of them
// (or, as older versions wrote it, as exactly its absolute path) with a
// temporary name of the program's own pattern beside it, or as the plain
// name of a file in one of kUserListFolders. Fills `entries`
// for a Valid record.
IntentRecordKind ParseIntentRecord(std::string_view text, const std::vector<std::string>& knownFiles,
                                   std::vector<IntentEntry>& entries);

// True for the six letters or digits that end a temporary file's name.
bool IsTemporarySuffix(std::string_view suffix);

// The part of `path` after its last '/'.
std::string BareName(const std::string& path);

}  // namespace lexiscoop
