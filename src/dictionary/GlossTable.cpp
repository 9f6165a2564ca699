#include "dictionary/GlossTable.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <vector>

#include "dictionary/CompressStringList.h"
#include "dictionary/DictionaryTransaction.h"
#include "platform/FileSystem.h"

namespace lexiscoop {

namespace {

char FoldedByte(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Byte order of the two texts with ASCII letters folded to lower case.
int CompareFolded(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(FoldedByte(a[i]));
    const auto y = static_cast<unsigned char>(FoldedByte(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// CP932 double-byte separators and blanks.
constexpr char kIdeographicSpace[] = "\x81\x40";
constexpr char kFullWidthSemicolon[] = "\x81\x47";
constexpr char kIdeographicComma[] = "\x81\x41";

}  // namespace

GlossTable::GlossTable(std::string programFolder, std::string userFolder)
    : programFolder_(std::move(programFolder)), userFolder_(userFolder.empty() ? programFolder_ : std::move(userFolder)) {}

std::string GlossTable::ShippedPath() const { return JoinPath(programFolder_, kShippedGlossFile); }
std::string GlossTable::UserPath() const { return JoinPath(userFolder_, kUserGlossFile); }

std::vector<std::shared_ptr<const std::string>> GlossTable::Texts() const {
  std::vector<std::shared_ptr<const std::string>> texts;
  for (const Table* table : {&shipped_, &user_}) {
    if (table->text != nullptr) texts.push_back(table->text);
  }
  return texts;
}

Status GlossTable::LoadFile(const std::string& path, Table& table) {
  // Stamped before reading: a change made while reading shows next time.
  const FileStamp stamp = StampOf(path);
  if (stamp.exists && stamp == table.source) return Status::OK();
  table.Clear();
  if (!FileExists(path)) return Status::OK();
  std::string text;
  if (Status decoded = TCompressStringList::DecodeFile(path, text); !decoded.ok()) return decoded;
  table.text = std::make_shared<const std::string>(std::move(text));
  table.Index();
  table.source = stamp;
  return Status::OK();
}

void GlossTable::Table::Index() {
  const std::string_view all = Text();
  lines.reserve(static_cast<size_t>(std::count(all.begin(), all.end(), '\n')) + 1);
  ForEachLine(all, [this, all](std::string_view line) {
    const size_t tab = line.find('\t');
    if (tab == 0 || tab == std::string_view::npos) return;  // no headword: not a gloss line
    const auto at = static_cast<uint32_t>(line.data() - all.data());
    lines.push_back({at, static_cast<uint32_t>(tab), at + static_cast<uint32_t>(tab) + 1,
                     static_cast<uint32_t>(line.size() - tab - 1)});
  });
  std::vector<uint32_t> order(lines.size());
  for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;

  exact = order;
  std::stable_sort(exact.begin(), exact.end(), [this](uint32_t a, uint32_t b) { return Headword(a) < Headword(b); });
  // Of equal headwords the last line counts: keep the last of each run.
  std::vector<uint32_t> kept;
  for (size_t i = 0; i < exact.size(); ++i) {
    if (i + 1 < exact.size() && Headword(exact[i]) == Headword(exact[i + 1])) continue;
    kept.push_back(exact[i]);
  }
  exact = std::move(kept);

  folded = std::move(order);
  std::stable_sort(folded.begin(), folded.end(),
                   [this](uint32_t a, uint32_t b) { return CompareFolded(Headword(a), Headword(b)) < 0; });
  // Of headwords equal but for letter case the first line counts.
  kept.clear();
  for (size_t i = 0; i < folded.size(); ++i) {
    if (i > 0 && CompareFolded(Headword(folded[i - 1]), Headword(folded[i])) == 0) continue;
    kept.push_back(folded[i]);
  }
  folded = std::move(kept);
}

void GlossTable::Reload() {
  // Under the readers' lock: a change of the user's file is read whole.
  DictionaryReadLock hold;
  hold.Acquire(userFolder_, {UserPath()}, lockWaitNotice_);
  LoadFiles();
}

void GlossTable::LoadFiles() {
  shippedStatus_ = LoadFile(ShippedPath(), shipped_);
  userStatus_ = LoadFile(UserPath(), user_);
}

bool GlossTable::Table::Find(std::string_view headword, bool foldCase, std::string_view& glosses) const {
  std::string_view spelling = headword;
  if (foldCase) {
    const auto f = std::lower_bound(folded.begin(), folded.end(), headword,
                                    [this](uint32_t line, std::string_view key) { return CompareFolded(Headword(line), key) < 0; });
    if (f == folded.end() || CompareFolded(Headword(*f), headword) != 0) return false;
    spelling = Headword(*f);
  }
  const auto e = std::lower_bound(exact.begin(), exact.end(), spelling,
                                  [this](uint32_t line, std::string_view key) { return Headword(line) < key; });
  if (e == exact.end() || Headword(*e) != spelling) return false;
  glosses = Glosses(*e);
  return true;
}

std::string_view GlossTable::Lookup(std::string_view headword) const {
  // The user's line wins over the shipped one; an exact spelling over one
  // that differs in letter case.
  std::string_view glosses;
  for (bool fold : {false, true}) {
    if (user_.Find(headword, fold, glosses) || shipped_.Find(headword, fold, glosses)) return glosses;
  }
  return {};
}

std::string_view GlossTable::LookupExact(std::string_view headword) const {
  std::string_view glosses;
  if (user_.Find(headword, false, glosses) || shipped_.Find(headword, false, glosses)) return glosses;
  return {};
}

bool GlossTable::IsEdited(std::string_view headword) const {
  std::string_view glosses;
  return user_.Find(headword, false, glosses);
}

std::string GlossTable::NormalizeGlossText(std::string_view text) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(c) && i + 1 < text.size()) {
      const std::string_view pair = text.substr(i, 2);
      if (pair == kFullWidthSemicolon || pair == kIdeographicComma) {
        parts.emplace_back();
      } else if (pair == kIdeographicSpace) {
        parts.back() += ' ';
      } else {
        parts.back().append(pair);
      }
      ++i;
      continue;
    }
    if (c == ';' || c == ',' || c == '\n' || c == '\r') {
      parts.emplace_back();
    } else if (c == '\t' || c < 0x20) {
      parts.back() += ' ';
    } else {
      parts.back() += static_cast<char>(c);
    }
  }
  std::string out;
  for (std::string& part : parts) {
    const size_t first = part.find_first_not_of(' ');
    if (first == std::string::npos) continue;
    const size_t last = part.find_last_not_of(' ');
    if (!out.empty()) out += "; ";
    out.append(part, first, last - first + 1);
  }
  return out;
}

const std::string* GlossTable::RecordedGlosses(const std::string& normalized, bool hasShipped) {
  // No glosses where none are shipped: the user's line has nothing to hide.
  return normalized.empty() && !hasShipped ? nullptr : &normalized;
}

GlossRecordStatus GlossTable::Record(std::string_view headword, std::string_view glossText) {
  const std::string glosses = NormalizeGlossText(glossText);
  std::string_view shipped;
  return ChangeUserLine(headword, RecordedGlosses(glosses, shipped_.Find(headword, false, shipped)));
}

GlossRecordStatus GlossTable::StageRecord(DictionaryTransaction& change, std::string_view headword,
                                          std::string_view glossText) {
  const std::string glosses = NormalizeGlossText(glossText);
  std::string_view shipped;
  bool staged = false;
  return StageUserLine(change, headword, RecordedGlosses(glosses, shipped_.Find(headword, false, shipped)), staged);
}

GlossRecordStatus GlossTable::Revert(std::string_view headword) {
  return ChangeUserLine(headword, nullptr);
}

GlossRecordStatus GlossTable::ChangeUserLine(std::string_view headword, const std::string* glosses) {
  saveStatus_ = Status::OK();
  if (!IsStorableHeadword(headword)) return GlossRecordStatus::InvalidText;
  // One change of the user's files, under their lock: the file is read
  // again as it is now (another program's lines are kept) and replaced whole
  // or not at all.
  DictionaryTransaction change(userFolder_, {UserPath()}, lockWaitNotice_);
  if (Status begun = change.Begin(); !begun.ok()) {
    saveStatus_ = std::move(begun);
    return GlossRecordStatus::SaveFailed;
  }
  bool staged = false;
  const GlossRecordStatus status = StageUserLine(change, headword, glosses, staged);
  if (status != GlossRecordStatus::Recorded || !staged) return status;
  saveStatus_ = change.Commit().status;
  LoadFiles();
  return saveStatus_.ok() ? GlossRecordStatus::Recorded : GlossRecordStatus::SaveFailed;
}

bool GlossTable::IsStorableHeadword(std::string_view headword) {
  return !headword.empty() && headword.find_first_of(std::string_view("\t\r\n\0", 4)) == std::string_view::npos;
}

GlossRecordStatus GlossTable::StageUserLine(DictionaryTransaction& change, std::string_view headword,
                                            const std::string* glosses, bool& staged) {
  staged = false;
  saveStatus_ = Status::OK();
  if (!IsStorableHeadword(headword)) return GlossRecordStatus::InvalidText;
  if (glosses != nullptr && headword.size() + 1 + glosses->size() > kMaxLineBytes) return GlossRecordStatus::TooLong;
  TCompressStringList list;
  const std::string path = UserPath();
  if (FileExists(path)) {
    if (Status loaded = list.LoadFromFile(path); !loaded.ok()) {
      userStatus_ = std::move(loaded);
      return GlossRecordStatus::UserFileUnreadable;
    }
  }
  bool found = false;
  for (int i = list.Count() - 1; i >= 0; --i) {
    const std::string& line = list[i];
    if (line.compare(0, line.find('\t'), headword) != 0) continue;
    if (!found && glosses) {
      list.PutString(i, std::string(headword) + '\t' + *glosses);
    } else {
      list.Delete(i);
    }
    found = true;
  }
  if (!found && !glosses) return GlossRecordStatus::Recorded;  // nothing to remove
  if (!found) list.Add(std::string(headword) + '\t' + *glosses);
  list.SortByText();
  // What the reader would refuse is never written: the user's glosses stay readable.
  if (!TCompressStringList::WithinListBounds(list.Text())) return GlossRecordStatus::TooLong;
  try {
    change.Replace(path, list.FileImage());
  } catch (const std::exception&) {
    saveStatus_ = ChangeStatus(EIO);
    return GlossRecordStatus::SaveFailed;
  }
  staged = true;
  return GlossRecordStatus::Recorded;
}

}  // namespace lexiscoop
