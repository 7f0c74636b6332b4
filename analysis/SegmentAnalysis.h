#pragma once
// Segment spectral analysis: one stretch of sampleBuffer becomes a list of spectral valleys,
// which is then trained or matched against every configured vocabulary file.
#include <cstdint>

#include "control/Engine.h"

namespace parlomat {

enum class AnalysisVariant {
  WholeSample,  // a loaded sample processed on request: T = 128
  Listening,    // the listening cycle: T = dspLevel
};

// Analyses positions start..end of sampleBuffer (end pulled back to sampleCount - 50 when it
// reaches sampleCount). Results: valleyCount, valleyBins, segmentStart, segmentEnd. Shows the WP
// box for a stretch that ends before it starts; a noisy stretch is only reported on the graph.
void AnalyseSegment(Engine& e, int32_t start, int32_t end, AnalysisVariant v);

}  // namespace parlomat
