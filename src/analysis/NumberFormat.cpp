#include "analysis/NumberFormat.h"

#include <cmath>

namespace lexiscoop {
namespace {

// Appends the digits of `value` with a comma between groups of three.
void AppendGrouped(std::string& out, uint64_t value) {
  char digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0) {
    out += digits[--n];
    if (n > 0 && n % 3 == 0) out += ',';
  }
}

std::string GroupDigits(const std::string& digits) {
  std::string out;
  out.reserve(digits.size() + digits.size() / 3);
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

}  // namespace

std::string FormatThousands(int64_t value) {
  const bool negative = value < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string grouped = GroupDigits(std::to_string(magnitude));
  return negative ? "-" + grouped : grouped;
}

std::string FormatThousandsFixed3(double value) {
  std::string text;
  AppendThousandsFixed3(text, value);
  return text;
}

void AppendThousandsFixed3(std::string& out, double value) {
  if (!std::isfinite(value)) return;
  const bool negative = value < 0;
  const double scaled = std::round(std::fabs(value) * 1000.0);
  const auto thousandths = static_cast<uint64_t>(scaled);
  if (negative && thousandths != 0) out += '-';
  AppendGrouped(out, thousandths / 1000);
  const auto fraction = static_cast<unsigned>(thousandths % 1000);
  out += '.';
  out += static_cast<char>('0' + fraction / 100);
  out += static_cast<char>('0' + fraction / 10 % 10);
  out += static_cast<char>('0' + fraction % 10);
}

}  // namespace lexiscoop
