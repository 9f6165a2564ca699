#include "dictionary/CompressStringList.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <exception>

#include "analysis/NumberFormat.h"
#include "dictionary/DeltaCode.h"
#include "dictionary/TextOrder.h"
#include "platform/AtomicFile.h"
#include "platform/Compare.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/FolderPath.h"
#include "platform/Status.h"

namespace lexiscoop {

Status TCompressStringList::LoadFromFile(const std::string& path) {
  std::string text;
  if (Status decoded = DecodeFile(path, text); !decoded.ok()) return decoded;
  try {
    LoadText(text);
    return Status::OK();
  } catch (const std::bad_alloc&) {
    return Status::FromErrno(ENOMEM);
  } catch (const std::exception&) {
    return Status::FromErrno(EIO);
  }
}

Status TCompressStringList::DecodeFile(const std::string& path, std::string& text, std::string* breach) {
  if (!FileExists(path)) return Status::FromErrno(ENOENT);
  try {
    std::string image;
    // The header records the file size in 32 bits: anything larger is not ours.
    const int rc = ReadWholeFile(path, image, INT32_MAX);
    if (rc == EFBIG && breach != nullptr) *breach = "larger than 2 GiB, the most a list file holds";
    if (rc != 0) return Status::FromErrno(rc);
    TDeltaCode coder;
    if (!coder.Decode(image)) return Status::FromErrno(EBADMSG);
    image = std::string();
    if (!WithinListBounds(coder.PlainData())) {
      if (breach != nullptr) *breach = ListBoundBreach(coder.PlainData());
      return Status::FromErrno(EFBIG);
    }
    text = coder.TakePlainData();
    return Status::OK();
  } catch (const std::bad_alloc&) {
    return Status::FromErrno(ENOMEM);
  } catch (const std::exception&) {
    return Status::FromErrno(EIO);
  }
}

std::string TCompressStringList::FileImage() const {
  TDeltaCode coder;
  coder.SetPlainData(Text());
  coder.Encode();
  return coder.TakeCodedData();
}

namespace {

// The line (from 1) at which `text` first goes past a list's bounds, and
// whether by its length; 0 when it stays within them.
std::pair<size_t, bool> FirstBreach(std::string_view text) {
  // Lines end as the list reads them: CR LF, a lone CR or LF; a zero byte
  // ends the text.
  size_t lines = 0;
  size_t start = 0;
  size_t i = 0;
  const size_t size = text.size();
  for (; i < size && text[i] != '\0'; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    if (i - start > TCompressStringList::kMaxLineBytes) return {lines + 1, true};
    if (++lines > TCompressStringList::kMaxLines) return {lines, false};
    if (c == '\r' && i + 1 < size && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (i > start && i - start > TCompressStringList::kMaxLineBytes) return {lines + 1, true};
  if (i > start && ++lines > TCompressStringList::kMaxLines) return {lines, false};
  return {0, false};
}

}  // namespace

bool TCompressStringList::WithinListBounds(std::string_view text) { return FirstBreach(text).first == 0; }

std::string TCompressStringList::ListBoundBreach(std::string_view text) {
  const auto [line, tooLong] = FirstBreach(text);
  if (line == 0) return {};
  if (tooLong) {
    return "line " + std::to_string(line) + ": longer than " + FormatThousands(kMaxLineBytes) +
           " bytes, the most a list file holds";
  }
  return "more than " + FormatThousands(kMaxLines) + " lines, the most a list file holds";
}

void TCompressStringList::LoadText(std::string_view text) {
  if (!Sorted() || DuplicatePolicy() == Duplicates::Error) {
    SetText(text);
    return;
  }
  // A sorted list would insert line by line; gathering the lines and sorting
  // once gives the same list. With Ignore the first of equal lines in file
  // order stays; with Accept each new line goes before its equals, so equal
  // lines end up in reverse file order.
  SetSorted(false);
  SetText(text);
  SetSorted(true);
  std::vector<Item>& items = MutableItems();
  auto runEnd = [&items](std::vector<Item>::iterator first) {
    return std::find_if(first + 1, items.end(),
                        [&first](const Item& item) { return !SameText(item.text, first->text); });
  };
  if (DuplicatePolicy() == Duplicates::Ignore) {
    auto out = items.begin();
    for (auto first = items.begin(); first != items.end();) {
      auto last = runEnd(first);
      if (out != first) *out = std::move(*first);
      ++out;
      first = last;
    }
    items.erase(out, items.end());
  } else {
    for (auto first = items.begin(); first != items.end();) {
      auto last = runEnd(first);
      std::reverse(first, last);
      first = last;
    }
  }
}

void TCompressStringList::SortByText() {
  std::vector<Item>& items = MutableItems();
  std::vector<std::string_view> texts;
  texts.reserve(items.size());
  for (const Item& item : items) texts.push_back(item.text);
  const std::vector<uint32_t> order = StableOrderByText(texts);
  std::vector<Item> sorted;
  sorted.reserve(items.size());
  for (const uint32_t i : order) sorted.push_back(std::move(items[i]));
  items = std::move(sorted);
}

void TCompressStringList::RemoveEmptyEntries() {
  std::erase_if(MutableItems(), [](const Item& item) { return item.text.empty(); });
}

std::string TCompressStringList::MissingFileMessage(const std::string& path) {
  static const Cp932Text kMissing{" がありません"};
  return Cp932FromUtf8(path) + kMissing.str();
}

Status TCompressStringList::SaveToFile(const std::string& path) const {
  if (path.empty()) return Status::InvalidArgument("no file name given", ENOENT);
  const std::string folder = FolderOf(path);
  if (!folder.empty() && !FolderExists(folder)) {
    CreateFolderPath(folder);
    if (!FolderExists(folder)) return Status::NotFound(folder + ": the folder cannot be made", ENOENT);
  }
  std::string image;
  try {
    image = FileImage();
  } catch (const std::bad_alloc&) {
    return Status::IoError("out of memory", ENOMEM);
  } catch (const std::exception& e) {
    return Status::TooLarge(e.what(), EFBIG);
  }
  return WriteFileAtomically(path, image);
}

}  // namespace lexiscoop
