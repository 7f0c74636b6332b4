#pragma once
// The piece rule shared by the drivers: a division longer than the processing resolution is cut
// into pieces of that many positions, and the piece switches choose which pieces are analysed.
#include <cstdint>
#include <functional>

#include "analysis/SegmentAnalysis.h"
#include "control/Engine.h"

namespace parlomat {

// Cuts `length` positions from `start` into round(length / processingResolution) pieces
// (processingNo), the last possibly running past the division's end, and analyses piece m
// (vyanjanaNo) once for each switch that selects it: the start switch piece 1, the end switch the
// last piece, the middle switch piece round(processingNo / 2), and all three switches "NO" every
// piece. `beforePiece` runs before each piece. processingResolution must be above 0.
void AnalysePieces(Engine& e, int32_t start, int32_t length, AnalysisVariant v,
                   const std::function<void()>& beforePiece = {});

}  // namespace parlomat
