#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexiscoop {

// A minimal pull reader of the XML that spreadsheet programs write: start
// and end tags (a self-closing tag gives both), their attributes, and the
// text between tags with the five named entities and character references
// decoded (to UTF-8). Declarations, processing instructions, comments and
// DOCTYPEs are skipped; CDATA sections are text. Namespace prefixes are
// dropped from element and attribute names ("x:row" is "row").
//
// It reads only inside the given bytes and never allocates more than the
// input's size per item; anything malformed (an unclosed tag or quote, a bad
// reference) ends the reading with Failed().
class XmlScanner {
 public:
  enum class Kind { Start, End, Text, Done };

  explicit XmlScanner(std::string_view xml) : xml_(xml) {}

  // Advances to the next item; Done at the end of the input or after a fault.
  Kind Next();

  // The element name of a Start or End item.
  const std::string& Name() const { return name_; }
  // The decoded text of a Text item.
  const std::string& Text() const { return text_; }
  // The value of attribute `name` of a Start item, or "" when it has none.
  std::string Attribute(std::string_view name) const;

  bool Failed() const { return failed_; }

 private:
  Kind Fail();
  Kind ReadTag();
  bool ReadAttributes(size_t end);

  std::string_view xml_;
  size_t at_ = 0;
  std::string name_;
  std::string text_;
  std::vector<std::pair<std::string, std::string>> attributes_;
  bool pendingEnd_ = false;  // a self-closing tag's End is still to come
  bool failed_ = false;
};

// Appends `text` with XML references decoded to `out`; false for a bad or
// unknown reference.
bool DecodeXmlText(std::string_view text, std::string& out);

}  // namespace lexiscoop
