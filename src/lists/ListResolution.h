#pragma once

#include <string>
#include <vector>

#include "lists/ListFile.h"
#include "lists/UserLevelSet.h"

namespace lexiscoop {

class Lexicon;

// What resolving a list's entries through the dictionary does with a word
// the dictionary lacks.
enum class UnknownWords {
  Drop,  // named in the notes and left out
  Keep,  // named in the notes and kept as a headword of one's own
};

// An import after resolution: what was taken, and the notes of every entry
// that was not taken as it stands (besides the notes of the files read).
template <typename T>
struct ListImport {
  T list;
  std::vector<ListNote> notes;
  int entriesRead = 0;  // entries of the files, before resolution
};

// The level set `name` made of `files` (one ListReading per file, in the
// order given). An entry that is a headword of the dictionary counts for
// it; any other spelling the dictionary knows counts for the headword it
// resolves to. A file whose rows name levels gives a level per name, in
// order of first appearance (its rows without a level go to the file's own
// level); a file without level names is one level named after `fileLevels`
// (its stem, as the caller names it). A headword in two levels counts in
// the first. Levels past kMaxUserLevels
// are named and left out; levels left empty are dropped.
ListImport<UserLevelSet> BuildLevelSet(const std::string& name, const std::vector<ListReading>& files,
                                       const std::vector<std::string>& fileLevels, const Lexicon& lexicon,
                                       UnknownWords unknown);

// The headwords of `entries`, resolved the same way, each once.
ListImport<std::vector<std::string>> ResolveListWords(const std::vector<ListEntry>& entries,
                                                      const Lexicon& lexicon, UnknownWords unknown);

// The stem of a file name: without folders and the last extension.
std::string FileStem(const std::string& path);

}  // namespace lexiscoop
