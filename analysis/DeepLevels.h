#pragma once
// The deeper division levels of a long sample: DeepWords inside one long Word and TooDeepWords
// inside one long DeepWord. Every position of a deeper level is relative to the start of its
// span, so every sub-division, and every stretch handed down, stays inside the span it was found
// in: a division (s, e) of a span starting at a covers a + s to a + e.
#include <cstdint>

#include "control/Engine.h"

namespace parlomat {

// The DeepWord divisions of positions a..b of sampleBuffer, each analysed or taken deeper.
void ProcessDeepWord(Engine& e, int32_t a, int32_t b);
// The TooDeepWord divisions of positions a..b, each analysed.
void ProcessTooDeepWord(Engine& e, int32_t a, int32_t b);

}  // namespace parlomat
