#pragma once
// Working lists of the division finder and the segment analysis, kept in the control state.
#include <cstdint>
#include <vector>

namespace parlomat {

struct AnalysisState {};

}  // namespace parlomat
