// Makes a script of dictionary changes the way the window's editor makes
// them: one dictionary object loaded once and kept, reloaded when another
// program changed the files, every change passing the editor's checks.
//
//   dict_writer DATA SCRIPT
//
// SCRIPT lines: "R headword level spelling,spelling" or "D headword".
// Exit 0 when every change was applied, 1 (with a message) at the first one
// that was not.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "dictionary/ConjugationDictionary.h"
#include "editor/EditorChecks.h"

int main(int argc, char** argv) {
  using namespace lexiscoop;
  if (argc != 3) {
    std::fprintf(stderr, "usage: dict_writer DATA SCRIPT\n");
    return 2;
  }
  ConjugationDictionary dictionary(argv[1], argv[1]);
  dictionary.ReloadDictionary(false);
  std::ifstream script(argv[2]);
  std::string line;
  int number = 0;
  while (std::getline(script, line)) {
    ++number;
    std::istringstream fields(line);
    std::string op, headword, forms;
    int level = 0;
    fields >> op >> headword;
    if (dictionary.FilesChangedOnDisk()) dictionary.ReloadDictionary(false);
    if (op == "R") {
      fields >> level >> forms;
      if (!IsValidHeadword(headword) || !UnstorableSpelling(headword, forms).empty()) {
        std::fprintf(stderr, "line %d: refused by the editor's checks\n", number);
        return 1;
      }
      const RecordStatus status = dictionary.RecordHeadword(headword, forms, level);
      if (status != RecordStatus::Recorded) {
        std::fprintf(stderr, "line %d: record ended with %d (%s)\n", number, static_cast<int>(status),
                     dictionary.LastSaveStatus().ToString().c_str());
        return 1;
      }
    } else if (op == "D") {
      if (!dictionary.DeleteHeadword(headword) || !dictionary.LastSaveStatus().ok()) {
        std::fprintf(stderr, "line %d: delete failed (%s)\n", number, dictionary.LastSaveStatus().ToString().c_str());
        return 1;
      }
    }
  }
  return 0;
}
