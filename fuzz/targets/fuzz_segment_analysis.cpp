// The segment analysis over arbitrary buffers, stretches, sample counts and processing levels, in
// both variants: it refuses a stretch that ends before it starts with its box, and otherwise
// leaves a valley list of ascending bins inside the transform.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "analysis/SegmentAnalysis.h"

using namespace parlomat;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const bool listening = in.ConsumeBool();
  // The levels Keep_Digital_Signal_Processing_level can set, and 0 before it was ever set.
  const int16_t levels[] = {0, 128, 256, 512, 1024};
  const int16_t dspLevel = levels[in.ConsumeIntegralInRange<int>(0, 4)];
  const int32_t start = in.ConsumeIntegralInRange<int32_t>(-3000, 70000);
  const int32_t end = in.ConsumeIntegralInRange<int32_t>(-3000, 70000);
  const int32_t sampleCount = in.ConsumeIntegralInRange<int32_t>(-100, 70000);
  const bool graph = in.ConsumeBool();

  fuzz::World w;
  ControlState& s = w.engine->state;
  s.sampleBuffer = in.ConsumeRemainingBytes<uint8_t>();
  s.sampleCount = sampleCount;
  s.dspLevel = dspLevel;
  s.stopEverything = kNo;
  s.audioGraph = graph ? kYes : kNo;
  AnalyseSegment(*w.engine, start, end,
                 listening ? AnalysisVariant::Listening : AnalysisVariant::WholeSample);

  const int t = listening ? s.dspLevel : 128;
  fuzz::require(s.valleyCount >= 0 && s.valleyCount <= t - 1, "valleys fit the transform");
  for (int i = 0; i < s.valleyCount; ++i) {
    const int32_t bin = s.valleyBins[static_cast<size_t>(i)];
    fuzz::require(bin >= 1 && bin <= t - 1, "a valley bin lies inside the transform");
    if (i > 0) fuzz::require(s.valleyBins[static_cast<size_t>(i - 1)] < bin, "bins ascend");
  }
  fuzz::require(w.sim.dialogs.shown().size() <= 1, "at most the one WP box");
  return 0;
}
