#pragma once

#include <string>
#include <string_view>

#include "analysis/StringList.h"

namespace lexiscoop {

// The word-details text for one shown word (CP932, every line ended by CR LF):
//
//   ----- w -----
//   (empty)
//   見出し語です / 見出し語ではありません   — w as a headword (case ignored),
//     then an empty line, "   活用形一覧" and every spelling indexed under
//     that headword, in index order, each followed by ", "
//   (empty)
//   登録語です / 登録語ではありません       — w in the inflection index,
//     then an empty line, "   見出し語一覧" and the headword of every entry
//     around the first match that equals w byte for byte, each followed by ", "
//     (empty when the first match differs from w in letter case)
std::string WordDetailsText(std::string_view word, const TStringList& headwordList,
                            const TStringList& inflectionIndex);

}  // namespace lexiscoop
