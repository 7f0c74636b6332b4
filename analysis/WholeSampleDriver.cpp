#include "analysis/WholeSampleDriver.h"

#include "analysis/AudioGraph.h"
#include "analysis/DeepLevels.h"
#include "analysis/DivisionFinder.h"
#include "analysis/DivisionPieces.h"
#include "analysis/SegmentAnalysis.h"
#include "control/Delayer.h"
#include "control/StatusSignals.h"
#include "platform/Numbers.h"

namespace parlomat {

void ProcessWholeSample(Engine& e) {
  ControlState& s = e.state;
  AnalysisState& st = s.analysis;
  if (isYes(s.stopEverything)) return;

  ClearDivisionLists(st);
  s.probableWordCount = 0;
  st.deepWordCount = st.tooDeepWordCount = 0;
  s.wordNo = s.deepWordNo = s.tooDeepWordNo = 0;
  s.processingNo = s.vyanjanaNo = 0;
  s.platinumSetCount = 0;
  st.spectral.clear();

  const int32_t n = s.waveHeader.bufferLength - 1;
  st.listDivisor = n <= 100000 ? 10 : 20;
  if (n < st.listDivisor) return;

  const int64_t lists = roundToInt64(static_cast<double>(n) / st.listDivisor);
  SizeList(s.wordTimelength, lists);
  SizeList(st.divisionStart, lists);
  SizeList(st.divisionEnd, lists);
  for (int r = 1; r <= 7; ++r) {
    SizeList(s.wordOfNo[r], lists);
    SizeList(s.wordProbabilityOfNo[r], lists);
    SizeList(s.charaOfNo[r], lists);
    SizeList(s.charaProbabilityOfNo[r], lists);
  }

  if (n < 1000) {
    e.message("'CANNOT PROCESS' Code : PA", "Parlomat FATAL ERROR", Buttons::Ok, Icon::Critical);
    return;
  }

  if (!FindDivisions(e, FinderVariant::WholeSample, {0, n, n}).enoughActivity) return;
  if (s.wordTimelength.size() < static_cast<size_t>(s.probableWordCount) + 1) {
    SizeList(s.wordTimelength, s.probableWordCount);
  }
  if (isYes(s.audioGraph)) {
    DrawAudioGraph(e, st.divisionStart, st.divisionEnd, s.probableWordCount, graphcolour::kRed,
                   graphcolour::kYellow);
  }
  if (isYes(s.memoryClean)) {
    ClearProbableChars(s);
    s.platinumSetCount = 0;
  }
  s.processingSetCount = 0;

  for (int32_t k = 1; k <= s.probableWordCount; ++k) {
    const int32_t start = st.divisionStart[static_cast<size_t>(k)];
    const int32_t end = st.divisionEnd[static_cast<size_t>(k)];
    const int32_t length = end - start;
    const int32_t r = s.processingResolution;
    s.wordNo = static_cast<int16_t>(k);
    s.wordTimelength[static_cast<size_t>(k)] = length;
    if (k <= ControlState::kMemoryDivisions) {
      s.memoryDivisionCount[static_cast<size_t>(k)] = static_cast<int16_t>(s.probableWordCount);
      s.memoryDivisionNo[static_cast<size_t>(k)] = static_cast<int16_t>(k);
      s.memoryDivisionTime[static_cast<size_t>(k)] = length;
    }
    if (end >= s.sampleCount) continue;
    s.wordSeparator.assign(1, ' ');
    if (isYes(s.wordsOneByOne)) ClearProbableChars(s);

    if (length > 10000 && n > 200000) ProcessDeepWord(e, start, end);
    if (length > 100 && length <= 2000) AnalyseSegment(e, start, end, AnalysisVariant::WholeSample);
    if (r == 0 && length > 2000 && length <= 200000) {
      AnalyseSegment(e, start, end, AnalysisVariant::WholeSample);
    }
    if (r > 0 && r < length && length <= 200000) {
      AnalysePieces(e, start, length, AnalysisVariant::WholeSample);
    }
    if (r >= length) AnalyseSegment(e, start, end, AnalysisVariant::WholeSample);
  }
  ShowStatusPicture(e, 1);
}

}  // namespace parlomat
