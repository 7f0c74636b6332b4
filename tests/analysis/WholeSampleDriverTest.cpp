#include "analysis/WholeSampleDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/AnalysisTestSupport.h"
#include "analysis/DivisionPieces.h"
#include "support/TestSupport.h"

namespace parlomat {
namespace {

using testing::burstSample;
using testing::RecordingObserver;
using testing::useSample;
using Stretches = std::vector<std::pair<int32_t, int32_t>>;

class WholeSampleDriverTest : public testing::SimFixture {
 protected:
  ControlState& s() { return engine->state; }
  void allPieces() { s().processStartOnly = s().processMiddleOnly = s().processEndOnly = kNo; }
};

// A sample whose Word 1 starts at 5000 and is `length` long, and whose Word 2 (20000 to about
// 26000) brings the activity. Word 1 ends where its last loud visited position lies, less 50,
// plus N mod 25: N is chosen to make the length exact.
void useWordOfLength(Engine& e, int32_t length) {
  const int32_t steps = (length + 26 + 24) / 25;
  const int32_t rest = length + 50 - 25 * steps;
  useSample(e, burstSample(40001 + rest, {{5000, 5000 + 25 * steps}, {20000, 26000}}));
}

Stretches inWordOne(const RecordingObserver& seen) {
  Stretches out;
  for (const auto& [a, b] : seen.stretches()) {
    if (a >= 5000 && a < 20000) out.emplace_back(a, b);
  }
  return out;
}

TEST_F(WholeSampleDriverTest, RulesPickWholeStretchesAndPieces) {
  const struct {
    int32_t resolution, length;
    Stretches analysed;
  } cases[] = {
      {0, 100, {}},
      {0, 101, {{5000, 5101}}},
      {0, 2000, {{5000, 7000}}},
      {0, 2001, {{5000, 7001}}},
      {0, 14000, {{5000, 19000}}},
      {500, 1000, {{5000, 6000}, {5000, 5500}, {5500, 6000}}},
      {500, 300, {{5000, 5300}, {5000, 5300}}},
      {100, 260, {{5000, 5260}, {5000, 5100}, {5100, 5200}, {5200, 5300}}},
      {100, 250, {{5000, 5250}, {5000, 5100}, {5100, 5200}}},
      {3000, 2500, {{5000, 7500}}},
      {1000, 2500, {{5000, 6000}, {6000, 7000}}},
      {1000, 100, {{5000, 5100}}},
  };
  for (const auto& c : cases) {
    useWordOfLength(*engine, c.length);
    s().processingResolution = c.resolution;
    allPieces();
    RecordingObserver seen(*engine);
    ProcessWholeSample(*engine);
    ASSERT_GE(s().probableWordCount, 2);
    ASSERT_EQ(s().analysis.divisionStart[1], 5000);
    ASSERT_EQ(s().wordTimelength[1], c.length);
    EXPECT_EQ(inWordOne(seen), c.analysed) << "r " << c.resolution << " length " << c.length;
  }
}

TEST_F(WholeSampleDriverTest, EveryWordIsRecordedInTheMemory) {
  useSample(*engine, burstSample(40128, {{5000, 10000}, {20000, 26000}}));
  RecordingObserver seen(*engine);
  ProcessWholeSample(*engine);
  ASSERT_EQ(s().probableWordCount, 4);
  const int32_t lengths[] = {0, 4952, 5952, 0, 0};
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(s().wordTimelength[k], lengths[k]);
    EXPECT_EQ(s().memoryDivisionCount[k], 4);
    EXPECT_EQ(s().memoryDivisionNo[k], k);
    EXPECT_EQ(s().memoryDivisionTime[k], lengths[k]);
  }
  EXPECT_EQ(s().wordNo, 4);
  // The two empty Words are analysed once each as empty stretches.
  EXPECT_EQ(seen.stretches(), (Stretches{{5000, 9952}, {20000, 25952}, {0, 0}, {0, 0}}));
  EXPECT_EQ(s().analysis.listDivisor, 10);
  EXPECT_EQ(s().wordTimelength.size(), 4014u);
  EXPECT_EQ(s().charaOfNo[7].size(), 4014u);
}

TEST_F(WholeSampleDriverTest, AWordEndingAtTheSampleCountIsRecordedButNotAnalysed) {
  useSample(*engine, burstSample(40128, {{5000, 10000}, {20000, 26000}}));
  s().sampleCount = 9952;
  RecordingObserver seen(*engine);
  ProcessWholeSample(*engine);
  EXPECT_EQ(s().memoryDivisionTime[1], 4952);
  EXPECT_EQ(s().wordTimelength[2], 5952);
  EXPECT_EQ(seen.stretches(), (Stretches{{0, 0}, {0, 0}}));
}

TEST_F(WholeSampleDriverTest, ShortSamplesGiveNothingOrThePABox) {
  const struct {
    int32_t size;
    bool box;
  } cases[] = {{10, false}, {11, true}, {1000, true}, {1001, false}};
  for (const auto& c : cases) {
    useSample(*engine, burstSample(c.size, {}));
    if (c.box) answer("OK");
    ProcessWholeSample(*engine);
    const auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), c.box ? 1u : 0u) << "N = " << c.size - 1;
    if (c.box) {
      EXPECT_EQ(boxes[0].text, "'CANNOT PROCESS' Code : PA");
      EXPECT_EQ(boxes[0].title, "Parlomat FATAL ERROR");
      EXPECT_EQ(boxes[0].icon, Icon::Critical);
    }
  }
}

TEST_F(WholeSampleDriverTest, StartsFromClearedCountersAndEndsWithTheStatusPicture) {
  useSample(*engine, burstSample(40128, {{5000, 10000}, {20000, 26000}}));
  s().statusAnimation = kYes;
  s().memoryClean = kYes;
  s().probableChars[3] = "ka";
  s().platinumSetCount = 5;
  s().processingSetCount = 6;
  s().processingNo = 7;
  ProcessWholeSample(*engine);
  EXPECT_EQ(s().probableChars[3], "");
  EXPECT_EQ(s().platinumSetCount, 0);
  EXPECT_EQ(s().processingSetCount, 0);
  EXPECT_EQ(s().processingNo, 0);
  EXPECT_EQ(sim.status.log.back(), "builtin listening");
}

TEST_F(WholeSampleDriverTest, SilenceAndStopProcessNothing) {
  useSample(*engine, burstSample(40128, {}));
  s().statusAnimation = kYes;
  ProcessWholeSample(*engine);
  EXPECT_EQ(s().probableWordCount, 0);
  EXPECT_TRUE(sim.status.log.empty());

  useSample(*engine, burstSample(40128, {{5000, 10000}, {20000, 26000}}));
  s().stopEverything = kYes;
  ProcessWholeSample(*engine);
  EXPECT_EQ(s().probableWordCount, 0);
}

TEST_F(WholeSampleDriverTest, DrawsTheAudioGraph) {
  useSample(*engine, burstSample(40128, {{5000, 10000}, {20000, 26000}}));
  s().audioGraph = kYes;
  ProcessWholeSample(*engine);
  const auto& log = sim.graph.log;
  const std::vector<std::string> opening = {
      "show",
      "clear",
      "scale 0 128 1606 -128",
      "clear",
      "box 200 128 398.08 -128 255",
      "box 800 128 1038.08 -128 65535",
      "box 0 128 0 -128 255",
      "box 0 128 0 -128 65535",
      "point 0 128 0",
      "line 1 0 0",
  };
  ASSERT_GT(log.size(), opening.size());
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + opening.size()), opening);
  EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const auto& l) { return l[0] == 'l'; }), 1606);
  EXPECT_EQ(log[8 + 200], "line 200 60 0");
  EXPECT_EQ(log.back(), "line 1606 0 0");
}

// A long sample takes a long Word one level deeper, and with r = 0 also analyses it whole.
TEST_F(WholeSampleDriverTest, LongWordsOfLongSamplesGoDeeper) {
  for (int32_t size : {200001, 200002}) {
    useSample(*engine, burstSample(size, {{50000, 80000}, {150000, 160000}}));
    RecordingObserver seen(*engine);
    ProcessWholeSample(*engine);
    const bool deep = std::any_of(seen.divisions.begin(), seen.divisions.end(), [](const auto& d) {
      return d.level == DivisionLevel::DeepWord && d.start == 50000;
    });
    EXPECT_EQ(deep, size > 200001) << "N = " << size - 1;
    const auto stretches = seen.stretches();
    EXPECT_EQ(std::count_if(stretches.begin(), stretches.end(),
                            [](const auto& st) { return st.first == 50000; }),
              deep ? 2 : 1);
    EXPECT_EQ(s().analysis.listDivisor, 20);
  }
}

struct PieceCase {
  int32_t length, resolution;
  const char *startOnly, *middleOnly, *endOnly;
  std::vector<int> pieces;  // the pieces analysed, in order
};

TEST_F(WholeSampleDriverTest, PieceSwitchesChooseThePieces) {
  const PieceCase cases[] = {
      {100, 100, "YES", "YES", "YES", {1, 1}}, {300, 100, "NO", "YES", "NO", {2}},
      {500, 100, "NO", "YES", "NO", {2}},      {700, 100, "NO", "YES", "NO", {4}},
      {300, 100, "NO", "NO", "NO", {1, 2, 3}}, {300, 100, "", "", "", {}},
      {300, 100, "YES", "NO", "YES", {1, 3}},  {260, 100, "NO", "NO", "NO", {1, 2, 3}},
      {250, 100, "NO", "NO", "NO", {1, 2}},
  };
  useSample(*engine, burstSample(5000, {}));
  for (const auto& c : cases) {
    s().processingResolution = c.resolution;
    s().processStartOnly = c.startOnly;
    s().processMiddleOnly = c.middleOnly;
    s().processEndOnly = c.endOnly;
    s().wordSeparator = " ";
    RecordingObserver seen(*engine);
    std::vector<int32_t> numbers;
    AnalysePieces(*engine, 1000, c.length, AnalysisVariant::WholeSample,
                  [&] { numbers.push_back(s().vyanjanaNo); });
    Stretches expected;
    for (int m : c.pieces) expected.emplace_back(1000 + 100 * (m - 1), 1000 + 100 * m);
    EXPECT_EQ(seen.stretches(), expected)
        << c.length << " " << c.startOnly << c.middleOnly << c.endOnly;
    const int32_t count = static_cast<int32_t>(numbers.size());
    EXPECT_EQ(s().processingNo, count);
    EXPECT_EQ(s().vyanjanaNo, count + 1);
    EXPECT_EQ(s().wordSeparator, "");
  }
}

}  // namespace
}  // namespace parlomat
