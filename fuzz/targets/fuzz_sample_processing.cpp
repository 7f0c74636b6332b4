// The drivers over arbitrary samples and settings: a whole loaded sample with its deeper levels,
// and the listening cycle's detection and utterance processing on a captured buffer. The sample is
// the input's bytes, or, to reach the long spans of the deeper levels with small inputs, runs of
// values the input describes.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "analysis/UtteranceProcessing.h"
#include "analysis/WholeSampleDriver.h"

using namespace parlomat;

namespace {

std::string switchText(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 2)) {
    case 0:
      return kYes;
    case 1:
      return kNo;
  }
  return {};
}

std::vector<uint8_t> sampleFrom(FuzzedDataProvider& in) {
  if (in.ConsumeBool()) return in.ConsumeRemainingBytes<uint8_t>();
  // Runs: a value, a length and whether the run alternates around silence (a loud square wave).
  std::vector<uint8_t> out;
  while (in.remaining_bytes() > 0 && out.size() < 420000) {
    const uint8_t value = in.ConsumeIntegral<uint8_t>();
    const size_t length = in.ConsumeIntegralInRange<size_t>(1, 60000);
    const bool square = in.ConsumeBool();
    for (size_t i = 0; i < length && out.size() < 420000; ++i) {
      out.push_back(square && (out.size() / 25) % 2 ? static_cast<uint8_t>(256 - value) : value);
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  fuzz::World w;
  ControlState& s = w.engine->state;
  const bool listening = in.ConsumeBool();
  // 0 analyses divisions whole; other resolutions cut them into pieces of that many positions,
  // held where one input still runs in well under a second.
  s.processingResolution = in.ConsumeBool() ? 0 : in.ConsumeIntegralInRange<int32_t>(150, 40000);
  s.processStartOnly = switchText(in);
  s.processMiddleOnly = switchText(in);
  s.processEndOnly = switchText(in);
  s.wordsOneByOne = switchText(in);
  s.multipleFiles = switchText(in);
  s.memoryClean = switchText(in);
  s.audioGraph = switchText(in);
  s.audioProcess = switchText(in);
  const int16_t levels[] = {0, 128, 256, 512, 1024};
  s.dspLevel = levels[in.ConsumeIntegralInRange<int>(0, 4)];
  s.voiceGrabDelay = in.ConsumeIntegralInRange<int32_t>(0, 50);
  const int32_t countShort = in.ConsumeIntegralInRange<int32_t>(0, 2000);
  s.stopEverything = kNo;
  s.sampleBuffer = sampleFrom(in);
  s.waveHeader.data = s.sampleBuffer.data();
  s.waveHeader.bufferLength = static_cast<int32_t>(s.sampleBuffer.size());
  // A capture's buffer holds dspLevel positions more than sampleCount; a loaded file exactly it.
  s.sampleCount = std::max<int32_t>(s.waveHeader.bufferLength - countShort, 0);

  if (listening) {
    DetectUtterance(*w.engine);
    fuzz::require(s.chunkBusy == 0, "the chunk processing always ends");
  } else {
    s.onDemandMode = 1;
    ProcessWholeSample(*w.engine);
  }
  fuzz::require(s.sampleBuffer.size() == static_cast<size_t>(s.waveHeader.bufferLength),
                "the sample keeps its length");
  fuzz::require(s.probableWordCount >= 0, "a division count is never negative");
  fuzz::require(w.sim.files.openCount() == 0, "no record file left open");
  return 0;
}
