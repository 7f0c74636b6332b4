#pragma once
// The numeric core of the segment analysis: lag sums, two direct trigonometric transforms, the
// decibel level and its valleys. Every floating-point sum is a running sum in index order, each
// product added in turn, with no fused multiply-add, so the result is bit-identical to the plain
// direct evaluation; only what repeats (the angles) is cached and the lag sums are exact integers.
#include <cstdint>
#include <span>

#include "analysis/AnalysisState.h"

namespace parlomat {

// The spectral valleys of x(1..n) (x(n) at index n - 1, each within -128..127) at transform size
// T (1..1200): fills the lag sums, transform sums, magnitudes and levels of `lists` (not its
// samples), writes the valley bins in ascending order to `valleyBins` (room for T entries) and
// returns their number.
int16_t SpectralValleys(std::span<const int16_t> x, int transformSize, SpectralLists& lists,
                        std::span<int32_t> valleyBins);

// Which SIMD kernels the spectrum runs: the widest the processor offers, or only those every
// processor of the architecture has. Both give the same bits; the choice is for comparing them.
enum class SpectrumKernels { Best, Baseline };
void SetSpectrumKernels(SpectrumKernels kernels);

// R(lag) = sum over n of x(n) x(n + lag) for lag 0..maxLag, exact in 64 bits; x reads 0 past its
// end. `sums` has room for maxLag + 1 entries.
void ExactLagSums(std::span<const int16_t> x, int maxLag, std::span<int64_t> sums);

}  // namespace parlomat
