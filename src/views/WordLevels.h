#pragma once

#include <vector>

#include "analysis/Analysis.h"
#include "analysis/WordLevel.h"

namespace lexiscoop {

// The level of every entry of the result's word table (index i -> entry i)
// as the run's classification gave it, the one the report counts; None for
// every word of a result that was never classified.
std::vector<WordLevel> WordLevelsOf(const AnalysisResult& result);

}  // namespace lexiscoop
