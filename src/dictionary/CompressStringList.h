#pragma once

#include <string>
#include <string_view>

#include "analysis/StringList.h"

namespace lexiscoop {

// A string list stored in the compressed list file (see CompressFormat.h):
// the list's text, every line followed by CR LF, coded by TDeltaCode.
class TCompressStringList : public TStringList {
 public:
  // Status of SaveToFile for an empty name, a folder that cannot be created
  // or a failure while encoding.
  static constexpr int kSaveRefused = 1;
  // No list the program writes holds a line this long or this many lines; a
  // file that does is refused on load (EFBIG) before its lines are made.
  static constexpr size_t kMaxLineBytes = 64 * 1024;
  static constexpr size_t kMaxLines = 1 << 20;

  // Replaces the lines with those stored in the compressed file `path`, in
  // file order (a sorted list puts them in its order and applies its
  // duplicates policy). Returns 0 on success. A missing file is reported to
  // the user ("<path> がありません") and returns ENOENT; a file that cannot be
  // read returns its errno, one that does not decode EBADMSG, and one whose
  // text holds a line over kMaxLineBytes or more than kMaxLines lines EFBIG,
  // all without a message. On every failure the list keeps its lines.
  int LoadFromFile(const std::string& path) override;

  // The decoded text of the compressed file `path`, as LoadFromFile reads
  // it, with the same statuses and the same message; `text` is left as it
  // was on failure. For EFBIG, `breach` (if given) says which bound the
  // file goes past (see ListBoundBreach).
  static int DecodeFile(const std::string& path, std::string& text, std::string* breach = nullptr);

  // Writes the list as the compressed file `path`, creating missing folders.
  // The old file is replaced atomically and keeps its permission bits, so a
  // failed save leaves it byte for byte and a read-only file stays read-only.
  // Returns 0 when written; kSaveRefused for an empty name, a folder that
  // cannot be created, or an encoding failure (after a message); otherwise
  // the errno of the failed write.
  int SaveToFile(const std::string& path) const;

  // The bytes SaveToFile writes: the list's text in the compressed format.
  // Throws what the coder throws (after its message).
  std::string FileImage() const;

  // True when a decoded text stays within kMaxLineBytes and kMaxLines.
  static bool WithinListBounds(std::string_view text);

  // Where a decoded text first goes past the bounds, for the message that
  // the writer and the reader of a list file both give: "" when it stays
  // within them, else «line 12: longer than 65,536 bytes, the most a list
  // file holds» or «more than 1,048,576 lines, the most a list file holds».
  static std::string ListBoundBreach(std::string_view text);

  // Replaces the lines with those of a decoded text, as LoadFromFile does.
  void LoadText(std::string_view text);

  // Sorts as Sort() does (stable, by CompareText), faster for long lists.
  // Leaves the Sorted switch as it is.
  void SortByText();

  // Removes every empty entry; the others keep their order.
  void RemoveEmptyEntries();
};

}  // namespace lexiscoop
