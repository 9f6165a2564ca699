#include "lists/XmlScanner.h"

#include <cstdint>

namespace lexiscoop {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view LocalName(std::string_view name) {
  const size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

void AppendUtf8(uint32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The character a reference body ("amp", "#38", "#x26") stands for.
bool ReferenceCode(std::string_view body, uint32_t& code) {
  if (body == "lt") code = '<';
  else if (body == "gt") code = '>';
  else if (body == "amp") code = '&';
  else if (body == "quot") code = '"';
  else if (body == "apos") code = '\'';
  else if (body.size() >= 2 && body[0] == '#') {
    const bool hex = body[1] == 'x' || body[1] == 'X';
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return false;
    code = 0;
    for (const char c : digits) {
      uint32_t digit = 0;
      if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
      else if (hex && c >= 'a' && c <= 'f') digit = static_cast<uint32_t>(c - 'a' + 10);
      else if (hex && c >= 'A' && c <= 'F') digit = static_cast<uint32_t>(c - 'A' + 10);
      else return false;
      code = code * (hex ? 16 : 10) + digit;
    }
    return code != 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool DecodeXmlText(std::string_view text, std::string& out) {
  size_t i = 0;
  while (i < text.size()) {
    const size_t amp = text.find('&', i);
    if (amp == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, amp - i));
    const size_t semi = text.find(';', amp);
    if (semi == std::string_view::npos || semi - amp > 12) return false;
    uint32_t code = 0;
    if (!ReferenceCode(text.substr(amp + 1, semi - amp - 1), code)) return false;
    AppendUtf8(code, out);
    i = semi + 1;
  }
  return true;
}

XmlScanner::Kind XmlScanner::Fail() {
  failed_ = true;
  at_ = xml_.size();
  return Kind::Done;
}

XmlScanner::Kind XmlScanner::Next() {
  if (pendingEnd_) {
    pendingEnd_ = false;
    return Kind::End;
  }
  while (at_ < xml_.size()) {
    if (xml_[at_] != '<') {
      const size_t lt = xml_.find('<', at_);
      const size_t end = lt == std::string_view::npos ? xml_.size() : lt;
      text_.clear();
      if (!DecodeXmlText(xml_.substr(at_, end - at_), text_)) return Fail();
      at_ = end;
      return Kind::Text;
    }
    const std::string_view rest = xml_.substr(at_);
    auto skipTo = [&](std::string_view close) {
      const size_t end = xml_.find(close, at_);
      if (end == std::string_view::npos) return false;
      at_ = end + close.size();
      return true;
    };
    if (rest.starts_with("<![CDATA[")) {
      const size_t end = xml_.find("]]>", at_ + 9);
      if (end == std::string_view::npos) return Fail();
      text_.assign(xml_.substr(at_ + 9, end - at_ - 9));
      at_ = end + 3;
      return Kind::Text;
    }
    if (rest.starts_with("<!--")) {
      if (!skipTo("-->")) return Fail();
      continue;
    }
    if (rest.starts_with("<?")) {
      if (!skipTo("?>")) return Fail();
      continue;
    }
    if (rest.starts_with("<!")) {
      if (!skipTo(">")) return Fail();
      continue;
    }
    return ReadTag();
  }
  return Kind::Done;
}

XmlScanner::Kind XmlScanner::ReadTag() {
  // Find the '>' that closes the tag, outside attribute quotes.
  size_t end = at_ + 1;
  char quote = 0;
  while (end < xml_.size() && (quote != 0 || xml_[end] != '>')) {
    if (quote != 0 && xml_[end] == quote) quote = 0;
    else if (quote == 0 && (xml_[end] == '"' || xml_[end] == '\'')) quote = xml_[end];
    ++end;
  }
  if (end >= xml_.size()) return Fail();
  const bool closing = xml_[at_ + 1] == '/';
  const bool selfClosing = !closing && xml_[end - 1] == '/';
  size_t nameBegin = at_ + (closing ? 2 : 1);
  size_t nameEnd = nameBegin;
  const size_t bodyEnd = selfClosing ? end - 1 : end;
  while (nameEnd < bodyEnd && !IsSpace(xml_[nameEnd])) ++nameEnd;
  if (nameEnd == nameBegin) return Fail();
  name_.assign(LocalName(xml_.substr(nameBegin, nameEnd - nameBegin)));
  attributes_.clear();
  if (!closing && !ReadAttributes(bodyEnd)) return Fail();
  at_ = end + 1;
  if (closing) return Kind::End;
  pendingEnd_ = selfClosing;
  return Kind::Start;
}

bool XmlScanner::ReadAttributes(size_t end) {
  size_t i = at_ + 1;
  while (i < end && !IsSpace(xml_[i])) ++i;
  for (;;) {
    while (i < end && IsSpace(xml_[i])) ++i;
    if (i >= end) return true;
    const size_t nameBegin = i;
    while (i < end && xml_[i] != '=' && !IsSpace(xml_[i])) ++i;
    const std::string_view name = xml_.substr(nameBegin, i - nameBegin);
    while (i < end && IsSpace(xml_[i])) ++i;
    if (i >= end || xml_[i] != '=') return false;
    ++i;
    while (i < end && IsSpace(xml_[i])) ++i;
    if (i >= end || (xml_[i] != '"' && xml_[i] != '\'')) return false;
    const char quote = xml_[i++];
    const size_t valueEnd = xml_.find(quote, i);
    if (valueEnd == std::string_view::npos || valueEnd >= end) return false;
    std::string value;
    if (!DecodeXmlText(xml_.substr(i, valueEnd - i), value)) return false;
    attributes_.emplace_back(std::string(LocalName(name)), std::move(value));
    i = valueEnd + 1;
  }
}

std::string XmlScanner::Attribute(std::string_view name) const {
  for (const auto& [key, value] : attributes_) {
    if (key == name) return value;
  }
  return {};
}

}  // namespace lexiscoop
