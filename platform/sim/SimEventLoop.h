#pragma once
// A deterministic event loop on a virtual clock. Waiting advances the clock to the next timer
// or scheduled event; nothing sleeps. Timers may fire inside their own tick when it pumps, as
// on the desktop.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/EventLoop.h"

namespace parlomat {

// Raised when the loop is asked to wait but nothing could ever wake it.
class SimDeadlock : public std::logic_error {
 public:
  SimDeadlock() : std::logic_error("waiting for an event that can never come") {}
};

class SimEventLoop : public EventLoop {
 public:
  SimEventLoop();
  ~SimEventLoop() override;

  std::unique_ptr<Timer> createTimer(int intervalMs, std::function<void()> tick) override;
  void pumpOnce() override;
  void waitForEvent() override;
  int64_t nowMicros() const override { return now_; }
  void post(std::function<void()> f) override;

  // Runs `f` when the virtual clock reaches `atMicros` (a host call, a device completing).
  void scheduleAt(int64_t atMicros, std::function<void()> f);
  void scheduleAfterMs(double ms, std::function<void()> f);
  // Serves events until the clock reaches `untilMicros` or nothing is left to serve.
  void runUntil(int64_t untilMicros);
  void runForMs(double ms) { runUntil(now_ + static_cast<int64_t>(ms * 1000)); }
  // How far one pump pass moves the clock (the time a pass takes on a real desktop).
  void setPumpCostMicros(int64_t us) { pumpCost_ = us; }
  // Timer ticks served so far.
  int64_t ticksServed() const { return ticks_; }
  bool hasPending() const;

 private:
  struct SimTimer;
  friend struct SimTimer;
  bool serveDue();
  int64_t nextDue() const;  // INT64_MAX when nothing is pending

  int64_t now_ = 0;
  int64_t pumpCost_ = kPassMicros;
  int64_t ticks_ = 0;
  uint64_t seq_ = 0;
  std::multimap<std::pair<int64_t, uint64_t>, std::function<void()>> scheduled_;
  std::vector<SimTimer*> timers_;
  std::shared_ptr<bool> alive_;
};

}  // namespace parlomat
