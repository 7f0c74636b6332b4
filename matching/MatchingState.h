#pragma once
// Working records and candidate lists of vocabulary and language matching.
#include <cstdint>
#include <string>
#include <vector>

namespace parlomat {

struct MatchingState {};

}  // namespace parlomat
