#pragma once

#include <string_view>

namespace lexiscoop {

// Trims and cuts one scanned word: trailing apostrophes and hyphens go, and
// English contractions lose their ending («I'm» → «I», «don't» → «do»,
// «can't» → «can»). Letter case is kept. The result is always a prefix of
// `word`; it is empty only for «n't» in any letter case.
std::string_view NormalizeWord(std::string_view word);

}  // namespace lexiscoop
