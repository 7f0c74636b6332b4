#include "platform/qt/WaveInQueue.h"

#include <algorithm>
#include <cstring>

namespace parlomat {

int WaveInQueue::prepare(WaveHeader& h) {
  if (holds(h)) return kWaveError;
  h.flags = (h.flags | WaveHeader::kPrepared) & ~WaveHeader::kDone;
  h.bytesRecorded = 0;
  return kWaveOk;
}

int WaveInQueue::add(WaveHeader& h) {
  if ((h.flags & WaveHeader::kPrepared) == 0 || holds(h)) return kWaveError;
  if (h.data == nullptr || h.bufferLength <= 0) return kWaveError;
  h.flags &= ~WaveHeader::kDone;
  // Filling starts at the first byte whatever the caller left in the count.
  h.bytesRecorded = 0;
  queued_.push_back(&h);
  return kWaveOk;
}

int WaveInQueue::unprepare(WaveHeader& h) {
  if (holds(h)) return kWaveError;
  h.flags &= ~WaveHeader::kPrepared;
  return kWaveOk;
}

bool WaveInQueue::holds(const WaveHeader& h) const {
  return std::find(queued_.begin(), queued_.end(), &h) != queued_.end();
}

uint8_t* WaveInQueue::space() const {
  if (queued_.empty()) return nullptr;
  WaveHeader* h = queued_.front();
  return h->data + h->bytesRecorded;
}

size_t WaveInQueue::spaceLeft() const {
  if (queued_.empty()) return 0;
  const WaveHeader* h = queued_.front();
  return static_cast<size_t>(h->bufferLength - h->bytesRecorded);
}

void WaveInQueue::filled(size_t n) {
  if (queued_.empty()) return;
  WaveHeader* h = queued_.front();
  h->bytesRecorded += static_cast<int32_t>(std::min(n, spaceLeft()));
  if (h->bytesRecorded >= h->bufferLength) {
    h->flags |= WaveHeader::kDone;
    queued_.pop_front();
  }
}

size_t WaveInQueue::write(const uint8_t* bytes, size_t n) {
  size_t taken = 0;
  while (taken < n && !queued_.empty()) {
    size_t k = std::min(n - taken, spaceLeft());
    std::memcpy(space(), bytes + taken, k);
    filled(k);
    taken += k;
  }
  return taken;
}

void WaveInQueue::returnAll() {
  for (WaveHeader* h : queued_) h->flags |= WaveHeader::kDone;
  queued_.clear();
}

}  // namespace parlomat
