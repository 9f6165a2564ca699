#pragma once

#include <string>

namespace lexiscoop {

// The messages of the list importers and stores (CP932). "%1", "%2" stand
// for the words they name.
enum class ListText {
  NotAWord,          // the line holds no single English word
  TooLong,           // a word longer than any headword
  CountsAs,          // «%1» counts as its headword «%2»
  NotInDictionary,   // «%1» is not in the dictionary; left out
  KeptAsOwn,         // «%1» is not in the dictionary; kept as a headword of one's own
  InEarlierLevel,    // «%1» is in level «%2» already and counts there
  TooManyLevels,     // more than 9 levels; this one is left out
  CannotRead,        // the file cannot be read (%1: why)
  NotAWorkbook,      // not an .xlsx workbook
  NoSheet,           // the workbook has no sheet to read
  BadSheet,          // the sheet's XML cannot be read
  Damaged,           // a stored list is damaged and is not written over
  BadName,           // a name that cannot be a list's name
  NoSuchList,        // no list of that name
  NoLevels,          // a set without a single word
};

// The message, CP932, converted once on first use.
const std::string& ListMessage(ListText text);

// The message with "%1" (and "%2") replaced by `first` (and `second`).
std::string ListMessage(ListText text, const std::string& first, const std::string& second = {});

}  // namespace lexiscoop
