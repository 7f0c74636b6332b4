#include "analysis/DivisionFinder.h"

#include <gtest/gtest.h>

#include <random>

#include "analysis/AnalysisTestSupport.h"
#include "analysis/ReferenceAnalysis.h"
#include "support/TestSupport.h"

namespace parlomat {
namespace {

using testing::Burst;
using testing::burstSample;

struct FinderRun {
  FinderResult result;
  AnalysisState st;
  std::vector<int32_t> starts, ends;
};

FinderRun find(std::vector<uint8_t>& buffer, FinderVariant v, FinderSpan span) {
  FinderRun r;
  r.result = FindDivisionsIn(buffer, v, span, r.st, r.starts, r.ends);
  return r;
}

std::vector<int32_t> head(const std::vector<int32_t>& v, int32_t last) {
  return {v.begin(), v.begin() + last + 1};
}

TEST(DivisionFinder, WorkedExampleOfTwoLoudStretches) {
  auto buffer = burstSample(40128, {{5000, 10000}, {20000, 26000}});
  FinderRun r = find(buffer, FinderVariant::WholeSample, {0, 40127, 40127});
  ASSERT_TRUE(r.result.enoughActivity);
  EXPECT_EQ(r.st.forwardCount, 440);
  EXPECT_EQ(r.st.backwardCount, 4);
  EXPECT_EQ(r.st.gapThreshold, 803);
  EXPECT_EQ(r.st.startGapCount, 2);
  EXPECT_EQ(r.st.endGapCount, 4);
  EXPECT_EQ(head(r.st.startPoints, 2), (std::vector<int32_t>{0, 5000, 20000}));
  EXPECT_EQ(r.st.endPoints, (std::vector<int32_t>{4952, 9952, 19952, 25952, 40127}));
  EXPECT_EQ(r.result.count, 4);
  EXPECT_EQ(head(r.starts, 4), (std::vector<int32_t>{0, 5000, 20000, 0, 0}));
  EXPECT_EQ(head(r.ends, 4), (std::vector<int32_t>{4952, 9952, 25952, 0, 0}));
}

TEST(DivisionFinder, GapThresholdRoundsHalvesToEven) {
  const struct {
    int32_t length, threshold;
  } cases[] = {{625, 12}, {40127, 803}, {39999, 800}, {675, 14}, {0, 0}};
  for (const auto& c : cases) EXPECT_EQ(GapThreshold(c.length), c.threshold) << c.length;
}

// One visited position holds a value: a forward mark needs it beyond the forward threshold, and
// its two edges give backward marks when they are steeper than the backward threshold.
TEST(DivisionFinder, MarksNeedValuesBeyondTheThresholds) {
  const struct {
    FinderVariant variant;
    int value;
    int32_t forward, backward;
  } cases[] = {
      {FinderVariant::WholeSample, 30, 0, 0},  {FinderVariant::WholeSample, 31, 1, 2},
      {FinderVariant::WholeSample, -30, 0, 0}, {FinderVariant::WholeSample, -31, 1, 2},
      {FinderVariant::Listening, 20, 0, 0},    {FinderVariant::Listening, 21, 1, 2},
      {FinderVariant::Listening, -21, 1, 2},   {FinderVariant::DeepWord, 20, 0, 0},
      {FinderVariant::DeepWord, 21, 0, 2},     {FinderVariant::DeepWord, 30, 0, 2},
      {FinderVariant::DeepWord, 31, 1, 2},     {FinderVariant::TooDeepWord, 21, 0, 2},
      {FinderVariant::TooDeepWord, -31, 1, 2},
  };
  for (const auto& c : cases) {
    auto buffer = burstSample(40001, {{20000, 20001, static_cast<uint8_t>(128 + c.value)}});
    const bool word =
        c.variant == FinderVariant::WholeSample || c.variant == FinderVariant::Listening;
    const FinderSpan span = word ? FinderSpan{0, 40000, 40000} : FinderSpan{10000, 30000, 20000};
    FinderRun r = find(buffer, c.variant, span);
    EXPECT_EQ(r.st.forwardCount, c.forward) << int(c.variant) << " " << c.value;
    EXPECT_EQ(r.st.backwardCount, c.backward) << int(c.variant) << " " << c.value;
    if (c.forward == 1) {
      EXPECT_EQ(r.st.forwardMarks[1], word ? 20000 : 10000);
    }
  }
}

TEST(DivisionFinder, NothingIsMarkedInTheForcedZeroRanges) {
  const struct {
    FinderVariant variant;
    int32_t position;
    int32_t forward;
  } cases[] = {
      {FinderVariant::WholeSample, 800, 0},   {FinderVariant::WholeSample, 825, 1},
      {FinderVariant::WholeSample, 39200, 0}, {FinderVariant::WholeSample, 39175, 1},
      {FinderVariant::Listening, 400, 0},     {FinderVariant::Listening, 425, 1},
      {FinderVariant::Listening, 39600, 0},   {FinderVariant::Listening, 39575, 1},
  };
  for (const auto& c : cases) {
    auto buffer = burstSample(40001, {{c.position, c.position + 1, 255}});
    FinderRun r = find(buffer, c.variant, {0, 40000, 40000});
    EXPECT_EQ(r.st.forwardCount, c.forward) << int(c.variant) << " at " << c.position;
    EXPECT_EQ(r.st.backwardCount, 2 * c.forward) << int(c.variant) << " at " << c.position;
  }
  // The deeper levels force nothing: the first visited position of the span is marked.
  auto buffer = burstSample(40001, {{125, 126, 255}});
  EXPECT_EQ(find(buffer, FinderVariant::DeepWord, {100, 2100, 2000}).st.forwardCount, 1);
}

TEST(DivisionFinder, SilenceIsTooLittleActivityForWordsAndOneDivisionDeeper) {
  for (FinderVariant v : {FinderVariant::WholeSample, FinderVariant::Listening}) {
    auto buffer = burstSample(40001, {});
    FinderRun r = find(buffer, v, {0, 40000, 40000});
    EXPECT_FALSE(r.result.enoughActivity);
    EXPECT_EQ(r.st.forwardCount + r.st.backwardCount, 0);
  }
  for (FinderVariant v : {FinderVariant::DeepWord, FinderVariant::TooDeepWord}) {
    auto buffer = burstSample(40001, {});
    FinderRun r = find(buffer, v, {1000, 21000, 20000});
    ASSERT_TRUE(r.result.enoughActivity);
    EXPECT_EQ(r.result.count, 0);
    EXPECT_EQ(r.starts[0], 0);
    EXPECT_EQ(r.ends[0], 20000);
  }
}

// 99 marks fail the activity test, 100 pass it.
TEST(DivisionFinder, ActivityTestNeedsOneHundredMarks) {
  for (int32_t marks : {99, 100}) {
    // A loud stretch of n visited positions gives n forward marks and 2 backward ones.
    auto buffer = burstSample(40001, {{5000, 5000 + 25 * (marks - 2)}});
    FinderRun r = find(buffer, FinderVariant::WholeSample, {0, 40000, 40000});
    EXPECT_EQ(r.st.forwardCount + r.st.backwardCount, marks);
    EXPECT_EQ(r.result.enoughActivity, marks >= 100);
  }
}

TEST(DivisionFinder, ListeningTurnsVisitedZeroBytesIntoSilence) {
  std::vector<uint8_t> buffer(40001, 0);
  FinderRun r = find(buffer, FinderVariant::Listening, {0, 40000, 40000});
  EXPECT_FALSE(r.result.enoughActivity);
  EXPECT_EQ(buffer[25], 128);
  EXPECT_EQ(buffer[40000], 128);
  EXPECT_EQ(buffer[26], 0);
  EXPECT_EQ(buffer[0], 0);

  std::vector<uint8_t> untouched(40001, 0);
  find(untouched, FinderVariant::WholeSample, {0, 40000, 40000});
  EXPECT_EQ(untouched[25], 0);
}

TEST(DivisionFinder, SpansReachingPastTheBufferReadAsSilence) {
  auto buffer = burstSample(3000, {{2000, 3000}});
  FinderRun r = find(buffer, FinderVariant::TooDeepWord, {1000, 20000, 19000});
  EXPECT_EQ(r.st.forwardCount, 40);
  EXPECT_EQ(r.st.backwardCount, 2);
}

// Generated signals of every kind through every variant: the finder agrees with the plain
// evaluation in every list it leaves.
TEST(DivisionFinder, AgreesWithThePlainEvaluation) {
  std::mt19937 rng(20240611);
  auto uniform = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const FinderVariant variants[] = {FinderVariant::WholeSample, FinderVariant::Listening,
                                    FinderVariant::DeepWord, FinderVariant::TooDeepWord};
  int divided = 0;  // rounds that reached the pairing with more than one division
  for (int round = 0; round < 400; ++round) {
    const FinderVariant v = variants[round % 4];
    const int32_t size = uniform(1000, 130000);
    std::vector<Burst> bursts;
    for (int b = uniform(0, 8); b > 0; --b) {
      const int32_t from = uniform(0, size - 1);
      bursts.push_back({from, from + uniform(1, size / 4), static_cast<uint8_t>(uniform(0, 255))});
    }
    auto buffer = burstSample(size, bursts);
    // Sprinkle single bytes: zeros, spikes and small steps.
    for (int k = uniform(0, 200); k > 0; --k) {
      buffer[static_cast<size_t>(uniform(0, size - 1))] = static_cast<uint8_t>(uniform(0, 255));
    }
    FinderSpan span{0, size - 1, size - 1};
    if (v == FinderVariant::DeepWord || v == FinderVariant::TooDeepWord) {
      span.a = uniform(0, size - 1);
      span.b = uniform(span.a, size - 1);
      span.length = span.b - span.a;
    }
    auto copy = buffer;
    FinderRun fast = find(buffer, v, span);
    const auto ref = reference::FindDivisions(copy, v, span.a, span.b, span.length, 20);
    SCOPED_TRACE(::testing::Message() << "round " << round << " variant " << int(v));
    ASSERT_EQ(fast.result.enoughActivity, ref.enoughActivity);
    EXPECT_EQ(fast.st.forwardCount, ref.nF);
    EXPECT_EQ(fast.st.backwardCount, ref.nB);
    EXPECT_EQ(fast.st.startGapCount, ref.c6);
    EXPECT_EQ(fast.st.endGapCount, ref.c7);
    EXPECT_EQ(fast.st.gapThreshold, ref.gapThreshold);
    EXPECT_EQ(buffer, copy);
    if (!ref.enoughActivity) continue;
    ASSERT_EQ(fast.result.count, ref.count);
    if (ref.count > 1) ++divided;
    EXPECT_EQ(head(fast.st.startPoints, ref.c6), ref.startPoints);
    EXPECT_EQ(fast.st.endPoints, ref.endPoints);
    EXPECT_EQ(head(fast.starts, ref.count), ref.starts);
    EXPECT_EQ(head(fast.ends, ref.count), ref.ends);
  }
  EXPECT_GT(divided, 100);
}

class FindDivisionsOnEngine : public testing::SimFixture {};

TEST_F(FindDivisionsOnEngine, StoresTheCountAndReportsAbsolutePositions) {
  testing::useSample(*engine, burstSample(40128, {{5000, 10000}, {20000, 26000}}));
  testing::RecordingObserver seen(*engine);
  FindDivisions(*engine, FinderVariant::WholeSample, {0, 40127, 40127});
  EXPECT_EQ(engine->state.probableWordCount, 4);
  ASSERT_EQ(seen.divisions.size(), 1u);
  EXPECT_EQ(seen.divisions[0].level, DivisionLevel::Word);
  EXPECT_EQ(seen.divisions[0].start, 0);
  EXPECT_EQ(seen.divisions[0].length, 40127);
  EXPECT_EQ(seen.divisions[0].count, 4);
  using D = std::vector<std::pair<int32_t, int32_t>>;
  EXPECT_EQ(seen.divisions[0].divisions,
            (D{{0, 4952}, {5000, 9952}, {20000, 25952}, {0, 0}, {0, 0}}));

  // The same stretches inside a deeper span: the lists are relative, the report absolute.
  FindDivisions(*engine, FinderVariant::DeepWord, {3000, 30000, 27000});
  const AnalysisState& st = engine->state.analysis;
  ASSERT_EQ(st.deepWordCount, 4);
  EXPECT_EQ(st.deepDivisionStart[1], 2000);
  ASSERT_EQ(seen.divisions.size(), 2u);
  EXPECT_EQ(seen.divisions[1].level, DivisionLevel::DeepWord);
  EXPECT_EQ(seen.divisions[1].start, 3000);
  EXPECT_EQ(seen.divisions[1].length, 27000);
  EXPECT_EQ(seen.divisions[1].divisions[1].first, 5000);
  for (int32_t j = 0; j <= st.deepWordCount; ++j) {
    EXPECT_EQ(seen.divisions[1].divisions[j].first, 3000 + st.deepDivisionStart[j]);
    EXPECT_EQ(seen.divisions[1].divisions[j].second, 3000 + st.deepDivisionEnd[j]);
  }
}

TEST_F(FindDivisionsOnEngine, ReportsNothingWithoutDivisions) {
  testing::useSample(*engine, burstSample(40128, {}));
  testing::RecordingObserver seen(*engine);
  EXPECT_FALSE(
      FindDivisions(*engine, FinderVariant::WholeSample, {0, 40127, 40127}).enoughActivity);
  EXPECT_EQ(FindDivisions(*engine, FinderVariant::DeepWord, {0, 40127, 40127}).count, 0);
  EXPECT_TRUE(seen.divisions.empty());
}

}  // namespace
}  // namespace parlomat
