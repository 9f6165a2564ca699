#include "platform/TextTrim.h"

namespace lexiscoop {
namespace {

template <class Predicate>
std::string_view TrimWhere(std::string_view text, Predicate drop) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && drop(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && drop(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  return TrimWhere(text, [](unsigned char c) { return c <= 0x20; });
}

std::string_view TrimSpacesAndTabs(std::string_view text) {
  return TrimWhere(text, [](unsigned char c) { return c == ' ' || c == '\t'; });
}

}  // namespace lexiscoop
