// The signal analysis: segment analysis at the smallest and the largest transform size, and the
// division finder over a full-length capture, each beside its plain reference evaluation.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "analysis/AngleTable.h"
#include "analysis/DivisionFinder.h"
#include "analysis/ReferenceAnalysis.h"
#include "analysis/SegmentAnalysis.h"
#include "analysis/ValleyTransform.h"
#include "platform/sim/SimPlatform.h"

namespace parlomat {
namespace {

// Voiced-sounding bytes: a few partials under a slow envelope, with a little noise.
std::vector<uint8_t> speechLike(size_t n) {
  std::vector<uint8_t> v(n);
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> noise(-4, 4);
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i);
    const double envelope = 0.6 + 0.4 * std::sin(t * 0.0007);
    const double s = 50 * std::sin(t * 0.13) + 25 * std::sin(t * 0.41 + 1) + 12 * std::sin(t * 1.3);
    v[i] =
        static_cast<uint8_t>(std::lround(std::clamp(128 + envelope * s + noise(rng), 0.0, 255.0)));
  }
  return v;
}

// Words of speech between stretches of silence, 480000 bytes: a full 60-second capture.
std::vector<uint8_t> capture() {
  std::vector<uint8_t> v = speechLike(480000);
  for (size_t i = 0; i < v.size(); ++i) {
    if ((i / 20000) % 3 == 0) v[i] = 128;
  }
  return v;
}

std::vector<int16_t> centred(const std::vector<uint8_t>& bytes, size_t start, size_t len) {
  std::vector<int16_t> x;
  for (size_t n = 1; n + 2 <= len; ++n) x.push_back(static_cast<int16_t>(bytes[start + n] - 128));
  return x;
}

struct Bench {
  SimPlatform sim;
  Engine engine{sim.platform()};
  explicit Bench(std::vector<uint8_t> bytes) {
    ControlState& s = engine.state;
    s.sampleBuffer = std::move(bytes);
    s.waveHeader.data = s.sampleBuffer.data();
    s.waveHeader.bufferLength = static_cast<int32_t>(s.sampleBuffer.size());
    s.sampleCount = static_cast<int32_t>(s.sampleBuffer.size());
  }
};

// Third argument 1: only the kernels every x86-64 processor has.
void BM_AnalyseSegment(benchmark::State& state) {
  const int t = static_cast<int>(state.range(0));
  const int32_t len = static_cast<int32_t>(state.range(1));
  SetSpectrumKernels(state.range(2) ? SpectrumKernels::Baseline : SpectrumKernels::Best);
  Bench b(speechLike(static_cast<size_t>(len) + 1000));
  b.engine.state.dspLevel = static_cast<int16_t>(t);
  const AnalysisVariant v = t == 128 ? AnalysisVariant::WholeSample : AnalysisVariant::Listening;
  AnalyseSegment(b.engine, 100, 100 + len, v);  // builds the angle table once
  for (auto _ : state) {
    AnalyseSegment(b.engine, 100, 100 + len, v);
    benchmark::DoNotOptimize(b.engine.state.valleyCount);
  }
  state.counters["valleys"] = b.engine.state.valleyCount;
  SetSpectrumKernels(SpectrumKernels::Best);
}
BENCHMARK(BM_AnalyseSegment)
    ->Args({128, 2000, 0})
    ->Args({128, 2000, 1})
    ->Args({1024, 30000, 0})
    ->Args({1024, 30000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_ReferenceSegment(benchmark::State& state) {
  const int t = static_cast<int>(state.range(0));
  const size_t len = static_cast<size_t>(state.range(1));
  const auto x = centred(speechLike(len + 1000), 100, len);
  for (auto _ : state) {
    auto r = reference::SpectralValleys(x, t);
    benchmark::DoNotOptimize(r.valleys.data());
  }
}
BENCHMARK(BM_ReferenceSegment)
    ->Args({128, 2000})
    ->Args({1024, 30000})
    ->Unit(benchmark::kMillisecond);

// The two stages of the fast analysis at T = 1024 on 30000 bytes, to show where the time goes.
void BM_ExactLagSums(benchmark::State& state) {
  const auto x = centred(speechLike(31000), 100, 30000);
  std::vector<int64_t> sums(1025);
  for (auto _ : state) {
    ExactLagSums(x, 1024, sums);
    benchmark::DoNotOptimize(sums.data());
  }
}
BENCHMARK(BM_ExactLagSums)->Unit(benchmark::kMillisecond);

void BM_SpectralValleysAfterLagSums(benchmark::State& state) {
  const int t = static_cast<int>(state.range(0));
  const std::vector<int16_t> x(4, 1);  // lag sums cost nothing here
  SpectralLists lists;
  std::vector<int32_t> bins(SpectralLists::kRoom);
  SpectralValleys(x, t, lists, bins);
  for (auto _ : state) {
    benchmark::DoNotOptimize(SpectralValleys(x, t, lists, bins));
  }
}
BENCHMARK(BM_SpectralValleysAfterLagSums)->Arg(128)->Arg(1024)->Unit(benchmark::kMillisecond);

// The one-time cost of a transform size's angle table (built on first use, then cached).
void BM_AngleTableBuild(benchmark::State& state) {
  const int t = static_cast<int>(state.range(0));
  for (auto _ : state) {
    AngleTable table(t);
    benchmark::DoNotOptimize(table.row(0, 1));
  }
}
BENCHMARK(BM_AngleTableBuild)->Arg(128)->Arg(1024)->Unit(benchmark::kMillisecond);

void BM_FindDivisions(benchmark::State& state) {
  Bench b(capture());
  const int32_t n = b.engine.state.waveHeader.bufferLength - 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindDivisions(b.engine, FinderVariant::WholeSample, {0, n, n}));
  }
  state.counters["divisions"] = b.engine.state.probableWordCount;
}
BENCHMARK(BM_FindDivisions)->Unit(benchmark::kMicrosecond);

void BM_ReferenceFindDivisions(benchmark::State& state) {
  auto bytes = capture();
  const int32_t n = static_cast<int32_t>(bytes.size()) - 1;
  for (auto _ : state) {
    auto d = reference::FindDivisions(bytes, FinderVariant::WholeSample, 0, n, n, 20);
    benchmark::DoNotOptimize(d.count);
  }
}
BENCHMARK(BM_ReferenceFindDivisions)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace parlomat
