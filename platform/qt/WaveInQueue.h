#pragma once
// The buffer queue of a wave-input device: prepared headers are added in order, the front one
// is filled, and a header is marked done when it is full or when the device is reset. Bytes
// that arrive while nothing is queued are lost, as on a sound card. Not thread-safe: the device
// feeds it on the thread of the event loop.
#include <cstddef>
#include <cstdint>
#include <deque>

#include "platform/Audio.h"

namespace parlomat {

class WaveInQueue {
 public:
  // Clears the done mark and the count of bytes recorded. Fails on a header still queued.
  int prepare(WaveHeader& h);
  // Fails unless the header is prepared, not queued, and offers at least one byte in `data`.
  int add(WaveHeader& h);
  // Fails while the header is queued (reset first).
  int unprepare(WaveHeader& h);

  bool empty() const { return queued_.empty(); }
  bool holds(const WaveHeader& h) const;
  // Room left in the front header; nullptr and 0 when nothing is queued.
  uint8_t* space() const;
  size_t spaceLeft() const;
  // Counts `n` bytes (at most spaceLeft()) written into space(); a full header is marked done
  // and leaves the queue.
  void filled(size_t n);
  // Copies `n` bytes into the queue, header after header. Returns how many were taken; the rest
  // found no buffer and is lost.
  size_t write(const uint8_t* bytes, size_t n);
  // Marks every queued header done, as far as it was filled, and empties the queue.
  void returnAll();

 private:
  std::deque<WaveHeader*> queued_;
};

}  // namespace parlomat
