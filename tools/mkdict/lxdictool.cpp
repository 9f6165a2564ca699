// lxdictool: packs the generated word lists into the program's compressed
// list files and answers questions about them through the program's own
// dictionary code, for tools/mkdict/build and tools/mkdict/measure.
//
//   lxdictool pack IN.txt OUT.dat   one line of IN.txt per list entry
//   lxdictool dump IN.dat           the decoded lines, one per line
//   lxdictool resolve DIR           for every word read from standard input:
//       word TAB chosen headword TAB chosen headword again (the columns of
//       the statistics and the list, which now always agree) TAB level
//       number TAB candidate headwords in rule order (blank-separated),
//       using DIR/LxScoop.dat and the level lists in DIR ("-" for a word
//       that is not in the dictionary).
#include <fstream>
#include <iostream>
#include <memory>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/Lexicon.h"

namespace {

using namespace lexiscoop;

int Pack(const std::string& in, const std::string& out) {
  std::ifstream file(in, std::ios::binary);
  if (!file) {
    std::cerr << "lxdictool: cannot read " << in << "\n";
    return 1;
  }
  std::stringstream text;
  text << file.rdbuf();
  TCompressStringList list;
  list.SetText(text.str());
  for (int i = 0; i < list.Count(); ++i) {
    if (list[i].empty()) {
      std::cerr << "lxdictool: " << in << ": empty line " << i + 1 << "\n";
      return 1;
    }
  }
  const lexiscoop::Status status = list.SaveToFile(out);
  if (!status.ok()) {
    std::cerr << "lxdictool: cannot write " << out << " (" << status.ToString() << ")\n";
    return 1;
  }
  return 0;
}

int Dump(const std::string& in) {
  TCompressStringList list;
  if (!list.LoadFromFile(in).ok()) {
    std::cerr << "lxdictool: cannot decode " << in << "\n";
    return 1;
  }
  for (int i = 0; i < list.Count(); ++i) std::cout << list[i] << "\n";
  return 0;
}

int Resolve(const std::string& folder) {
  ConjugationDictionary dictionary(folder, folder);
  dictionary.ReloadDictionary(false);
  const std::shared_ptr<const Lexicon> lexicon = dictionary.CurrentLexicon();
  if (lexicon->HeadwordCount() == 0) {
    std::cerr << "lxdictool: no dictionary in " << folder << "\n";
    return 1;
  }
  // word, chosen headword (twice: the statistics and the list choose alike),
  // its level number, the candidates in the order of the headword rule.
  std::string word;
  while (std::getline(std::cin, word)) {
    if (!word.empty() && word.back() == '\r') word.pop_back();
    const std::span<const HeadwordId> candidates = lexicon->Candidates(word);
    if (candidates.empty()) {
      std::cout << word << "\t-\t-\t0\t\n";
      continue;
    }
    const Headword& chosen = lexicon->At(candidates.front());
    const int level = chosen.level == WordLevel::Other ? 0 : LevelIndex(chosen.level) + 1;
    std::cout << word << '\t' << chosen.spelling << '\t' << chosen.spelling << '\t' << level << '\t';
    const char* separator = "";
    for (const HeadwordId h : candidates) {
      std::cout << separator << lexicon->At(h).spelling;
      separator = " ";
    }
    std::cout << '\n';
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
  if (args.size() == 2 && args[0] == "dump") return Dump(args[1]);
  if (args.size() == 2 && args[0] == "resolve") return Resolve(args[1]);
  std::cerr << "usage: lxdictool pack IN.txt OUT.dat | dump IN.dat | resolve DIR\n";
  return 2;
}
