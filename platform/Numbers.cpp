#include "platform/Numbers.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace parlomat {

namespace {
bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the decimal number at the start of `t` (sign, digits, optional fraction); 0 if none.
size_t numberPrefix(std::string_view t) {
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t digits = 0;
  while (i < t.size() && isDigit(t[i])) ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    size_t j = i + 1, frac = 0;
    while (j < t.size() && isDigit(t[j])) ++j, ++frac;
    if (frac > 0 || digits > 0) i = j, digits += frac;
  }
  if (digits == 0) return 0;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    size_t j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    size_t exp = 0;
    while (j < t.size() && isDigit(t[j])) ++j, ++exp;
    if (exp > 0) i = j;
  }
  return i;
}
}  // namespace

double leadingNumber(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && isBlank(text[start])) ++start;
  std::string_view rest = text.substr(start);
  size_t n = numberPrefix(rest);
  if (n == 0) return 0.0;
  double v = std::strtod(std::string(rest.substr(0, n)).c_str(), nullptr);
  return std::isfinite(v) ? v : 0.0;
}

double roundHalfEven(double v) {
  return std::nearbyint(v);  // the default rounding mode rounds halves to even
}

int64_t roundToInt64(double v) {
  // Converting a value outside int64 is undefined: hold it at the nearest limit, NaN at 0.
  if (std::isnan(v)) return 0;
  double r = std::nearbyint(v);
  if (r >= 9223372036854775808.0) return std::numeric_limits<int64_t>::max();
  if (r < -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(r);
}

bool parseNumber(std::string_view text, double& out) {
  size_t a = 0, b = text.size();
  while (a < b && isBlank(text[a])) ++a;
  while (b > a && isBlank(text[b - 1])) --b;
  std::string_view t = text.substr(a, b - a);
  size_t n = numberPrefix(t);
  if (n == 0 || n != t.size()) return false;
  out = std::strtod(std::string(t).c_str(), nullptr);
  return std::isfinite(out);
}

}  // namespace parlomat
