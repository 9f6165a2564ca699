#pragma once

#include <cstdint>
#include <string>

namespace lexiscoop {

// "#,##0": the integer with a comma between groups of three digits.
std::string FormatThousands(int64_t value);

// "#,##0.000": three decimals, rounded half away from zero, grouped.
std::string FormatThousandsFixed3(double value);

}  // namespace lexiscoop
