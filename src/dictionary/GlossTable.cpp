#include "dictionary/GlossTable.h"

#include <cerrno>
#include <exception>
#include <vector>

#include "dictionary/CompressStringList.h"
#include "dictionary/DictionaryTransaction.h"
#include "platform/FileSystem.h"

namespace lexiscoop {

namespace {

std::string Folded(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
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

int GlossTable::LoadFile(const std::string& path, Table& table) {
  // Stamped before reading: a change made while reading shows next time.
  const FileStamp stamp = StampOf(path);
  if (stamp.exists && stamp == table.source) return 0;
  table.Clear();
  if (!FileExists(path)) return 0;
  TCompressStringList list;
  const int status = list.LoadFromFile(path);
  if (status != 0) return status;
  table.source = stamp;
  for (int i = 0; i < list.Count(); ++i) {
    const std::string& line = list[i];
    const size_t tab = line.find('\t');
    if (tab == 0 || tab == std::string::npos) continue;  // no headword: not a gloss line
    std::string headword = line.substr(0, tab);
    // A headword that is its own folded form is found through `exact`; the
    // folded map holds only the others, and only when no line came before
    // with that folded form: a case-blind lookup finds the first such line.
    std::string folded = Folded(headword);
    if (folded != headword && !table.exact.contains(folded)) table.folded.emplace(std::move(folded), headword);
    table.exact[std::move(headword)] = line.substr(tab + 1);
  }
  return 0;
}

void GlossTable::Reload() {
  // Under the readers' lock: a change of the user's file is read whole.
  DictionaryReadLock hold;
  hold.Acquire(userFolder_);
  LoadFiles();
}

void GlossTable::LoadFiles() {
  shippedStatus_ = LoadFile(ShippedPath(), shipped_);
  userStatus_ = LoadFile(UserPath(), user_);
}

const std::string* GlossTable::Table::Find(std::string_view headword, bool foldCase) const {
  if (!foldCase) {
    const auto it = exact.find(std::string(headword));
    return it == exact.end() ? nullptr : &it->second;
  }
  const std::string key = Folded(headword);
  if (const auto f = folded.find(key); f != folded.end()) return &exact.at(f->second);
  const auto it = exact.find(key);
  return it == exact.end() ? nullptr : &it->second;
}

std::string_view GlossTable::Lookup(std::string_view headword) const {
  // The user's line wins over the shipped one; an exact spelling over one
  // that differs in letter case.
  for (bool fold : {false, true}) {
    if (const std::string* g = user_.Find(headword, fold)) return *g;
    if (const std::string* g = shipped_.Find(headword, fold)) return *g;
  }
  return {};
}

std::string_view GlossTable::LookupExact(std::string_view headword) const {
  if (const std::string* g = user_.Find(headword, false)) return *g;
  if (const std::string* g = shipped_.Find(headword, false)) return *g;
  return {};
}

bool GlossTable::IsEdited(std::string_view headword) const {
  return user_.Find(headword, false) != nullptr;
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

GlossRecordStatus GlossTable::Record(std::string_view headword, std::string_view glossText) {
  const std::string glosses = NormalizeGlossText(glossText);
  if (glosses.empty() && !shipped_.Find(headword, false)) return ChangeUserLine(headword, nullptr);
  return ChangeUserLine(headword, &glosses);
}

GlossRecordStatus GlossTable::Revert(std::string_view headword) {
  return ChangeUserLine(headword, nullptr);
}

GlossRecordStatus GlossTable::ChangeUserLine(std::string_view headword, const std::string* glosses) {
  saveStatus_ = 0;
  if (headword.empty() || headword.find_first_of("\t\r\n", 0) != std::string_view::npos ||
      headword.find('\0') != std::string_view::npos) {
    return GlossRecordStatus::InvalidText;
  }
  // One change of the user's files, under their lock: the file is read
  // again as it is now (another program's lines are kept) and replaced whole
  // or not at all.
  DictionaryTransaction change(userFolder_, {UserPath()});
  if (const int rc = change.Begin(); rc != 0) {
    saveStatus_ = rc;
    return GlossRecordStatus::SaveFailed;
  }
  TCompressStringList list;
  const std::string path = UserPath();
  if (FileExists(path)) {
    const int status = list.LoadFromFile(path);
    if (status != 0) {
      userStatus_ = status;
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
  try {
    change.Replace(path, list.FileImage());
    saveStatus_ = change.Commit().error;
  } catch (const std::exception&) {
    saveStatus_ = TCompressStringList::kSaveRefused;
  }
  LoadFiles();
  return saveStatus_ == 0 ? GlossRecordStatus::Recorded : GlossRecordStatus::SaveFailed;
}

}  // namespace lexiscoop
