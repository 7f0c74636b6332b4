// The wave-file loader on arbitrary file contents: it may refuse the file with its message, or
// raise SubscriptOutOfRange for an empty data chunk, but never reads past the file, and a loaded
// sample is consistent with the file it came from.
#include "FuzzSupport.h"
#include "control/WaveFiles.h"
#include "platform/Variant.h"

using namespace parlomat;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::World w;
  const std::string path = fuzz::writeScratch("input.wav", data, size);
  ControlState& s = w.engine->state;
  bool loaded = false;
  try {
    loaded = LoadWaveFile(*w.engine, path);
  } catch (const SubscriptOutOfRange&) {
    return 0;
  }
  const size_t boxes = w.sim.dialogs.shown().size();
  if (!loaded) {
    fuzz::require(boxes == 1, "a refused file shows exactly one box");
    return 0;
  }
  fuzz::require(boxes == 0, "a loaded file shows no box");
  fuzz::require(!s.sampleBuffer.empty(), "a loaded sample has bytes");
  fuzz::require(s.sampleBuffer.size() + 20 <= size, "the sample is smaller than the file");
  fuzz::require(s.sampleCount == static_cast<int32_t>(s.sampleBuffer.size()),
                "sampleCount is the sample's length");
  fuzz::require(s.waveHeader.bufferLength == s.sampleCount, "bufferLength is the sample's length");
  fuzz::require(s.waveHeader.data == s.sampleBuffer.data(), "the header points at the sample");
  // The sample is a run of the file's own bytes.
  const std::vector<uint8_t> file(data, data + size);
  auto at = std::search(file.begin(), file.end(), s.sampleBuffer.begin(), s.sampleBuffer.end());
  fuzz::require(at != file.end(), "the sample comes from the file");
  return 0;
}
