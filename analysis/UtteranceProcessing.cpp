#include "analysis/UtteranceProcessing.h"

#include <algorithm>

#include "analysis/AudioGraph.h"
#include "analysis/DivisionFinder.h"
#include "analysis/DivisionPieces.h"
#include "analysis/SegmentAnalysis.h"
#include "control/Delayer.h"
#include "control/Recording.h"
#include "control/StatusSignals.h"
#include "platform/Numbers.h"

namespace parlomat {

namespace {

constexpr int32_t kAnalysedDivisions = 5;
constexpr int32_t kLongestAnalysedDivision = 30000;

// A fresh start for the finder, the spectral lists, the division memory and the counters.
void clearForUtterance(ControlState& s) {
  AnalysisState& st = s.analysis;
  ClearDivisionLists(st);
  st.spectral.clear();
  // The whole Current Memory goes, character strings included, so no string of an earlier
  // utterance is matched as part of this one.
  std::fill(s.memoryDivisionCount.begin(), s.memoryDivisionCount.end(), int16_t{0});
  std::fill(s.memoryDivisionNo.begin(), s.memoryDivisionNo.end(), int16_t{0});
  std::fill(s.memoryDivisionTime.begin(), s.memoryDivisionTime.end(), 0);
  for (std::string& chars : s.memoryDivisionChars) chars.clear();
  s.probableWordCount = 0;
  s.wordNo = s.deepWordNo = s.tooDeepWordNo = 0;
  s.processingNo = s.vyanjanaNo = 0;
}

// Sizes the per-division lists (and with `resultLists` the 28 ranked-set lists) to entries
// 0..round(N / 10), keeping their contents.
void sizeLists(ControlState& s, int32_t n, bool resultLists) {
  AnalysisState& st = s.analysis;
  st.listDivisor = 10;
  const int64_t last = roundToInt64(static_cast<double>(n) / st.listDivisor);
  SizeList(s.wordTimelength, last);
  SizeList(st.divisionStart, last);
  SizeList(st.divisionEnd, last);
  if (!resultLists) return;
  for (int r = 1; r <= 7; ++r) {
    SizeList(s.wordOfNo[r], last);
    SizeList(s.wordProbabilityOfNo[r], last);
    SizeList(s.charaOfNo[r], last);
    SizeList(s.charaProbabilityOfNo[r], last);
  }
}

// Finds the Word divisions of the buffer being captured. False, with chunkBusy cleared, when the
// buffer is too short or too quiet to divide.
bool divideBuffer(Engine& e, bool resultLists) {
  ControlState& s = e.state;
  const int32_t n = s.waveHeader.bufferLength - 1;
  if (n < 10) {
    s.chunkBusy = 0;
    return false;
  }
  sizeLists(s, n, resultLists);
  if (n < 1000) {
    e.message("'CANNOT PROCESS' Code : PA", "Parlomat FATAL ERROR", Buttons::Ok, Icon::Critical);
    s.chunkBusy = 0;
    return false;
  }
  if (!FindDivisions(e, FinderVariant::Listening, {0, n, n}).enoughActivity) {
    s.chunkBusy = 0;
    return false;
  }
  return true;
}

void endChunkProcessing(Engine& e) {
  e.state.chunkBusy = 0;
  e.timer3->setEnabled(false);
}

// Analyses division k (start..end) whole, in pieces, or both, as the resolution decides.
void analyseDivision(Engine& e, int32_t start, int32_t end) {
  ControlState& s = e.state;
  const int32_t length = end - start;
  const int32_t r = s.processingResolution;
  if (length > 0 && r == 0) AnalyseSegment(e, start, end, AnalysisVariant::Listening);
  if (r > 0 && length > r) {
    AnalysePieces(e, start, length, AnalysisVariant::Listening, [&e] {
      ControlState& st = e.state;
      e.platform.loop->pumpOnce();
      if (isYes(st.multipleFiles)) {
        ClearProbableChars(st);
        st.processingSetCount = 0;
      }
    });
  }
  if (r >= length) AnalyseSegment(e, start, end, AnalysisVariant::Listening);
}

}  // namespace

void DetectUtterance(Engine& e) {
  ControlState& s = e.state;
  if (isYes(s.stopEverything)) return;
  ShowStatusPicture(e, 2);
  s.utteranceDone = 0;
  s.chunkBusy = 1;
  clearForUtterance(s);
  // Too little yet: the chunk timer stays enabled and looks again at its next tick.
  if (!divideBuffer(e, false)) return;
  if (s.probableWordCount > 0) {
    // The device goes on recording the rest of the utterance during the voice-grab delay.
    PumpMessages(e, s.voiceGrabDelay);
    ShowStatusPicture(e, 1);
    e.platform.loop->pumpOnce();
    endChunkProcessing(e);
    ProcessUtterance(e);
  }
  ShowStatusPicture(e, 2);
  endChunkProcessing(e);
}

void ProcessUtterance(Engine& e) {
  ControlState& s = e.state;
  AnalysisState& st = s.analysis;
  if (isYes(s.stopEverything)) return;
  ShowStatusPicture(e, 1);
  e.platform.loop->pumpOnce();
  s.utteranceDone = 0;
  s.chunkBusy = 1;
  clearForUtterance(s);
  s.matching.languageCandidateCount = 0;
  s.matching.languageCandidates.resize(1);
  s.platinumSetCount = 0;
  if (!divideBuffer(e, true)) return;

  if (isYes(s.audioGraph)) {
    DrawAudioGraph(e, st.divisionStart, st.divisionEnd, s.probableWordCount, graphcolour::kRed,
                   graphcolour::kYellow);
  }
  if (isYes(s.memoryClean)) {
    CleanResults(s);
    s.languageMatchRecord = 0;
  }
  if (isYes(s.wordsOneByOne)) s.processingSetCount = 0;

  if (!isNo(s.audioProcess)) {
    if (s.wordTimelength.size() < static_cast<size_t>(s.probableWordCount) + 1) {
      SizeList(s.wordTimelength, s.probableWordCount);
    }
    for (int32_t k = 1; k <= s.probableWordCount; ++k) {
      const size_t i = static_cast<size_t>(k);
      const int32_t start = st.divisionStart[i];
      const int32_t end = st.divisionEnd[i];
      const int32_t length = end - start;
      s.wordNo = static_cast<int16_t>(k);
      s.wordTimelength[i] = length;
      s.utteranceDone = 1;
      s.chunkBusy = 1;
      if (k <= ControlState::kMemoryDivisions) {
        s.memoryDivisionCount[i] = static_cast<int16_t>(s.probableWordCount);
        s.memoryDivisionNo[i] = static_cast<int16_t>(k);
        s.memoryDivisionTime[i] = length;
      }
      if (k > kAnalysedDivisions || end >= s.sampleCount || length > kLongestAnalysedDivision) {
        continue;
      }
      if (isYes(s.multipleFiles)) {
        ClearProbableChars(s);
        s.processingSetCount = 0;
      }
      s.wordSeparator.assign(1, ' ');
      if (isNo(s.multipleFiles) && isYes(s.wordsOneByOne)) ClearProbableChars(s);
      if (isYes(s.wordsOneByOne) && isYes(s.multipleFiles)) {
        ClearProbableChars(s);
        s.wordSeparator.clear();
      }
      if (isYes(s.speechEcho)) EchoDivision(e, start, end);
      analyseDivision(e, start, end);
    }
  }
  ShowStatusPicture(e, 1);
  endChunkProcessing(e);
}

void EchoDivision(Engine& e, int32_t a, int32_t b) {
  if (isYes(e.state.stopEverything)) return;
  StopCapture(e);
  PlaySegment(e, a, b);
}

}  // namespace parlomat
