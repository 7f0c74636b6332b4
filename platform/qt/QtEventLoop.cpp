#include "platform/qt/QtEventLoop.h"

#include <QThread>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

namespace parlomat {

namespace {

// The coarse timer of Qt may fire up to 5 % late; the 5 ms cycle timers need the exact tick.
constexpr int kPreciseUpToMs = 20;

class QtTimer : public Timer {
 public:
  QtTimer(int intervalMs, std::function<void()> tick)
      : tick_(std::make_shared<std::function<void()>>(std::move(tick))) {
    setInterval(intervalMs);
    auto callback = tick_;
    // The tick may destroy this timer; the shared callback outlives the call.
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [callback] {
      auto keep = callback;
      (*keep)();
    });
  }

  void setInterval(int ms) override {
    intervalMs_ = ms;
    int effective = std::max(1, ms);
    timer_.setTimerType(effective <= kPreciseUpToMs ? Qt::PreciseTimer : Qt::CoarseTimer);
    // QTimer restarts an active timer with the new interval.
    timer_.setInterval(effective);
  }
  int interval() const override { return intervalMs_; }

  void setEnabled(bool on) override {
    if (on && !timer_.isActive()) timer_.start();
    if (!on) timer_.stop();
  }
  bool enabled() const override { return timer_.isActive(); }

 private:
  std::shared_ptr<std::function<void()>> tick_;
  QTimer timer_;
  int intervalMs_ = 0;
};

}  // namespace

QtEventLoop::QtEventLoop() {
  clock_.start();
}

std::unique_ptr<Timer> QtEventLoop::createTimer(int intervalMs, std::function<void()> tick) {
  return std::make_unique<QtTimer>(intervalMs, std::move(tick));
}

void QtEventLoop::pumpOnce() {
  const int64_t began = nowMicros();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  // A pass lasts at least kPassMicros, as on a busy desktop: delays counted in passes (the
  // voice-grab delay) are then real time, and the rest of a pass sleeps instead of spinning.
  const int64_t left = kPassMicros - (nowMicros() - began);
  if (left > 0) QThread::usleep(static_cast<unsigned long>(left));
}

void QtEventLoop::waitForEvent() {
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

int64_t QtEventLoop::nowMicros() const {
  return clock_.nsecsElapsed() / 1000;
}

void QtEventLoop::post(std::function<void()> f) {
  QMetaObject::invokeMethod(&context_, std::move(f), Qt::QueuedConnection);
}

}  // namespace parlomat
