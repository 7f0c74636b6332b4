#pragma once
// The event loop of the Qt application: timers on QTimer, pumping through processEvents.
// Must be created and used on the thread of the QApplication.
#include <QElapsedTimer>
#include <QObject>

#include "platform/EventLoop.h"

namespace parlomat {

class QtEventLoop : public EventLoop {
 public:
  QtEventLoop();

  // An interval below 1 ms runs at 1 ms; intervals up to 20 ms use a precise timer.
  std::unique_ptr<Timer> createTimer(int intervalMs, std::function<void()> tick) override;
  void pumpOnce() override;
  // Sleeps in the event dispatcher until something was served; it never returns on its own
  // when nothing (no timer, device or posted call) can wake it.
  void waitForEvent() override;
  int64_t nowMicros() const override;
  // Posted calls still pending when the loop is destroyed are dropped.
  void post(std::function<void()> f) override;

 private:
  QElapsedTimer clock_;
  QObject context_;
};

}  // namespace parlomat
