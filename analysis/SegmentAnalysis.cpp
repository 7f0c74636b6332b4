#include "analysis/SegmentAnalysis.h"

#include <span>
#include <string>

#include "analysis/AnalysisObserver.h"
#include "analysis/AudioGraph.h"
#include "analysis/ValleyTransform.h"
#include "control/Recording.h"
#include "control/StatusSignals.h"
#include "matching/VocabularyMatcher.h"
#include "matching/VocabularyTrainer.h"

namespace parlomat {

namespace {

struct VariantRules {
  int64_t countedAbove;  // the noise test counts only when len is above this
  int givenCount;        // the activity count of a shorter stretch
  int loudness;     // a position counts when its centred value is at least this, or at most -it
  int neededCount;  // fewer counted positions make the stretch noise
};

VariantRules rulesFor(AnalysisVariant v) {
  if (v == AnalysisVariant::Listening) return {2000, 3, 25, 2};
  return {1499, 10, 30, 9};
}

// The centred value of a position; positions outside the buffer are silence.
int centredAt(const std::vector<uint8_t>& buffer, int64_t pos) {
  if (pos < 0 || pos >= static_cast<int64_t>(buffer.size())) return 0;
  return buffer[static_cast<size_t>(pos)] - 128;
}

bool isNoise(const ControlState& s, int64_t start, int64_t end, const VariantRules& rules) {
  const int64_t len = end - start;
  int activity = rules.givenCount;
  if (len > rules.countedAbove) {
    activity = 0;
    for (int64_t pos = start + 25; pos < end - 25; pos += 25) {
      const int v = centredAt(s.sampleBuffer, pos);
      if (v >= rules.loudness || v <= -rules.loudness) ++activity;
    }
  }
  return activity < rules.neededCount;
}

void handOff(Engine& e, bool listening) {
  ControlState& s = e.state;
  const bool training = s.addToVocabulary == 1 && (!listening || s.showActivities == 1);
  if (training) {
    if (listening) StopCapture(e);
    trainAndRescan(e);
    return;
  }
  for (int i = 1; i <= 10; ++i) {
    const std::string file = s.matchVocabularyFile[static_cast<size_t>(i)];
    if (file.empty()) continue;
    s.currentMatchFile = file;
    scanVocabularyFile(e, file, i != 1);
  }
}

}  // namespace

void AnalyseSegment(Engine& e, int32_t start, int32_t end, AnalysisVariant v) {
  ControlState& s = e.state;
  const bool listening = v == AnalysisVariant::Listening;
  if (listening) {
    e.platform.loop->pumpOnce();
    if (s.dspLevel < 1) s.dspLevel = 256;
  }
  if (isYes(s.stopEverything)) return;
  ShowStatusPicture(e, 1);
  AnalysisState& st = s.analysis;
  st.spectral.clear();
  s.valleyCount = 0;
  s.valleyBins.fill(0);
  s.segmentStart = s.segmentEnd = 0;

  if (end >= s.sampleCount) end = s.sampleCount - 50;
  const int64_t len = static_cast<int64_t>(end) - start;
  if (len < 0) {
    e.message(
        "CANNOT PROCESS: CODE : WP,User: Please change your experimental settings, and try to use "
        "the ideal one prescribed",
        "Parlomat USER ERROR", Buttons::Ok, Icon::Critical);
    return;
  }
  s.segmentStart = start;
  s.segmentEnd = end;

  if (isNoise(s, start, end, rulesFor(v))) {
    if (isYes(s.audioGraph)) ReportNoiseOnGraph(e);
    if (e.analysisObserver) e.analysisObserver->segmentAnalysed({start, end, true, {}});
    return;
  }

  std::vector<int16_t>& x = st.spectral.samples;
  x.resize(len > 2 ? static_cast<size_t>(len - 2) : 0);
  for (size_t n = 1; n <= x.size(); ++n) {
    x[n - 1] = static_cast<int16_t>(centredAt(s.sampleBuffer, static_cast<int64_t>(start) + n));
  }
  const int transformSize = listening ? s.dspLevel : 128;
  s.valleyCount = SpectralValleys(x, transformSize, st.spectral, s.valleyBins);

  if (e.analysisObserver) {
    e.analysisObserver->segmentAnalysed(
        {start, end, false,
         std::span<const int32_t>(s.valleyBins.data(), static_cast<size_t>(s.valleyCount))});
  }
  handOff(e, listening);
}

}  // namespace parlomat
