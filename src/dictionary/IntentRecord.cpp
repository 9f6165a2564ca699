#include "dictionary/IntentRecord.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "platform/FileSystem.h"
#include "platform/Fnv1a.h"

namespace lexiscoop {
namespace {

constexpr char kMagic[] = "LXJ1\n";
constexpr std::string_view kTemporaryInfix = ".tmp-";

std::string Hex(uint64_t value) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = kDigits[value & 15];
  return text;
}

void PutField(std::string& out, std::string_view field) {
  out += std::to_string(field.size());
  out += ':';
  out += field;
  out += '\n';
}

bool TakeField(std::string_view& in, std::string& field) {
  const size_t colon = in.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 9) return false;
  size_t length = 0;
  for (size_t i = 0; i < colon; ++i) {
    if (in[i] < '0' || in[i] > '9') return false;
    length = length * 10 + static_cast<size_t>(in[i] - '0');
  }
  if (in.size() < colon + 1 + length + 1 || in[colon + 1 + length] != '\n') return false;
  field.assign(in.substr(colon + 1, length));
  in.remove_prefix(colon + 1 + length + 1);
  return !field.empty();
}

// True for a name that stays in its folder: no '/', not hidden, not "..".
bool IsPlainName(std::string_view name) {
  return !name.empty() && name.front() != '.' && name.find('/') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

// True when `temp` is `target` followed by a temporary name's suffix.
bool IsTemporaryOf(const std::string& temp, const std::string& target) {
  return temp.size() == target.size() + kTemporaryInfix.size() + 6 && temp.compare(0, target.size(), target) == 0 &&
         temp.compare(target.size(), kTemporaryInfix.size(), kTemporaryInfix) == 0 &&
         IsTemporarySuffix(std::string_view(temp).substr(temp.size() - 6));
}

// The entry that a record's temporary and target fields name, if both are
// the program's own: the target a known file or a file of a list folder,
// the temporary beside it.
bool KnownEntry(const std::string& temp, const std::string& target, const std::vector<std::string>& knownFiles,
                IntentEntry& entry) {
  const size_t slash = target.find('/');
  if (slash != std::string::npos && slash != 0) {
    const std::string_view folder = std::string_view(target).substr(0, slash);
    const bool listFolder = std::find(std::begin(kUserListFolders), std::end(kUserListFolders), folder) !=
                            std::end(kUserListFolders);
    if (listFolder && IsPlainName(std::string_view(target).substr(slash + 1)) && IsTemporaryOf(temp, target)) {
      entry.target = target;
      entry.suffix = temp.substr(temp.size() - 6);
      return true;
    }
  }
  for (const std::string& known : knownFiles) {
    const std::string name = BareName(known);
    // A bare name, or the absolute path older versions wrote.
    if (target != name && !(target.front() == '/' && target == AbsolutePath(known))) continue;
    if (temp.size() != target.size() + kTemporaryInfix.size() + 6 || temp.compare(0, target.size(), target) != 0 ||
        temp.compare(target.size(), kTemporaryInfix.size(), kTemporaryInfix) != 0) {
      return false;
    }
    entry.target = name;
    entry.suffix = temp.substr(temp.size() - 6);
    return IsTemporarySuffix(entry.suffix);
  }
  return false;
}

}  // namespace

std::string BareName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsTemporarySuffix(std::string_view suffix) {
  if (suffix.size() != 6) return false;
  for (const char c : suffix) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!alnum) return false;
  }
  return true;
}

std::string IntentRecordText(const std::vector<IntentEntry>& entries) {
  std::string text = kMagic;
  text += std::to_string(entries.size()) + "\n";
  for (const IntentEntry& entry : entries) {
    PutField(text, entry.target + std::string(kTemporaryInfix) + entry.suffix);
    PutField(text, entry.target);
  }
  text += "END " + Hex(Fnv1a64(text)) + "\n";
  return text;
}

IntentRecordKind ParseIntentRecord(std::string_view text, const std::vector<std::string>& knownFiles,
                                   std::vector<IntentEntry>& entries) {
  entries.clear();
  const size_t end = text.rfind("END ");
  if (end == std::string_view::npos || text.substr(end) != "END " + Hex(Fnv1a64(text.substr(0, end))) + "\n") {
    return IntentRecordKind::Damaged;
  }
  std::string_view in = text.substr(0, end);
  if (in.substr(0, sizeof kMagic - 1) != kMagic) return IntentRecordKind::Damaged;
  in.remove_prefix(sizeof kMagic - 1);
  const size_t line = in.find('\n');
  if (line == std::string_view::npos) return IntentRecordKind::Damaged;
  in.remove_prefix(line + 1);
  bool outside = false;
  while (!in.empty()) {
    std::string temp;
    std::string target;
    if (!TakeField(in, temp) || !TakeField(in, target)) return IntentRecordKind::Damaged;
    IntentEntry entry;
    if (KnownEntry(temp, target, knownFiles, entry)) {
      entries.push_back(std::move(entry));
    } else {
      outside = true;
    }
  }
  if (outside) {
    entries.clear();
    return IntentRecordKind::Outside;
  }
  return IntentRecordKind::Valid;
}

}  // namespace lexiscoop
