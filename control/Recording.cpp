#include "control/Recording.h"

#include <algorithm>
#include <exception>

namespace parlomat {

void StopCapture(Engine& e) {
  ControlState& s = e.state;
  if (s.captureOpen == 0 || s.captureClosed == 1) return;
  try {
    WaveInDevice& in = *e.platform.waveIn;
    // Results are ignored: the reset marks a queued buffer done, which ends a waiting pass.
    in.stop();
    in.reset();
    in.unprepare(s.waveHeader);
    in.close();
    s.waveInHandle = false;
    s.recordedBytes = s.waveHeader.bytesRecorded - 1;
  } catch (const std::exception&) {
    e.message("Problem Stoping Recording, Check Your Settings and Sound Card, Close Application",
              "Parlomat Info", Buttons::Ok, Icon::Information);
  }
  s.captureClosed = 1;
  s.captureOpen = 0;
}

void PlaySegment(Engine& e, int32_t start, int32_t end) {
  ControlState& s = e.state;
  if (isYes(s.stopEverything)) return;
  // The segment is sampleBuffer[start + 1 .. end - 2], kept inside the buffer; index 0 of the
  // playback buffer stays a zero byte before it.
  int64_t first = std::max<int64_t>(int64_t{start} + 1, 0);
  int64_t last =
      std::min<int64_t>(int64_t{end} - 2, static_cast<int64_t>(s.sampleBuffer.size()) - 1);
  int64_t n = std::max<int64_t>(last - first + 1, 0);
  s.segmentBuffer.assign(static_cast<size_t>(n + 1), 0);
  std::copy_n(s.sampleBuffer.begin() + first, n, s.segmentBuffer.begin() + 1);

  WaveHeader& h = s.waveHeader;
  h.data = s.segmentBuffer.data();
  h.bufferLength = static_cast<int32_t>(s.segmentBuffer.size());
  h.flags = 0;
  WaveOutDevice& out = *e.platform.waveOut;
  if (out.open(s.waveFormat, false) != kWaveOk) return;
  out.prepare(h);
  if (out.write(h) == kWaveOk) {
    while (!h.done()) e.platform.loop->waitForEvent();
  }
  out.unprepare(h);
  out.close();
}

}  // namespace parlomat
