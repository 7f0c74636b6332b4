#include "analysis/SegmentAnalysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "analysis/AnalysisTestSupport.h"
#include "analysis/ReferenceAnalysis.h"
#include "analysis/ValleyTransform.h"
#include "support/TestSupport.h"

namespace parlomat {
namespace {

using testing::burstSample;
using testing::RecordingObserver;
using testing::useSample;

// Centred samples of the generated signals.
std::vector<int16_t> signal(const std::string& kind, int n) {
  std::vector<int16_t> x(static_cast<size_t>(n));
  std::mt19937 rng(7);
  for (int i = 0; i < n; ++i) {
    double v = 0;
    if (kind == "quiet") v = 3 * std::sin(i * 0.31) + 2 * std::sin(i * 0.077);
    if (kind == "loud") v = 80 * std::sin(i * 0.21) + 40 * std::sin(i * 0.9 + 1);
    if (kind == "clipped") v = std::clamp(400 * std::sin(i * 0.05), -128.0, 127.0);
    if (kind == "square") v = (i / 10) % 2 == 0 ? 40 : -40;
    if (kind == "noise") v = std::uniform_int_distribution<int>(-128, 127)(rng);
    if (kind == "short") v = 100 * std::sin(i * 0.5);
    x[static_cast<size_t>(i)] = static_cast<int16_t>(std::lround(v));
  }
  return x;
}

bool sameBits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

void expectKernelsAgree(const std::vector<int16_t>& x, int t, const reference::Spectrum& ref) {
  SpectralLists lists;
  std::vector<int32_t> bins(SpectralLists::kRoom);
  const int16_t count = SpectralValleys(x, t, lists, bins);
  EXPECT_EQ(std::vector<int32_t>(bins.begin(), bins.begin() + count), ref.valleys);
  EXPECT_TRUE(sameBits(lists.lagSums, ref.lagSums));
  EXPECT_TRUE(sameBits(lists.cosineSums, ref.cosineSums));
  EXPECT_TRUE(sameBits(lists.sineSums, ref.sineSums));
  EXPECT_TRUE(sameBits(lists.spectrumReal, ref.spectrumReal));
  EXPECT_TRUE(sameBits(lists.spectrumImag, ref.spectrumImag));
  EXPECT_TRUE(sameBits(lists.spectrumMagnitude, ref.spectrumMagnitude));
  EXPECT_TRUE(sameBits(lists.spectrumLevel, ref.spectrumLevel));
}

// Compares with both the widest kernels and the baseline ones.
void expectAgreement(const std::vector<int16_t>& x, int t) {
  const reference::Spectrum ref = reference::SpectralValleys(x, t);
  for (SpectrumKernels kernels : {SpectrumKernels::Best, SpectrumKernels::Baseline}) {
    SCOPED_TRACE(kernels == SpectrumKernels::Best ? "best kernels" : "baseline kernels");
    SetSpectrumKernels(kernels);
    expectKernelsAgree(x, t, ref);
  }
  SetSpectrumKernels(SpectrumKernels::Best);
}

class SpectrumAgreement : public ::testing::TestWithParam<std::tuple<int, std::string>> {};

TEST_P(SpectrumAgreement, FastAndPlainEvaluationsAgreeBitForBit) {
  const auto& [t, kind] = GetParam();
  const int n = kind == "short" ? 90 : kind == "silent" ? 1500 : 2500;
  const auto x = signal(kind, n);
  expectAgreement(x, t);
}

INSTANTIATE_TEST_SUITE_P(AllSizesAndSignals, SpectrumAgreement,
                         ::testing::Combine(::testing::Values(128, 256, 512, 1024),
                                            ::testing::Values("silent", "quiet", "loud", "clipped",
                                                              "square", "noise", "short")),
                         [](const auto& info) {
                           return std::get<1>(info.param) + "_" +
                                  std::to_string(std::get<0>(info.param));
                         });

// A long loud stretch whose lag sums leave the 32-bit range; they stay exact.
TEST(SpectrumLagSums, StayExactBeyondThirtyTwoBits) {
  std::vector<int16_t> x(140000, -128);
  for (size_t i = 0; i < x.size(); i += 3) x[i] = 127;
  for (SpectrumKernels kernels : {SpectrumKernels::Best, SpectrumKernels::Baseline}) {
    SetSpectrumKernels(kernels);
    std::vector<int64_t> sums(129);
    ExactLagSums(x, 128, sums);
    for (int lag : {0, 1, 2, 3, 64, 127, 128}) {
      int64_t direct = 0;
      for (size_t j = 0; j + lag < x.size(); ++j) direct += int64_t{x[j]} * x[j + lag];
      EXPECT_EQ(sums[static_cast<size_t>(lag)], direct) << "lag " << lag;
    }
    EXPECT_GT(sums[0], int64_t{INT32_MAX});
  }
  SetSpectrumKernels(SpectrumKernels::Best);
  expectAgreement(x, 128);
}

TEST(SpectrumLagSums, StretchesWithoutSamplesGiveNothing) {
  SpectralLists lists;
  std::vector<int32_t> bins(SpectralLists::kRoom);
  EXPECT_EQ(SpectralValleys({}, 128, lists, bins), 0);
  EXPECT_TRUE(std::all_of(lists.spectrumLevel.begin(), lists.spectrumLevel.end(),
                          [](double v) { return v == 0; }));
}

class AnalyseSegmentTest : public testing::SimFixture {
 protected:
  ControlState& s() { return engine->state; }
};

// Ten times 168, ten times 88 and so on from start + 1 to start + 1000, len 1002.
TEST_F(AnalyseSegmentTest, SquareWaveHasThirteenValleys) {
  auto bytes = burstSample(6000, {});
  for (int i = 0; i < 1000; ++i) bytes[1001 + i] = (i / 10) % 2 == 0 ? 168 : 88;
  useSample(*engine, bytes);
  AnalyseSegment(*engine, 1000, 2002, AnalysisVariant::WholeSample);
  ASSERT_EQ(s().valleyCount, 13);
  for (int v = 0; v < 13; ++v) EXPECT_EQ(s().valleyBins[v], 5 + 10 * v);
  EXPECT_EQ(s().segmentStart, 1000);
  EXPECT_EQ(s().segmentEnd, 2002);
  const auto& level = s().analysis.spectral.spectrumLevel;
  for (int k = 1; k < 127; ++k) EXPECT_GE(std::fabs(level[k] - level[k + 1]), 1.7) << k;
}

struct NoiseCase {
  AnalysisVariant variant;
  int32_t length;
  int loudPositions;  // at start + 25, start + 50, ...
  int value;
  bool noise;
};

TEST_F(AnalyseSegmentTest, NoiseTestCountsLoudPositions) {
  const NoiseCase cases[] = {
      {AnalysisVariant::WholeSample, 1499, 0, 0, false},
      {AnalysisVariant::WholeSample, 1500, 0, 0, true},
      {AnalysisVariant::WholeSample, 3000, 9, 30, false},
      {AnalysisVariant::WholeSample, 3000, 9, -30, false},
      {AnalysisVariant::WholeSample, 3000, 8, 30, true},
      {AnalysisVariant::WholeSample, 3000, 9, 29, true},
      {AnalysisVariant::Listening, 2000, 0, 0, false},
      {AnalysisVariant::Listening, 2001, 0, 0, true},
      {AnalysisVariant::Listening, 3000, 2, 25, false},
      {AnalysisVariant::Listening, 3000, 2, -25, false},
      {AnalysisVariant::Listening, 3000, 1, 25, true},
      {AnalysisVariant::Listening, 3000, 2, 24, true},
  };
  s().dspLevel = 128;
  for (const auto& c : cases) {
    auto bytes = burstSample(10000, {});
    for (int i = 1; i <= c.loudPositions; ++i)
      bytes[1000 + 25 * i] = static_cast<uint8_t>(128 + c.value);
    useSample(*engine, bytes);
    RecordingObserver seen(*engine);
    AnalyseSegment(*engine, 1000, 1000 + c.length, c.variant);
    ASSERT_EQ(seen.segments.size(), 1u);
    EXPECT_EQ(seen.segments[0].noise, c.noise)
        << int(c.variant) << " len " << c.length << " " << c.loudPositions << " x " << c.value;
  }
}

// The last position before end - 25 is counted, end - 25 itself is not.
TEST_F(AnalyseSegmentTest, NoiseTestStopsBeforeTheLastTwentyFivePositions) {
  for (int32_t last : {3950, 3975}) {
    auto bytes = burstSample(10000, {});
    for (int i = 1; i <= 8; ++i) bytes[1000 + 25 * i] = 200;
    bytes[last] = 200;
    useSample(*engine, bytes);
    RecordingObserver seen(*engine);
    AnalyseSegment(*engine, 1000, 4000, AnalysisVariant::WholeSample);
    ASSERT_EQ(seen.segments.size(), 1u);
    EXPECT_EQ(seen.segments[0].noise, last == 3975);
  }
}

TEST_F(AnalyseSegmentTest, NoiseIsReportedOnTheGraph) {
  useSample(*engine, burstSample(10000, {}));
  s().audioGraph = kYes;
  s().analysis.graphWidth = 1601;
  s().wordNo = 3;
  s().deepWordNo = 12;
  s().valleyCount = 4;
  AnalyseSegment(*engine, 1000, 4000, AnalysisVariant::WholeSample);
  EXPECT_EQ(sim.graph.log,
            (std::vector<std::string>{"point 800.5 128 0", "print Noise Found on 3 12 0"}));
  EXPECT_EQ(s().valleyCount, 0);
}

TEST_F(AnalyseSegmentTest, EndIsPulledBackFiftyBeforeTheSampleCount) {
  useSample(*engine, burstSample(5000, {}));
  RecordingObserver seen(*engine);
  AnalyseSegment(*engine, 3000, 5000, AnalysisVariant::WholeSample);
  EXPECT_EQ(s().segmentStart, 3000);
  EXPECT_EQ(s().segmentEnd, 4950);
  ASSERT_EQ(seen.segments.size(), 1u);
  EXPECT_EQ(seen.segments[0].end, 4950);
  EXPECT_TRUE(takeBoxes().empty());
}

TEST_F(AnalyseSegmentTest, AStretchEndingBeforeItStartsGivesWP) {
  useSample(*engine, burstSample(5000, {}));
  RecordingObserver seen(*engine);
  answer("OK");
  AnalyseSegment(*engine, 4960, 5000, AnalysisVariant::WholeSample);
  const auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "CANNOT PROCESS: CODE : WP,User: Please change your experimental settings, and try to "
            "use the ideal one prescribed");
  EXPECT_EQ(boxes[0].title, "Parlomat USER ERROR");
  EXPECT_EQ(boxes[0].icon, Icon::Critical);
  EXPECT_TRUE(seen.segments.empty());
}

TEST_F(AnalyseSegmentTest, StretchesOfUpToTwoPositionsHaveNoValleys) {
  useSample(*engine, burstSample(5000, {{0, 5000, 250}}));
  for (int32_t len : {0, 1, 2}) {
    s().valleyCount = 9;
    AnalyseSegment(*engine, 1000, 1000 + len, AnalysisVariant::WholeSample);
    EXPECT_EQ(s().valleyCount, 0);
    EXPECT_EQ(s().analysis.spectral.lagSums[0], 0);
  }
}

TEST_F(AnalyseSegmentTest, StopEverythingLeavesTheResults) {
  useSample(*engine, burstSample(5000, {{0, 5000, 250}}));
  s().stopEverything = kYes;
  s().valleyCount = 9;
  s().statusAnimation = kYes;
  AnalyseSegment(*engine, 1000, 2000, AnalysisVariant::WholeSample);
  EXPECT_EQ(s().valleyCount, 9);
  EXPECT_TRUE(sim.status.log.empty());
}

TEST_F(AnalyseSegmentTest, ShowsTheListeningPictureFirst) {
  useSample(*engine, burstSample(5000, {}));
  s().statusAnimation = kYes;
  AnalyseSegment(*engine, 1000, 2000, AnalysisVariant::WholeSample);
  EXPECT_EQ(sim.status.log, (std::vector<std::string>{"show", "builtin listening"}));
}

// The listening variant pumps once, mends an unset dspLevel to 256 and transforms at that size.
TEST_F(AnalyseSegmentTest, ListeningVariantTransformsAtTheDspLevel) {
  auto x = signal("noise", 1498);
  auto bytes = burstSample(5000, {});
  for (size_t n = 1; n <= x.size(); ++n) bytes[1000 + n] = static_cast<uint8_t>(128 + x[n - 1]);
  useSample(*engine, bytes);
  bool pumped = false;
  sim.loop.post([&pumped] { pumped = true; });
  AnalyseSegment(*engine, 1000, 2500, AnalysisVariant::Listening);
  EXPECT_TRUE(pumped);
  EXPECT_EQ(s().dspLevel, 256);
  const auto ref = reference::SpectralValleys(x, 256);
  EXPECT_EQ(std::vector<int32_t>(s().valleyBins.begin(), s().valleyBins.begin() + s().valleyCount),
            ref.valleys);
  EXPECT_GT(ref.valleys.back(), 128);
}

TEST_F(AnalyseSegmentTest, WithoutVocabularyFilesNothingIsScanned) {
  auto bytes = burstSample(5000, {{1000, 2000, 200}});
  useSample(*engine, bytes);
  s().currentMatchFile = "untouched";
  AnalyseSegment(*engine, 1000, 2000, AnalysisVariant::WholeSample);
  EXPECT_EQ(s().currentMatchFile, "untouched");
}

}  // namespace
}  // namespace parlomat
