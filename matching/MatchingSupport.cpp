#include "matching/MatchingSupport.h"

#include <cmath>
#include <cstdio>

namespace parlomat {

void storeRankedEntry(std::vector<std::string>& array, int32_t index, std::string value) {
  if (index < 1) return;
  if (array.size() <= static_cast<size_t>(index)) array.resize(static_cast<size_t>(index) + 1);
  array[static_cast<size_t>(index)] = std::move(value);
}

std::string decimalText(double v) {
  if (std::nearbyint(v) == v && std::fabs(v) < 9e15) {
    return std::to_string(static_cast<int64_t>(v));
  }
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return buf;
}

}  // namespace parlomat
