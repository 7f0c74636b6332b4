#include "control/ListeningCycle.h"

#include <new>
#include <stdexcept>

#include "analysis/UtteranceProcessing.h"
#include "control/Recording.h"
#include "control/StatusSignals.h"
#include "matching/LanguageMatcher.h"

namespace parlomat {

namespace {

// Marks the engine as inside a capture loop for as long as the guard lives.
class LoopGuard {
 public:
  explicit LoopGuard(Engine& e) : e_(e) { ++e_.captureLoopDepth; }
  ~LoopGuard() { --e_.captureLoopDepth; }

 private:
  Engine& e_;
};

// Ends a pass that cannot go on (the device refused, a failure inside the pass): one box, the
// cycle halted, nothing waits. The pass itself returns quietly at its next check.
void haltCycle(Engine& e) {
  EndRunningPass(e);
  e.timer5->setEnabled(false);
  e.timer3->setEnabled(false);
  e.message("Problem Starting Recording, Check Your Settings and Sound Card", "Parlomat Info",
            Buttons::Ok, Icon::Information);
}

// Plays the start sound and opens the input device for the pass.
void openCapture(Engine& e) {
  ControlState& s = e.state;
  if (!s.startSoundPath.empty()) e.platform.sounds->playOnce(s.startSoundPath);
  s.captureOpen = 1;
  s.captureClosed = 0;
  if (s.recordingFrequency == 0) s.recordingFrequency = 22050;
  s.bitsPerSample = 8;
  s.channelCount = 1;
  WaveInDevice& in = *e.platform.waveIn;
  if (in.queryCapabilities(0) == kWaveOk) {
    WaveFormat& f = s.waveFormat;
    f.formatTag = 1;
    f.channels = static_cast<int16_t>(s.channelCount);
    f.samplesPerSec = s.recordingFrequency;
    f.blockAlign = static_cast<int16_t>(s.bitsPerSample / 8 * s.channelCount);
    f.avgBytesPerSec = f.blockAlign * f.samplesPerSec;
    f.bitsPerSample = static_cast<int16_t>(s.bitsPerSample);
  }
  s.lastWaveResult = in.open(s.waveFormat);
  s.waveInHandle = s.lastWaveResult == kWaveOk;
}

// Records one buffer into sampleBuffer, pumping while it fills. False when the device could not
// take the buffer, so no done mark will ever come.
bool recordBuffer(Engine& e) {
  ControlState& s = e.state;
  WaveInDevice& in = *e.platform.waveIn;
  int32_t length = s.dspLevel + s.sampleCount;
  s.sampleBuffer.assign(static_cast<size_t>(length) + 1, 0);
  WaveHeader& h = s.waveHeader;
  h.data = s.sampleBuffer.data();
  h.bufferLength = length;
  h.bytesRecorded = 0;
  h.flags = 0;
  bool queued = false;
  if (s.lastWaveResult == kWaveOk && in.prepare(h) == kWaveOk && in.addBuffer(h) == kWaveOk) {
    queued = in.start() == kWaveOk;
  }
  if (!queued) return false;
  if (s.chunkBusy == 0) e.timer3->setEnabled(true);
  // The chunk timer and host calls run inside this wait; a stop resets the device, which marks
  // the buffer done.
  while (!h.done()) e.platform.loop->waitForEvent();
  return true;
}

// Runs `step`; a runtime failure inside it (a record file, a status picture, no memory for the
// buffer) halts the cycle with one box. Faults of the program itself are not caught.
template <typename Step>
void haltOnFailure(Engine& e, Step&& step) {
  try {
    step();
  } catch (const std::runtime_error&) {
    haltCycle(e);
  } catch (const RecordFileError&) {
    haltCycle(e);
  } catch (const std::bad_alloc&) {
    haltCycle(e);
  }
}

void takeBufferBack(Engine& e) {
  ControlState& s = e.state;
  s.lastWaveResult = e.platform.waveIn->unprepare(s.waveHeader);
  s.recordedBytes = s.waveHeader.bytesRecorded - 1;
}

void runPass(Engine& e) {
  ControlState& s = e.state;
  const uint64_t generation = e.passGeneration;
  if (isYes(s.stopEverything)) return;
  ShowStatusPicture(e, 1);
  if (s.sampleCount == 0) {
    e.message("No sampling time", "Parlomat User Error", Buttons::Ok, Icon::Critical);
    return;
  }
  openCapture(e);
  e.timer5->setEnabled(false);
  if (!s.waveInHandle) {
    haltCycle(e);
    return;
  }
  // An utterance of a pass that was stopped or restarted is not this pass's to match.
  s.utteranceDone = 0;
  for (;;) {
    ShowStatusPicture(e, 1);
    if (s.stopRequested == 1 || e.passGeneration != generation) return;
    if (isYes(s.artificialIntelligence) && s.utteranceDone == 1) {
      StopCapture(e);
      ShowStatusPicture(e, 1);
      e.timer5->setEnabled(false);
      matchLanguageUtterance(e);
      return;
    }
    if (isYes(s.speechEcho) && s.utteranceDone == 1) {
      StopCapture(e);
      ShowStatusPicture(e, 1);
      s.utteranceDone = 0;
      e.timer5->setEnabled(true);
      return;
    }
    if (s.utteranceDone == 1 && s.showActivities == 1) break;
    bool recorded = recordBuffer(e);
    if (!recorded) {
      // A stop or restart that arrived while the buffer was being offered ends the pass quietly.
      if (s.stopRequested != 1 && e.passGeneration == generation) haltCycle(e);
      return;
    }
    // A pass ended by a restart or a halt has nothing more to show or take back.
    if (e.passGeneration != generation) return;
    ShowStatusPicture(e, 2);
    takeBufferBack(e);
  }
  ShowStatusPicture(e, 1);
  StopCapture(e);
  if (!s.stopSoundPath.empty()) e.platform.sounds->playOnce(s.stopSoundPath);
  s.utteranceDone = 0;
  e.timer5->setEnabled(true);
}

}  // namespace

void CaptureLoop(Engine& e) {
  // One capture loop at a time: a tick that arrives while a restarted pass unwinds does nothing,
  // and the next tick starts the new pass from the top.
  if (e.captureLoopDepth > 0) return;
  LoopGuard guard(e);
  // The language step has no handler of its own: its file errors end here too.
  haltOnFailure(e, [&e] { runPass(e); });
}

void ChunkTimerTick(Engine& e) {
  e.timer3->setInterval(5);
  if (e.state.chunkBusy != 0) return;
  // Handled here rather than by the capture loop below: a failure must not travel through the
  // platform's event loop.
  haltOnFailure(e, [&e] {
    try {
      DetectUtterance(e);
    } catch (...) {
      e.state.chunkBusy = 0;
      throw;
    }
  });
}

void EndRunningPass(Engine& e) {
  ++e.passGeneration;
  StopCapture(e);
}

bool PassHoldsBuffer(const Engine& e) {
  const ControlState& s = e.state;
  return e.captureLoopDepth > 0 || (s.captureOpen == 1 && s.captureClosed == 0);
}

}  // namespace parlomat
