#pragma once
// Small operations that several parts of the recogniser share.
#include "control/Engine.h"

namespace parlomat {

// Clears the published results (not the fonts, word arrays, counts or progress counters).
void ResetResults(ControlState& s);
// Empties the seven probable characters and their percentages.
void ClearProbableChars(ControlState& s);
// Empties the probable characters, the Golden character and the Platinum words.
void CleanResults(ControlState& s);
// Runs the message pump `count` times; nothing when count is below 1.
void PumpMessages(Engine& e, int64_t count);

}  // namespace parlomat
