#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/StringList.h"

namespace lexiscoop {

// InflectionIndex: one entry per headword and per inflected spelling, its
// object slot the HeadwordList index of the headword. Kept sorted by
// CompareText with duplicates accepted; a new entry goes before the entries
// equal to it, so within a run of equal spellings the one added last (from
// the later dictionary line) stands first, and a look-up finds it.
class TInflectionIndex : public TStringList {
 public:
  struct Entry {
    std::string spelling;
    int32_t headword;
  };

  TInflectionIndex();

  // Replaces the entries with `entries`, given in the order in which they
  // are added: the result is the list that adding them one by one would
  // give, built with one sort.
  void Rebuild(std::vector<Entry> entries);
};

}  // namespace lexiscoop
