#include "matching/Ranking.h"

#include <algorithm>

namespace parlomat {

std::array<int32_t, 8> rankSevenSlots(int32_t count, const std::function<int32_t(int32_t)>& score) {
  std::array<int32_t, 8> slot{};
  for (int k = 1; k <= 7; ++k) {
    int32_t best = 0;  // candidate 0 is the sentinel: score 0
    int32_t bestScore = 0;
    for (int32_t i = 1; i <= count; ++i) {
      if (std::find(slot.begin() + 1, slot.begin() + k, i) != slot.begin() + k) continue;
      int32_t si = score(i);
      if (bestScore < si) {
        best = i;
        bestScore = si;
      }
    }
    slot[static_cast<size_t>(k)] = best;
  }
  return slot;
}

}  // namespace parlomat
