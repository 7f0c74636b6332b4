#include "platform/qt/RealTimeSimAudio.h"

namespace parlomat {

namespace {
// The simulated input delivers 10 ms chunks; ticking at the same rate keeps them on time.
constexpr int kTickMs = 10;
}  // namespace

RealTimeSimAudio::RealTimeSimAudio(EventLoop& clock)
    : clock_(clock), startMicros_(clock.nowMicros()) {
  ticker_.setTimerType(Qt::PreciseTimer);
  ticker_.setInterval(kTickMs);
  QObject::connect(&ticker_, &QTimer::timeout, &ticker_, [this] {
    sync();
    settle();
  });
}

void RealTimeSimAudio::sync() {
  simLoop_.runUntil(clock_.nowMicros() - startMicros_);
}

void RealTimeSimAudio::settle() {
  if (simLoop_.hasPending()) {
    if (!ticker_.isActive()) ticker_.start();
  } else {
    ticker_.stop();
  }
}

int RealTimeSimAudio::In::queryCapabilities(int device) {
  return a_.around([&] { return a_.simIn_.queryCapabilities(device); });
}
int RealTimeSimAudio::In::open(const WaveFormat& format) {
  return a_.around([&] { return a_.simIn_.open(format); });
}
int RealTimeSimAudio::In::prepare(WaveHeader& h) {
  return a_.around([&] { return a_.simIn_.prepare(h); });
}
int RealTimeSimAudio::In::addBuffer(WaveHeader& h) {
  return a_.around([&] { return a_.simIn_.addBuffer(h); });
}
int RealTimeSimAudio::In::start() {
  return a_.around([&] { return a_.simIn_.start(); });
}
int RealTimeSimAudio::In::stop() {
  return a_.around([&] { return a_.simIn_.stop(); });
}
int RealTimeSimAudio::In::reset() {
  return a_.around([&] { return a_.simIn_.reset(); });
}
int RealTimeSimAudio::In::unprepare(WaveHeader& h) {
  return a_.around([&] { return a_.simIn_.unprepare(h); });
}
int RealTimeSimAudio::In::close() {
  return a_.around([&] { return a_.simIn_.close(); });
}

int RealTimeSimAudio::Out::open(const WaveFormat& format, bool queryOnly) {
  return a_.around([&] { return a_.simOut_.open(format, queryOnly); });
}
int RealTimeSimAudio::Out::prepare(WaveHeader& h) {
  return a_.around([&] { return a_.simOut_.prepare(h); });
}
int RealTimeSimAudio::Out::write(WaveHeader& h) {
  return a_.around([&] { return a_.simOut_.write(h); });
}
int RealTimeSimAudio::Out::unprepare(WaveHeader& h) {
  return a_.around([&] { return a_.simOut_.unprepare(h); });
}
int RealTimeSimAudio::Out::close() {
  return a_.around([&] { return a_.simOut_.close(); });
}

}  // namespace parlomat
