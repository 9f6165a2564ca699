#include "views/KnownShare.h"

#include "platform/Cp932.h"
#include "views/Coverage.h"

namespace lexiscoop {

int32_t KnownShare::PerMille() const {
  return runningWords <= 0 ? 0 : static_cast<int32_t>(known * 1000 / runningWords);
}

std::string KnownShare::PercentText() const {
  const int32_t perMille = PerMille();
  return std::to_string(perMille / 10) + "." + std::to_string(perMille % 10);
}

std::string KnownShare::Line() const {
  static const Cp932Text kKnown{"既習語で "};
  return kKnown.str() + PercentText() + "%";
}

KnownShare ComputeKnownShare(const WordTable& words, std::span<const WordLevel> levels,
                             std::span<const uint8_t> known, WordLevel none) {
  KnownShare share;
  for (int i = 0; i < words.Count(); ++i) {
    const size_t at = static_cast<size_t>(i);
    const int32_t occurrences = words.Occurrences(i);
    share.runningWords += occurrences;
    const WordLevel level = at < levels.size() ? levels[at] : none;
    const bool isKnown = at < known.size() && known[at] != 0;
    if (isKnown || (level == none && LooksLikeName(words.Word(i)))) share.known += occurrences;
  }
  return share;
}

}  // namespace lexiscoop
