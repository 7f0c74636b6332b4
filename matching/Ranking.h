#pragma once
// The seven-slot ranking shared by characters and words.
#include <array>
#include <cstdint>
#include <functional>

namespace parlomat {

// Slots 1..7 over candidates 1..count: each slot takes the highest remaining score, the earliest
// candidate wins a tie, and a slot stays 0 when no remaining candidate scores above 0.
std::array<int32_t, 8> rankSevenSlots(int32_t count, const std::function<int32_t(int32_t)>& score);

}  // namespace parlomat
