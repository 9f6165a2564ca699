#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace lexiscoop {

// The positions 0..n-1 of `texts` in the order that a stable sort by
// CompareText gives: ascending, texts that compare equal in their original
// order. Meant for large lists: every text gets a byte key once, so most
// comparisons are a single integer comparison.
std::vector<uint32_t> StableOrderByText(const std::vector<std::string_view>& texts);

}  // namespace lexiscoop
