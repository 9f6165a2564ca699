#pragma once

#include <string>
#include <string_view>

#include "lists/UserLevelSet.h"

namespace lexiscoop {

// The stored form of a level set and of a known-word list: CP932 text,
// CR LF lines, written whole by the program and never edited in place.
//
//   LexiscoopLevelSet<TAB>1          LexiscoopKnownWords<TAB>1
//   name<TAB>NAME                    name<TAB>NAME
//   level<TAB>KEY<TAB>RRGGBB<TAB>COUNT<TAB>LEVEL NAME
//   headword                         headword
//   ... (COUNT headwords)            ...
//   level<TAB>...
//   end<TAB>TOTAL<TAB>CHECK          end<TAB>TOTAL<TAB>CHECK
//
// TOTAL is the number of headwords, CHECK the FNV-1a 32-bit hash of every
// byte before the end line, 8 lower-case hex digits. A file that does not
// read exactly so is damaged.
inline constexpr std::string_view kLevelSetMagic = "LexiscoopLevelSet\t1";
inline constexpr std::string_view kKnownListMagic = "LexiscoopKnownWords\t1";
inline constexpr const char* kLevelSetExtension = ".lxset";
inline constexpr const char* kKnownListExtension = ".lxknown";
inline constexpr size_t kMaxStoredListBytes = 64u << 20;
inline constexpr size_t kMaxListNameBytes = 64;

std::string EncodeLevelSet(const UserLevelSet& set);
std::string EncodeKnownList(const KnownWordList& list);

// False (with `out` unspecified) when `bytes` is not a whole, undamaged file.
bool DecodeLevelSet(std::string_view bytes, UserLevelSet& out);
bool DecodeKnownList(std::string_view bytes, KnownWordList& out);

}  // namespace lexiscoop
