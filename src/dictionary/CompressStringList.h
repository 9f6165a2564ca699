#pragma once

#include <string>
#include <string_view>

#include "analysis/StringList.h"
#include "platform/Status.h"

namespace lexiscoop {

// A string list stored in the compressed list file (see CompressFormat.h):
// the list's text, every line followed by CR LF, coded by TDeltaCode.
class TCompressStringList : public TStringList {
 public:
  // No list the program writes holds a line this long or this many lines; a
  // file that does is refused on load (EFBIG) before its lines are made.
  static constexpr size_t kMaxLineBytes = 64 * 1024;
  static constexpr size_t kMaxLines = 1 << 20;

  // Replaces the lines with those stored in the compressed file `path`, in
  // file order (a sorted list puts them in its order and applies its
  // duplicates policy). Returns OK on success, else Status::FromErrno with
  // no message of: ENOENT for a missing file (which the caller may name with
  // MissingFileMessage), the errno of a file that cannot be read, EBADMSG
  // for one that does not decode, and EFBIG for one whose text holds a line
  // over kMaxLineBytes or more than kMaxLines lines. On every failure the
  // list keeps its lines.
  Status LoadFromFile(const std::string& path) override;

  // The decoded text of the compressed file `path`, as LoadFromFile reads
  // it, with the same statuses; `text` is left as it
  // was on failure. For EFBIG, `breach` (if given) says which bound the
  // file goes past (see ListBoundBreach).
  static Status DecodeFile(const std::string& path, std::string& text, std::string* breach = nullptr);

  // The message of a missing list file (CP932): «<path> がありません».
  static std::string MissingFileMessage(const std::string& path);

  // Writes the list as the compressed file `path`, creating missing folders.
  // The old file is replaced atomically and keeps its permission bits, so a
  // failed save leaves it byte for byte and a read-only file stays read-only.
  // A status naming the failure otherwise: an empty name or a folder that
  // cannot be made (with ENOENT), a list too large to encode (EFBIG), or the
  // failed write's.
  Status SaveToFile(const std::string& path) const;

  // The bytes SaveToFile writes: the list's text in the compressed format.
  // Throws what the coder throws.
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
