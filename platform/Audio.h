#pragma once
// Wave audio: the input device the recorder fills, the output device for playback, and the
// sound-file player for cues. Unsigned 8-bit mono PCM throughout the recogniser.
#include <cstdint>
#include <string>

namespace parlomat {

// The 16-byte PCM format record, little-endian on disk.
struct WaveFormat {
  int16_t formatTag = 0;
  int16_t channels = 0;
  int32_t samplesPerSec = 0;
  int32_t avgBytesPerSec = 0;
  int16_t blockAlign = 0;
  int16_t bitsPerSample = 0;
};

// One buffer shared by capture, playback and the loaded file; bit 0 of flags is the done mark.
struct WaveHeader {
  uint8_t* data = nullptr;
  int32_t bufferLength = 0;
  int32_t bytesRecorded = 0;
  int32_t flags = 0;
  int32_t loops = 0;
  static constexpr int32_t kDone = 1;
  static constexpr int32_t kPrepared = 2;
  bool done() const { return (flags & kDone) != 0; }
};

// Device result codes: 0 is success, anything else an error.
inline constexpr int kWaveOk = 0;
inline constexpr int kWaveError = 1;

class WaveInDevice {
 public:
  virtual ~WaveInDevice() = default;
  virtual int queryCapabilities(int device) = 0;
  virtual int open(const WaveFormat& format) = 0;
  virtual int prepare(WaveHeader& h) = 0;
  virtual int addBuffer(WaveHeader& h) = 0;
  virtual int start() = 0;
  virtual int stop() = 0;
  // Returns a queued buffer marked done.
  virtual int reset() = 0;
  virtual int unprepare(WaveHeader& h) = 0;
  virtual int close() = 0;
};

class WaveOutDevice {
 public:
  virtual ~WaveOutDevice() = default;
  // With queryOnly nothing is opened: the answer says whether the format can be played.
  virtual int open(const WaveFormat& format, bool queryOnly) = 0;
  virtual int prepare(WaveHeader& h) = 0;
  // Plays the buffer; the done mark is set when playback ends.
  virtual int write(WaveHeader& h) = 0;
  virtual int unprepare(WaveHeader& h) = 0;
  virtual int close() = 0;
};

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Fire and forget: a sound that cannot be played is ignored.
  virtual void playOnce(const std::string& path) = 0;
  virtual void playLooped(const std::string& path) = 0;
  virtual void stop() = 0;
};

}  // namespace parlomat
