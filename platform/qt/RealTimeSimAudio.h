#pragma once
// The simulated wave devices run on a clock that follows real time, so a Qt program can listen
// to a virtual microphone (silence, or bytes it is given) until the Qt Multimedia devices come.
// Each device call first brings the devices' clock up to now; while a device has work pending
// a precise timer moves the clock on, so done marks arrive at the rate of real recording.
#include <QTimer>

#include "platform/EventLoop.h"
#include "platform/sim/SimAudio.h"
#include "platform/sim/SimEventLoop.h"

namespace parlomat {

class RealTimeSimAudio {
 public:
  explicit RealTimeSimAudio(EventLoop& clock);

  WaveInDevice& waveIn() { return in_; }
  WaveOutDevice& waveOut() { return out_; }
  // The simulated devices behind them: feed the microphone, look at what was played.
  SimWaveIn& microphone() { return simIn_; }
  SimWaveOut& speaker() { return simOut_; }

 private:
  // Moves the devices' clock to the real time of now.
  void sync();
  // Keeps the clock running while something is scheduled, and stops it when nothing is.
  void settle();
  template <typename F>
  int around(F&& call) {
    sync();
    int result = call();
    settle();
    return result;
  }

  class In : public WaveInDevice {
   public:
    explicit In(RealTimeSimAudio& a) : a_(a) {}
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
    RealTimeSimAudio& a_;
  };

  class Out : public WaveOutDevice {
   public:
    explicit Out(RealTimeSimAudio& a) : a_(a) {}
    int open(const WaveFormat& format, bool queryOnly) override;
    int prepare(WaveHeader& h) override;
    int write(WaveHeader& h) override;
    int unprepare(WaveHeader& h) override;
    int close() override;

   private:
    RealTimeSimAudio& a_;
  };

  EventLoop& clock_;
  int64_t startMicros_;
  SimEventLoop simLoop_;
  SimWaveIn simIn_{simLoop_};
  SimWaveOut simOut_{simLoop_};
  In in_{*this};
  Out out_{*this};
  QTimer ticker_;
};

}  // namespace parlomat
