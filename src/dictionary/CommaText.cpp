#include "dictionary/CommaText.h"

namespace lexiscoop {
namespace {

bool IsBlank(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 0x01 && b <= 0x20;
}

bool NeedsQuotes(std::string_view item) {
  for (const char c : item) {
    if (IsBlank(c) || c == '"' || c == ',') return true;
  }
  return false;
}

}  // namespace

std::string WriteCommaText(const std::vector<std::string>& items) {
  if (items.size() == 1 && items[0].empty()) return "\"\"";
  std::string text;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text.push_back(',');
    const std::string& item = items[i];
    if (!NeedsQuotes(item)) {
      text += item;
      continue;
    }
    text.push_back('"');
    for (const char c : item) {
      if (c == '"') text.push_back('"');
      text.push_back(c);
    }
    text.push_back('"');
  }
  return text;
}

CommaTextReader::CommaTextReader(std::string_view text) : text_(text) {
  const size_t zero = text_.find('\0');
  if (zero != std::string_view::npos) text_ = text_.substr(0, zero);
  SkipBlanks();
}

void CommaTextReader::SkipBlanks() {
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
}

bool CommaTextReader::Next(std::string& item) {
  item.clear();
  if (pos_ >= text_.size()) return false;
  if (text_[pos_] == '"') {
    ++pos_;
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c != '"') {
        item.push_back(c);
      } else if (pos_ < text_.size() && text_[pos_] == '"') {
        item.push_back('"');
        ++pos_;
      } else {
        break;
      }
    }
  } else {
    const size_t start = pos_;
    while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) > 0x20 && text_[pos_] != ',') ++pos_;
    item.assign(text_.substr(start, pos_ - start));
  }
  SkipBlanks();
  if (pos_ < text_.size() && text_[pos_] == ',') {
    ++pos_;
    SkipBlanks();
  }
  return true;
}

std::vector<std::string> ReadCommaText(std::string_view text) {
  std::vector<std::string> items;
  ReadCommaText(text, items);
  return items;
}

void ReadCommaText(std::string_view text, std::vector<std::string>& items) {
  CommaTextReader reader(text);
  size_t n = 0;
  for (;;) {
    if (n == items.size()) items.emplace_back();
    if (!reader.Next(items[n])) break;
    ++n;
  }
  items.resize(n);
}

}  // namespace lexiscoop
