#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexiscoop {

// The comma text of a dictionary line's inflection field.
//
// Writing joins the items with commas. An item holding a byte 0x01-0x20, a
// double quote or a comma is put between double quotes, with its double
// quotes doubled. A single empty item is written as two double quotes, no
// item as nothing. An empty last item of a longer list leaves a trailing
// comma, which reads back as one item fewer.
std::string WriteCommaText(const std::vector<std::string>& items);

// Reads items one by one. Bytes 0x01-0x20 separate items like commas do; two
// commas in a row enclose an empty item; a quoted item runs to its closing
// quote (a doubled quote standing for one), or to the end when unclosed. A
// zero byte ends the text.
class CommaTextReader {
 public:
  explicit CommaTextReader(std::string_view text);

  // Puts the next item into `item`; false when no item is left.
  bool Next(std::string& item);

 private:
  void SkipBlanks();

  std::string_view text_;
  size_t pos_ = 0;
};

// All items of a comma text.
std::vector<std::string> ReadCommaText(std::string_view text);

// The same into `items`, reusing its storage.
void ReadCommaText(std::string_view text, std::vector<std::string>& items);

}  // namespace lexiscoop
