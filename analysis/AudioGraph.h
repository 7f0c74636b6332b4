#pragma once
// The audio graph of the analysis: the decimated wave of the last division-finder run with the
// divisions it found, and the noise report of the segment analysis.
#include <cstdint>
#include <vector>

#include "control/Engine.h"

namespace parlomat {

// Colours as 0x00BBGGRR.
namespace graphcolour {
inline constexpr int32_t kBlack = 0x000000;
inline constexpr int32_t kRed = 0x0000FF;
inline constexpr int32_t kYellow = 0x00FFFF;
inline constexpr int32_t kBlue = 0xFF0000;
inline constexpr int32_t kCyan = 0xFFFF00;
inline constexpr int32_t kMagenta = 0xFF00FF;
inline constexpr int32_t kWhite = 0xFFFFFF;
}  // namespace graphcolour

// Shows and clears the graph, scales it to the decimated wave of the last finder run, draws a box
// for each division 1..count (positions relative to the span start, odd divisions in oddColour,
// even ones in evenColour) and then the wave in black.
void DrawAudioGraph(Engine& e, const std::vector<int32_t>& starts, const std::vector<int32_t>& ends,
                    int32_t count, int32_t oddColour, int32_t evenColour);

// Marks the middle of the graph and prints which division was found to be noise.
void ReportNoiseOnGraph(Engine& e);

}  // namespace parlomat
