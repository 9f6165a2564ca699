#pragma once

#include <functional>

#include "export/WordListExport.h"

namespace lexiscoop {

struct AnalysisResult;

// The headword and level of every entry of a classified result's word
// table, as the run's classification gave them: the headword the report
// counts and the list's 原形 shows. The returned function keeps a reference
// to the result.
std::function<EntryHeadword(int entry)> ResultHeadwords(const AnalysisResult& result);

}  // namespace lexiscoop
