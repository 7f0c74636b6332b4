#include "platform/sim/SimEventLoop.h"

#include <algorithm>
#include <climits>

namespace parlomat {

struct SimEventLoop::SimTimer : Timer {
  SimTimer(SimEventLoop* loop, int intervalMs, std::function<void()> tick)
      : loop(loop), alive(loop->alive_), intervalMs(intervalMs), tick(std::move(tick)) {
    loop->timers_.push_back(this);
  }
  ~SimTimer() override {
    if (*alive) std::erase(loop->timers_, this);
  }
  void setInterval(int ms) override {
    intervalMs = ms;
    if (on) due = loop->now_ + intervalMicros();
  }
  int interval() const override { return intervalMs; }
  void setEnabled(bool e) override {
    if (e && !on) due = loop->now_ + intervalMicros();
    on = e;
  }
  bool enabled() const override { return on; }
  int64_t intervalMicros() const { return std::max(1, intervalMs) * int64_t{1000}; }

  SimEventLoop* loop;
  std::shared_ptr<bool> alive;
  int intervalMs;
  std::function<void()> tick;
  bool on = false;
  int64_t due = 0;
};

SimEventLoop::SimEventLoop() : alive_(std::make_shared<bool>(true)) {}
SimEventLoop::~SimEventLoop() {
  *alive_ = false;
}

std::unique_ptr<Timer> SimEventLoop::createTimer(int intervalMs, std::function<void()> tick) {
  return std::make_unique<SimTimer>(this, intervalMs, std::move(tick));
}

void SimEventLoop::post(std::function<void()> f) {
  scheduleAt(now_, std::move(f));
}

void SimEventLoop::scheduleAt(int64_t atMicros, std::function<void()> f) {
  scheduled_.emplace(std::make_pair(std::max(atMicros, now_), seq_++), std::move(f));
}

void SimEventLoop::scheduleAfterMs(double ms, std::function<void()> f) {
  scheduleAt(now_ + static_cast<int64_t>(ms * 1000), std::move(f));
}

int64_t SimEventLoop::nextDue() const {
  int64_t t = INT64_MAX;
  if (!scheduled_.empty()) t = scheduled_.begin()->first.first;
  for (const SimTimer* tm : timers_) {
    if (tm->on) t = std::min(t, tm->due);
  }
  return t;
}

bool SimEventLoop::hasPending() const {
  return nextDue() != INT64_MAX;
}

// Serves the earliest event that is due now; one event per call, as one message per pass.
bool SimEventLoop::serveDue() {
  int64_t schedT = scheduled_.empty() ? INT64_MAX : scheduled_.begin()->first.first;
  SimTimer* timer = nullptr;
  for (SimTimer* tm : timers_) {
    if (tm->on && tm->due <= now_ && (!timer || tm->due < timer->due)) timer = tm;
  }
  if (schedT <= now_ && (!timer || schedT <= timer->due)) {
    auto node = scheduled_.extract(scheduled_.begin());
    node.mapped()();
    return true;
  }
  if (timer) {
    timer->due = now_ + timer->intervalMicros();
    ++ticks_;
    // The timer may be destroyed by its own tick; keep the callback alive for the call.
    auto tick = timer->tick;
    tick();
    return true;
  }
  return false;
}

void SimEventLoop::pumpOnce() {
  now_ += pumpCost_;
  // Serve everything that was due when the pass began, as a desktop pump empties its queue.
  int64_t limit = now_;
  for (int guard = 0; guard < 1000; ++guard) {
    if (nextDue() > limit) break;
    if (!serveDue()) break;
  }
}

void SimEventLoop::waitForEvent() {
  if (serveDue()) return;
  int64_t t = nextDue();
  if (t == INT64_MAX) throw SimDeadlock();
  now_ = std::max(now_, t);
  serveDue();
}

void SimEventLoop::runUntil(int64_t untilMicros) {
  while (true) {
    int64_t t = nextDue();
    if (t == INT64_MAX || t > untilMicros) break;
    now_ = std::max(now_, t);
    serveDue();
  }
  now_ = std::max(now_, untilMicros);
}

}  // namespace parlomat
