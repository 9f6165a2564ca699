#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexiscoop {

// The glosses of a headword grouped by part of speech, as the shipped gloss
// file stores them from version 2 on (its first line «#LxGloss 2»):
//
//   動 閉じる; 閉める / 形 近い
//
// groups « / » apart, commonest use first; each group a label of one
// double-byte character (名 動 形 副 前 接 代 助 間) and a blank, then one to
// three glosses «; » apart. A text that does not start with a label and a
// blank is one group without a label: the glosses of version 1 files, the
// user's own free text and number words («21»). CP932 throughout.
struct GlossGroup {
  std::string_view label;                // one of the labels, or "" for none
  std::vector<std::string_view> glosses;  // in order; views into the text
};

// The groups of `text`, in order; none for "". Empty glosses are left out.
std::vector<GlossGroup> DecodeGlossGroups(std::string_view text);

// The first group as shown where room is short (the list's column, the
// flash card): its label, a blank and its glosses («動 閉じる; 閉める»), a
// view into `text`. The whole text when it is not grouped.
std::string_view FirstGlossGroup(std::string_view text);

// The part-of-speech label that `text` starts with, or "".
std::string_view LeadingGlossLabel(std::string_view text);

// `text` with its group labelled `label` moved to the front, the others in
// their order («形 近い / 動 閉じる; 閉める» for 形); "" when that group
// already leads, when there is none or when the text is not grouped.
std::string GlossesWithGroupFirst(std::string_view text, std::string_view label);

}  // namespace lexiscoop
