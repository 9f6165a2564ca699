#include "analysis/NumberFormat.h"

#include <cmath>
#include <cstdio>

namespace lexiscoop {
namespace {

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
  if (!std::isfinite(value)) return {};
  const bool negative = value < 0;
  const double scaled = std::round(std::fabs(value) * 1000.0);
  const auto thousandths = static_cast<uint64_t>(scaled);
  char fraction[8];
  std::snprintf(fraction, sizeof fraction, ".%03u", static_cast<unsigned>(thousandths % 1000));
  std::string text = GroupDigits(std::to_string(thousandths / 1000)) + fraction;
  return (negative && thousandths != 0) ? "-" + text : text;
}

}  // namespace lexiscoop
