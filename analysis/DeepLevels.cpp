#include "analysis/DeepLevels.h"

#include "analysis/AudioGraph.h"
#include "analysis/DivisionFinder.h"
#include "analysis/DivisionPieces.h"
#include "analysis/SegmentAnalysis.h"
#include "control/Delayer.h"
#include "platform/Numbers.h"

namespace parlomat {

namespace {

struct Level {
  FinderVariant variant;
  const char* errorText;
  const char* errorTitle;
  int32_t oddColour, evenColour;
  std::vector<int32_t> AnalysisState::*starts;
  std::vector<int32_t> AnalysisState::*ends;
  std::vector<int32_t> ControlState::*timelengths;
};

const Level kDeepWord{FinderVariant::DeepWord,
                      "CANNOT PROCESS : CODE:WD",
                      "Parlomat FATAL ERROR",
                      graphcolour::kBlue,
                      graphcolour::kCyan,
                      &AnalysisState::deepDivisionStart,
                      &AnalysisState::deepDivisionEnd,
                      &ControlState::deepWordTimelength};
const Level kTooDeepWord{FinderVariant::TooDeepWord,
                         "CANNOT PROCESS CODE: WDD",
                         "Parlomat ERROR",
                         graphcolour::kMagenta,
                         graphcolour::kWhite,
                         &AnalysisState::tooDeepDivisionStart,
                         &AnalysisState::tooDeepDivisionEnd,
                         &ControlState::tooDeepWordTimelength};

// The common start of both levels: the span's end clamp, its check, the list sizes, the finder
// and the graph. Returns the division count, or -1 when the span ends before it starts.
int32_t findLevelDivisions(Engine& e, const Level& level, int32_t a, int32_t& b, int32_t& length) {
  ControlState& s = e.state;
  AnalysisState& st = s.analysis;
  if (b >= s.sampleCount) b = s.sampleCount - 50;
  length = b - a;
  if (length < 0) {
    e.message(level.errorText, level.errorTitle, Buttons::Ok, Icon::Critical);
    return -1;
  }
  const int32_t divisor = st.listDivisor > 0 ? st.listDivisor : 10;
  const int64_t lists = roundToInt64(static_cast<double>(length) / divisor);
  SizeList(st.*level.starts, lists);
  SizeList(st.*level.ends, lists);
  SizeList(s.*level.timelengths, lists);
  const int32_t count = FindDivisions(e, level.variant, {a, b, length}).count;
  if ((s.*level.timelengths).size() < static_cast<size_t>(count) + 1) {
    SizeList(s.*level.timelengths, count);
  }
  if (isYes(s.audioGraph)) {
    DrawAudioGraph(e, st.*level.starts, st.*level.ends, count, level.oddColour, level.evenColour);
  }
  return count;
}

}  // namespace

void ProcessDeepWord(Engine& e, int32_t a, int32_t b) {
  ControlState& s = e.state;
  AnalysisState& st = s.analysis;
  if (isYes(s.stopEverything)) return;
  int32_t spanLength = 0;
  const int32_t count = findLevelDivisions(e, kDeepWord, a, b, spanLength);
  for (int32_t j = 0; j <= count; ++j) {
    const size_t i = static_cast<size_t>(j);
    const int32_t from = a + st.deepDivisionStart[i];
    const int32_t to = a + st.deepDivisionEnd[i];
    const int32_t length = to - from;
    const int32_t r = s.processingResolution;
    s.deepWordNo = static_cast<int16_t>(j);
    s.deepWordTimelength[i] = length;
    s.wordSeparator.assign(1, ' ');
    if (isYes(s.wordsOneByOne)) ClearProbableChars(s);
    if (length > 10000 && spanLength > 100000) ProcessTooDeepWord(e, from, to);
    if (length > 100 && length <= 2000) AnalyseSegment(e, from, to, AnalysisVariant::WholeSample);
    if (r == 0 && length >= 2000 && length <= 100000) {
      AnalyseSegment(e, from, to, AnalysisVariant::WholeSample);
    }
    if (r > 0 && r < length && length <= 100000) {
      AnalysePieces(e, from, length, AnalysisVariant::WholeSample);
    }
  }
}

void ProcessTooDeepWord(Engine& e, int32_t a, int32_t b) {
  ControlState& s = e.state;
  AnalysisState& st = s.analysis;
  if (isYes(s.stopEverything)) return;
  int32_t spanLength = 0;
  const int32_t count = findLevelDivisions(e, kTooDeepWord, a, b, spanLength);
  for (int32_t j = 0; j <= count; ++j) {
    const size_t i = static_cast<size_t>(j);
    const int32_t from = a + st.tooDeepDivisionStart[i];
    const int32_t to = a + st.tooDeepDivisionEnd[i];
    const int32_t length = to - from;
    const int32_t r = s.processingResolution;
    s.wordSeparator.assign(1, ' ');
    if (isYes(s.wordsOneByOne)) ClearProbableChars(s);
    s.tooDeepWordNo = static_cast<int16_t>(j);
    s.tooDeepWordTimelength[i] = length;
    if (length > 12000) continue;
    if (length > 100 && length <= 2000) AnalyseSegment(e, from, to, AnalysisVariant::WholeSample);
    if (r == 0 && length > 2000 && length <= 100000) {
      AnalyseSegment(e, from, to, AnalysisVariant::WholeSample);
    }
    if (r > 0 && r < length && length <= 100000) {
      AnalysePieces(e, from, length, AnalysisVariant::WholeSample);
    }
  }
}

}  // namespace parlomat
