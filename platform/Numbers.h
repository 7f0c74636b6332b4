#pragma once
// Number rules shared by the whole system.
#include <cstdint>
#include <string_view>

namespace parlomat {

// The numeric value of a text: its leading decimal number (after leading blanks, with an optional
// sign, digits, a fraction and an exponent), 0 when it has none.
double leadingNumber(std::string_view text);

// Real to integer, to the nearest with halves to even.
double roundHalfEven(double v);
int64_t roundToInt64(double v);  // NaN gives 0; values beyond int64 its nearest limit

// Parses a whole text as a number (blanks around allowed); false when it is not one.
bool parseNumber(std::string_view text, double& out);

}  // namespace parlomat
