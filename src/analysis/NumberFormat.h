#pragma once

#include <cstdint>
#include <string>

namespace lexiscoop {

// "#,##0": the integer with a comma between groups of three digits.
std::string FormatThousands(int64_t value);

// "#,##0.000": three decimals, rounded half away from zero, grouped.
std::string FormatThousandsFixed3(double value);
// FormatThousandsFixed3 appended to `out`; nothing for a value that is not
// finite.
void AppendThousandsFixed3(std::string& out, double value);

}  // namespace lexiscoop
