#include "analysis/DeepLevels.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/AnalysisTestSupport.h"
#include "analysis/WholeSampleDriver.h"
#include "support/TestSupport.h"

namespace parlomat {
namespace {

using testing::Burst;
using testing::burstSample;
using testing::RecordingObserver;
using testing::useSample;
using Stretches = std::vector<std::pair<int32_t, int32_t>>;

class DeepLevelsTest : public testing::SimFixture {
 protected:
  ControlState& s() { return engine->state; }
};

// Spans from 10000: a division of 2000 exactly (the loud stretch from 15000), division 0 before
// it, and an empty division after it. DeepWord spans of a multiple of 25 end their divisions on
// the last loud visited position, TooDeepWord spans 25 positions earlier.
TEST_F(DeepLevelsTest, RulesOfBothLevels) {
  const struct {
    bool tooDeep;
    int32_t resolution;
    std::vector<Burst> bursts;
    int32_t end;
    Stretches analysed;
  } cases[] = {
      {false, 0, {{15000, 17025}}, 30000, {{10000, 14975}, {15000, 17000}, {15000, 17000}}},
      {true, 0, {{15000, 17050}}, 30000, {{10000, 14950}, {15000, 17000}}},
      {false,
       1000,
       {{15000, 17025}},
       30000,
       {{10000, 11000},
        {11000, 12000},
        {12000, 13000},
        {13000, 14000},
        {14000, 15000},
        {15000, 17000},
        {15000, 16000},
        {16000, 17000}}},
      // Division 0 longer than 12000: skipped at the TooDeepWord level.
      {true, 0, {{25000, 27050}}, 40000, {{25000, 27000}}},
      // Division 0 beyond 10000 in a span of no more than 100000: not taken deeper.
      {false, 0, {{25000, 27025}}, 40000, {{10000, 24975}, {25000, 27000}, {25000, 27000}}},
  };
  for (const auto& c : cases) {
    useSample(*engine, burstSample(50000, c.bursts));
    s().processingResolution = c.resolution;
    s().processStartOnly = s().processMiddleOnly = s().processEndOnly = kNo;
    RecordingObserver seen(*engine);
    if (c.tooDeep) {
      ProcessTooDeepWord(*engine, 10000, c.end);
    } else {
      ProcessDeepWord(*engine, 10000, c.end);
    }
    EXPECT_EQ(seen.stretches(), c.analysed) << (c.tooDeep ? "too deep " : "deep ") << c.end;
    EXPECT_EQ(seen.divisions.size(), 1u);
  }
  EXPECT_EQ(s().tooDeepWordNo, 2);
  EXPECT_EQ(s().deepWordNo, 2);
}

TEST_F(DeepLevelsTest, TimeLengthsOfSkippedDivisionsAreKept) {
  useSample(*engine, burstSample(50000, {{25000, 27050}}));
  ProcessTooDeepWord(*engine, 10000, 40000);
  ASSERT_EQ(s().analysis.tooDeepWordCount, 2);
  EXPECT_EQ(s().tooDeepWordTimelength[0], 14950);
  EXPECT_EQ(s().tooDeepWordTimelength[1], 2000);
  EXPECT_EQ(s().tooDeepWordTimelength[2], 0);
}

TEST_F(DeepLevelsTest, SpansEndingBeforeTheyStartShowTheirBoxes) {
  useSample(*engine, burstSample(5000, {}));
  const struct {
    bool tooDeep;
    const char *text, *title;
  } cases[] = {{false, "CANNOT PROCESS : CODE:WD", "Parlomat FATAL ERROR"},
               {true, "CANNOT PROCESS CODE: WDD", "Parlomat ERROR"}};
  for (const auto& c : cases) {
    answer("OK");
    RecordingObserver seen(*engine);
    if (c.tooDeep) {
      ProcessTooDeepWord(*engine, 4960, 5000);
    } else {
      ProcessDeepWord(*engine, 4960, 5000);
    }
    const auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, c.text);
    EXPECT_EQ(boxes[0].title, c.title);
    EXPECT_EQ(boxes[0].icon, Icon::Critical);
    EXPECT_TRUE(seen.divisions.empty());
  }
}

TEST_F(DeepLevelsTest, ASpanReachingTheSampleCountIsCutFiftyBeforeIt) {
  useSample(*engine, burstSample(30000, {{15000, 17025}}));
  RecordingObserver seen(*engine);
  ProcessDeepWord(*engine, 10000, 30000);
  ASSERT_EQ(seen.divisions.size(), 1u);
  EXPECT_EQ(seen.divisions[0].start, 10000);
  EXPECT_EQ(seen.divisions[0].length, 19950);
}

// A long Word of speech-like sound (a loud buzz, steep at every visited position) holding
// DeepWords separated by short silences, the first of which holds TooDeepWords: every division
// found deeper, and every stretch analysed for it, lies inside the Word or DeepWord it was found
// in.
TEST_F(DeepLevelsTest, SubDivisionsStayInsideTheirSpans) {
  const std::vector<std::pair<int32_t, int32_t>> speech = {{40000, 60000},   {61500, 80000},
                                                           {81500, 100000},  {104000, 130000},
                                                           {134000, 190000}, {260000, 270000}};
  auto bytes = burstSample(300001, {});
  for (const auto& [from, to] : speech) {
    for (int32_t p = from; p < to; ++p) bytes[static_cast<size_t>(p)] = (p / 25) % 2 ? 188 : 68;
  }
  useSample(*engine, bytes);
  s().audioGraph = kYes;
  RecordingObserver seen(*engine);
  ProcessWholeSample(*engine);

  ASSERT_GE(seen.divisions.size(), 3u);
  const auto& words = seen.divisions[0];
  ASSERT_EQ(words.level, DivisionLevel::Word);
  ASSERT_EQ(words.divisions[1].first, 40000);
  const int32_t wordEnd = words.divisions[1].second;
  int deep = 0, tooDeep = 0;
  std::pair<int32_t, int32_t> span{40000, wordEnd};
  for (size_t i = 1; i < seen.divisions.size(); ++i) {
    const auto& d = seen.divisions[i];
    if (d.level == DivisionLevel::DeepWord) {
      ++deep;
      EXPECT_EQ(d.start, 40000);
      EXPECT_EQ(d.start + d.length, wordEnd);
    } else {
      ++tooDeep;
      EXPECT_GE(d.start, 40000);
      EXPECT_LE(d.start + d.length, wordEnd);
    }
    for (const auto& [a, b] : d.divisions) {
      EXPECT_GE(a, d.start);
      EXPECT_LE(b, d.start + d.length);
      EXPECT_LE(a, b);
    }
  }
  EXPECT_EQ(deep, 1);
  EXPECT_GE(tooDeep, 1);
  for (const auto& [a, b] : seen.stretches()) {
    if (a == 0 && b == 0) continue;  // the empty Words
    if (a >= 260000) continue;       // the second Word
    EXPECT_GE(a, span.first);
    EXPECT_LE(b, span.second);
  }
  // Each level draws its own graph in its own colours.
  const auto& log = sim.graph.log;
  auto drawn = [&log](int32_t colour) {
    const std::string tail = " " + std::to_string(colour);
    return std::any_of(log.begin(), log.end(), [&tail](const std::string& l) {
      return l.rfind("box ", 0) == 0 && l.size() > tail.size() &&
             l.compare(l.size() - tail.size(), tail.size(), tail) == 0;
    });
  };
  EXPECT_TRUE(drawn(0xFF0000));  // blue
  EXPECT_TRUE(drawn(0xFFFF00));  // cyan
  EXPECT_TRUE(drawn(0xFF00FF));  // magenta
}

}  // namespace
}  // namespace parlomat
