#include "platform/sim/SimAudio.h"

#include <algorithm>

namespace parlomat {

SimWaveIn::~SimWaveIn() {
  ++generation_;
}

int SimWaveIn::queryCapabilities(int device) {
  calls_.push_back("caps " + std::to_string(device));
  return kWaveOk;
}

int SimWaveIn::open(const WaveFormat& format) {
  calls_.push_back("open " + std::to_string(format.samplesPerSec));
  if (openResult_ != kWaveOk) return openResult_;
  if (open_) return kWaveError;
  format_ = format;
  open_ = true;
  return kWaveOk;
}

int SimWaveIn::prepare(WaveHeader& h) {
  calls_.push_back("prepare");
  if (!open_) return kWaveError;
  h.flags = WaveHeader::kPrepared;
  h.bytesRecorded = 0;
  return kWaveOk;
}

int SimWaveIn::addBuffer(WaveHeader& h) {
  calls_.push_back("add");
  if (!open_ || addResult_ != kWaveOk) return open_ ? addResult_ : kWaveError;
  if (queued_) return kWaveError;
  queued_ = &h;
  return kWaveOk;
}

int SimWaveIn::start() {
  calls_.push_back("start");
  if (!open_) return kWaveError;
  if (!running_) {
    running_ = true;
    scheduleChunk();
  }
  return kWaveOk;
}

void SimWaveIn::scheduleChunk() {
  uint64_t gen = generation_;
  loop_.scheduleAfterMs(kChunkMs, [this, gen] {
    if (gen != generation_ || !running_) return;
    deliver();
    scheduleChunk();
  });
}

void SimWaveIn::deliver() {
  int64_t rate = format_.samplesPerSec > 0 ? format_.samplesPerSec : 22050;
  int64_t n = rate * kChunkMs / 1000;
  for (int64_t i = 0; i < n; ++i) {
    uint8_t s = position_ < static_cast<int64_t>(source_.size()) ? source_[position_] : 128;
    ++position_;
    if (queued_ && queued_->bytesRecorded < queued_->bufferLength) {
      queued_->data[queued_->bytesRecorded++] = s;
    }
  }
  if (queued_ && queued_->bytesRecorded >= queued_->bufferLength) {
    queued_->flags |= WaveHeader::kDone;
    queued_ = nullptr;
  }
}

int SimWaveIn::stop() {
  calls_.push_back("stop");
  running_ = false;
  ++generation_;
  return open_ ? kWaveOk : kWaveError;
}

int SimWaveIn::reset() {
  calls_.push_back("reset");
  running_ = false;
  ++generation_;
  if (queued_) {
    queued_->flags |= WaveHeader::kDone;
    queued_ = nullptr;
  }
  return open_ ? kWaveOk : kWaveError;
}

int SimWaveIn::unprepare(WaveHeader& h) {
  calls_.push_back("unprepare");
  if (queued_ == &h) return kWaveError;  // still queued: reset first
  h.flags &= ~WaveHeader::kPrepared;
  return kWaveOk;
}

int SimWaveIn::close() {
  calls_.push_back("close");
  if (!open_) return kWaveError;
  if (queued_) return kWaveError;
  open_ = false;
  running_ = false;
  ++generation_;
  return kWaveOk;
}

int SimWaveOut::open(const WaveFormat& format, bool queryOnly) {
  calls_.push_back(queryOnly ? "query" : "open");
  if (refuse_) return kWaveError;
  if (!queryOnly) format_ = format;
  return kWaveOk;
}

int SimWaveOut::prepare(WaveHeader& h) {
  calls_.push_back("prepare");
  h.flags = WaveHeader::kPrepared;
  return kWaveOk;
}

int SimWaveOut::write(WaveHeader& h) {
  calls_.push_back("write");
  played_.emplace_back(h.data, h.data + std::max(0, h.bufferLength));
  int64_t rate = format_.samplesPerSec > 0 ? format_.samplesPerSec : 22050;
  double ms = 1000.0 * std::max(0, h.bufferLength) / static_cast<double>(rate);
  WaveHeader* hp = &h;
  loop_.scheduleAfterMs(ms, [hp] { hp->flags |= WaveHeader::kDone; });
  return kWaveOk;
}

int SimWaveOut::unprepare(WaveHeader& h) {
  calls_.push_back("unprepare");
  h.flags &= ~WaveHeader::kPrepared;
  return kWaveOk;
}

int SimWaveOut::close() {
  calls_.push_back("close");
  return kWaveOk;
}

}  // namespace parlomat
