#include "views/FirstSentence.h"

#include <algorithm>

#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

// How far from the word a sentence end is looked for, each way.
constexpr int64_t kReach = 800;
// How far from a cut a blank is looked for, in characters.
constexpr int kBlankSearch = 15;

bool IsBlank(unsigned char c) { return c < 0x21; }  // never a trail byte

bool IsEndMark(unsigned char c) { return c == '.' || c == '!' || c == '?'; }

bool IsCloser(unsigned char c) { return c == '"' || c == '\'' || c == ')'; }

// 。．！？ in CP932.
bool IsJapaneseEnd(unsigned char lead, unsigned char trail) {
  return lead == 0x81 && (trail == 0x42 || trail == 0x44 || trail == 0x48 || trail == 0x49);
}

// The end of the sentence mark at `p` (past its closing quotes) when it ends
// a sentence, i.e. a blank or the end of the text follows; else 0.
size_t SentenceEndAfter(std::string_view text, size_t p) {
  size_t q = p + 1;
  while (q < text.size() && IsCloser(static_cast<unsigned char>(text[q]))) ++q;
  if (q >= text.size() || IsBlank(static_cast<unsigned char>(text[q]))) return q;
  return 0;
}

// The bytes with every run of blanks and control bytes made one blank.
std::string Collapse(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  bool blank = false;
  for (const char c : bytes) {
    if (IsBlank(static_cast<unsigned char>(c))) {
      blank = true;
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  if (blank) out += ' ';
  return out;
}

// Byte offsets of the character starts of a CP932 string, and its end.
std::vector<size_t> CharStarts(std::string_view s) {
  std::vector<size_t> starts;
  size_t i = 0;
  while (i < s.size()) {
    starts.push_back(i);
    i += (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
  }
  starts.push_back(s.size());
  return starts;
}

int CharCount(std::string_view s) { return static_cast<int>(CharStarts(s).size()) - 1; }

const std::string& Ellipsis() {
  static const Cp932Text kEllipsis("…");
  return kEllipsis;
}

// The last `keep` characters of `s`, starting after a blank when one lies
// near the cut, with "…" in front.
std::string KeepTail(const std::string& s, int keep) {
  const std::vector<size_t> starts = CharStarts(s);
  const int count = static_cast<int>(starts.size()) - 1;
  size_t from = starts[static_cast<size_t>(std::max(0, count - keep))];
  const size_t limit = starts[static_cast<size_t>(std::min(count, std::max(0, count - keep) + kBlankSearch))];
  const size_t blank = s.find(' ', from);
  if (blank != std::string::npos && blank < limit) from = blank + 1;
  return Ellipsis() + s.substr(from);
}

// The first `keep` characters of `s`, ending before a blank when one lies
// near the cut, with "…" after them.
std::string KeepHead(const std::string& s, int keep) {
  const std::vector<size_t> starts = CharStarts(s);
  size_t to = starts[static_cast<size_t>(keep)];
  const size_t limit = starts[static_cast<size_t>(std::max(0, keep - kBlankSearch))];
  const size_t blank = to == 0 ? std::string::npos : s.rfind(' ', to - 1);
  if (blank != std::string::npos && blank > limit) to = blank;
  return s.substr(0, to) + Ellipsis();
}

}  // namespace

SentenceExcerpt SentenceAround(std::string_view text, TextSpan span, int maxChars) {
  SentenceExcerpt excerpt;
  const int64_t size = static_cast<int64_t>(text.size());
  if (span.offset < 0 || span.length < 0 || span.offset > size || span.length > size - span.offset) {
    return excerpt;
  }
  const auto at = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const size_t wordBegin = static_cast<size_t>(span.offset);
  const size_t wordEnd = wordBegin + static_cast<size_t>(span.length);

  // The start: walk forward from a line start within reach, so double-byte
  // characters are read in step, and keep the last sentence start seen.
  size_t low = static_cast<size_t>(std::max<int64_t>(0, span.offset - kReach));
  if (low > 0) {
    // Only up to the word: a text of one long line is not read to its end.
    const size_t lineFeed = text.substr(0, wordBegin).find('\n', low);
    if (lineFeed != std::string_view::npos && lineFeed < wordBegin) low = lineFeed + 1;
  }
  size_t start = low;
  bool startFound = low == 0;
  bool lineBlank = true;
  for (size_t p = low; p < wordBegin;) {
    const unsigned char c = at(p);
    if (IsLeadByte(c) && p + 1 < wordBegin) {
      if (IsJapaneseEnd(c, at(p + 1))) start = p + 2, startFound = true;
      lineBlank = false;
      p += 2;
      continue;
    }
    if (c == '\n') {
      if (lineBlank) start = p + 1, startFound = true;
      lineBlank = true;
    } else if (!IsBlank(c)) {
      lineBlank = false;
      if (IsEndMark(c)) {
        const size_t end = SentenceEndAfter(text, p);
        if (end != 0 && end <= wordBegin) {
          start = end;
          startFound = true;
          p = end;
          continue;
        }
      }
    }
    ++p;
  }

  // The end: the first sentence end after the word.
  const size_t high = static_cast<size_t>(std::min<int64_t>(size, static_cast<int64_t>(wordEnd) + kReach));
  size_t end = high;
  bool endFound = high == text.size();
  lineBlank = false;
  for (size_t p = wordEnd; p < high;) {
    const unsigned char c = at(p);
    if (IsLeadByte(c) && p + 1 < text.size()) {
      if (IsJapaneseEnd(c, at(p + 1))) {
        end = p + 2;
        endFound = true;
        break;
      }
      lineBlank = false;
      p += 2;
      continue;
    }
    if (c == 0) {
      end = p;
      endFound = true;
      break;
    }
    if (c == '\n') {
      if (lineBlank) {
        end = p;
        endFound = true;
        break;
      }
      lineBlank = true;
    } else if (!IsBlank(c)) {
      lineBlank = false;
      if (IsEndMark(c)) {
        const size_t after = SentenceEndAfter(text, p);
        if (after != 0) {
          end = after;
          endFound = true;
          break;
        }
      }
    }
    ++p;
  }
  end = std::min(end, text.size());

  std::string before = Collapse(text.substr(start, wordBegin - start));
  if (!before.empty() && before.front() == ' ') before.erase(0, 1);
  excerpt.word = Collapse(text.substr(wordBegin, wordEnd - wordBegin));
  std::string after = Collapse(text.substr(wordEnd, end - wordEnd));
  if (!after.empty() && after.back() == ' ') after.pop_back();

  const int wordChars = CharCount(excerpt.word);
  const int beforeChars = CharCount(before);
  const int afterChars = CharCount(after);
  if (wordChars + beforeChars + afterChars > maxChars) {
    // Room for the two ellipses too.
    const int budget = std::max(0, maxChars - wordChars - 2);
    int keepBefore = std::min(beforeChars, budget / 2);
    const int keepAfter = std::min(afterChars, budget - keepBefore);
    keepBefore = std::min(beforeChars, budget - keepAfter);
    if (keepBefore < beforeChars) {
      before = KeepTail(before, keepBefore);
      startFound = true;
    }
    if (keepAfter < afterChars) {
      after = KeepHead(after, keepAfter);
      endFound = true;
    }
  }
  if (!startFound) before = Ellipsis() + before;
  if (!endFound) after += Ellipsis();
  excerpt.before = std::move(before);
  excerpt.after = std::move(after);
  return excerpt;
}

}  // namespace lexiscoop
