#pragma once
// Timers and the message pump. Everything runs on one thread; long steps pump while they wait.
#include <cstdint>
#include <functional>
#include <memory>

namespace parlomat {

class Timer {
 public:
  virtual ~Timer() = default;
  virtual void setInterval(int ms) = 0;
  virtual int interval() const = 0;
  virtual void setEnabled(bool on) = 0;  // enabling restarts the interval
  virtual bool enabled() const = 0;
};

class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // A timer starts disabled; `tick` runs on each expiry while it is enabled.
  virtual std::unique_ptr<Timer> createTimer(int intervalMs, std::function<void()> tick) = 0;
  // Serves what is pending now and returns without waiting for more. A pass lasts at least
  // kPassMicros, so that a delay counted in passes is a delay in time.
  virtual void pumpOnce() = 0;
  static constexpr int64_t kPassMicros = 100;
  // Blocks until at least one event (a timer, a device, a posted call) has been served.
  virtual void waitForEvent() = 0;
  // Monotonic time in microseconds (virtual time on the simulated loop).
  virtual int64_t nowMicros() const = 0;
  // Runs `f` on the loop as soon as it is served.
  virtual void post(std::function<void()> f) = 0;
};

}  // namespace parlomat
