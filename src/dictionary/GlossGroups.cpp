#include "dictionary/GlossGroups.h"

#include <array>

namespace lexiscoop {

namespace {

// 名 動 形 副 前 接 代 助 間 in CP932.
constexpr std::array<std::string_view, 9> kLabels = {
    "\x96\xBC", "\x93\xAE", "\x8C\x60", "\x95\x9B", "\x91\x4F",
    "\x90\xDA", "\x91\xE3", "\x8F\x95", "\x8A\xD4"};
constexpr std::string_view kGroupSeparator = " / ";
constexpr std::string_view kGlossSeparator = "; ";

// Splits `text` at `separator`, leaving out empty pieces.
std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> pieces;
  while (true) {
    const size_t at = text.find(separator);
    const std::string_view piece = text.substr(0, at);
    if (!piece.empty()) pieces.push_back(piece);
    if (at == std::string_view::npos) return pieces;
    text.remove_prefix(at + separator.size());
  }
}

}  // namespace

std::string_view LeadingGlossLabel(std::string_view text) {
  if (text.size() < 3 || text[2] != ' ') return {};
  for (std::string_view label : kLabels) {
    if (text.substr(0, 2) == label) return text.substr(0, 2);
  }
  return {};
}

std::vector<GlossGroup> DecodeGlossGroups(std::string_view text) {
  std::vector<GlossGroup> groups;
  if (LeadingGlossLabel(text).empty()) {
    std::vector<std::string_view> glosses = Split(text, kGlossSeparator);
    if (!glosses.empty()) groups.push_back({{}, std::move(glosses)});
    return groups;
  }
  for (std::string_view part : Split(text, kGroupSeparator)) {
    GlossGroup group;
    group.label = LeadingGlossLabel(part);
    if (!group.label.empty()) part.remove_prefix(group.label.size() + 1);
    group.glosses = Split(part, kGlossSeparator);
    if (!group.glosses.empty()) groups.push_back(std::move(group));
  }
  return groups;
}

std::string GlossesWithGroupFirst(std::string_view text, std::string_view label) {
  if (label.empty() || LeadingGlossLabel(text).empty()) return {};
  const std::vector<std::string_view> parts = Split(text, kGroupSeparator);
  size_t lead = 0;
  while (lead < parts.size() && LeadingGlossLabel(parts[lead]) != label) ++lead;
  if (lead == 0 || lead == parts.size()) return {};
  std::string out(parts[lead]);
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i == lead) continue;
    out += kGroupSeparator;
    out += parts[i];
  }
  return out;
}

std::string_view FirstGlossGroup(std::string_view text) {
  if (LeadingGlossLabel(text).empty()) return text;
  return text.substr(0, text.find(kGroupSeparator));
}

}  // namespace lexiscoop
