#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/WordClassifier.h"
#include "analysis/WordLevel.h"

namespace lexiscoop {

class Lexicon;
struct AnalysisResult;

// The word-details text for one shown word (CP932, every line ended by CR LF):
//
//   ----- w -----
//   (empty)
//   見出し語です / 見出し語ではありません   — w as a headword (case ignored;
//     of several, the one the headword rule ranks first), then an empty
//     line, "   活用形一覧" and every spelling of that headword (itself
//     included) in word order, each followed by ", "
//   (empty)
//   登録語です / 登録語ではありません       — w as any spelling (case
//     ignored), then an empty line, "   見出し語一覧" and every candidate
//     headword that spells w byte for byte, in the order of the headword
//     rule (the chosen one first), separated by ", "
std::string WordDetailsText(std::string_view word, const Lexicon& lexicon);

// What the run says of a shown word, for the details (CP932, lines ended
// by CR LF): «レベル: 中学» and «出現数: 1,234».
std::string WordRunLines(WordLevel level, int32_t count);

// How the run read the occurrences of word-table entry `entry` when it read
// them as several headwords (CP932, lines ended by CR LF): «文脈での読み:
// live 3, life 2» (each headword with its occurrences, the row's first) and,
// when `occurrenceReading` is one of them, «この箇所の読み: life». Empty for
// a word read as one headword.
std::string SplitReadingLines(const AnalysisResult& result, int32_t entry, HeadwordId occurrenceReading = kNoHeadword);

}  // namespace lexiscoop
