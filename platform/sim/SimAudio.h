#pragma once
// Simulated wave devices and sound player on the virtual clock. The input device is fed from
// bytes a test or the CLI supplies, at the recording rate; after them it hears silence.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Audio.h"
#include "platform/sim/SimEventLoop.h"

namespace parlomat {

class SimWaveIn : public WaveInDevice {
 public:
  explicit SimWaveIn(SimEventLoop& loop) : loop_(loop) {}
  ~SimWaveIn() override;

  // Unsigned 8-bit samples heard from the moment the device is first started.
  void setSource(std::vector<uint8_t> bytes) { source_ = std::move(bytes); }
  // Samples consumed from the source so far (silence after its end counts too).
  int64_t position() const { return position_; }
  void failOpen(int code) { openResult_ = code; }
  void failAdd(int code) { addResult_ = code; }
  // Every call made, in order ("open 22050", "prepare", "add", "start", "stop", "reset", ...).
  const std::vector<std::string>& calls() const { return calls_; }
  bool isOpen() const { return open_; }
  const WaveFormat& format() const { return format_; }

  int queryCapabilities(int device) override;
  int open(const WaveFormat& format) override;
  int prepare(WaveHeader& h) override;
  int addBuffer(WaveHeader& h) override;
  int start() override;
  int stop() override;
  int reset() override;
  int unprepare(WaveHeader& h) override;
  int close() override;

 private:
  void scheduleChunk();
  void deliver();
  static constexpr int kChunkMs = 10;

  SimEventLoop& loop_;
  std::vector<uint8_t> source_;
  int64_t position_ = 0;
  WaveFormat format_{};
  WaveHeader* queued_ = nullptr;
  bool open_ = false;
  bool running_ = false;
  uint64_t generation_ = 0;  // cancels deliveries scheduled before a stop or close
  int openResult_ = kWaveOk;
  int addResult_ = kWaveOk;
  std::vector<std::string> calls_;
};

class SimWaveOut : public WaveOutDevice {
 public:
  explicit SimWaveOut(SimEventLoop& loop) : loop_(loop) {}
  void refuseFormats(bool refuse) { refuse_ = refuse; }
  // Each buffer written, as the bytes it offered.
  const std::vector<std::vector<uint8_t>>& played() const { return played_; }
  const std::vector<std::string>& calls() const { return calls_; }

  int open(const WaveFormat& format, bool queryOnly) override;
  int prepare(WaveHeader& h) override;
  int write(WaveHeader& h) override;
  int unprepare(WaveHeader& h) override;
  int close() override;

 private:
  SimEventLoop& loop_;
  WaveFormat format_{};
  bool refuse_ = false;
  std::vector<std::vector<uint8_t>> played_;
  std::vector<std::string> calls_;
};

class SimSoundPlayer : public SoundPlayer {
 public:
  // "once PATH", "loop PATH", "stop"
  const std::vector<std::string>& log() const { return log_; }
  void clear() { log_.clear(); }
  void playOnce(const std::string& path) override { log_.push_back("once " + path); }
  void playLooped(const std::string& path) override { log_.push_back("loop " + path); }
  void stop() override { log_.push_back("stop"); }

 private:
  std::vector<std::string> log_;
};

}  // namespace parlomat
