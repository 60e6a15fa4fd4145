#pragma once

#include <string_view>

namespace quarrion {

// The numeric value at the start of a text, read the way bookkeeping values are
// typed: leading blanks skipped, blanks between digits ignored, an optional sign,
// digits, one decimal point and an exponent; reading stops at the first other
// character. Text without a leading number yields 0.
//   "1,250.00" -> 1    " 1 2 3" -> 123    "12abc" -> 12    "1e3" -> 1000    "abc" -> 0
// Allocation-free: the rules call it once per element text.
double LeadingNumber(std::string_view text);

}  // namespace quarrion
