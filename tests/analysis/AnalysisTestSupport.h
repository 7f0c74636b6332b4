#pragma once
// Generated samples and a recording observer for the analysis tests.
#include <cstdint>
#include <utility>
#include <vector>

#include "analysis/AnalysisObserver.h"
#include "control/Engine.h"

namespace parlomat::testing {

// Positions from..to-1 hold `value`.
struct Burst {
  int32_t from = 0;
  int32_t to = 0;
  uint8_t value = 188;
};

// `size` bytes of silence (128) with the bursts written over it.
inline std::vector<uint8_t> burstSample(int32_t size, const std::vector<Burst>& bursts) {
  std::vector<uint8_t> v(static_cast<size_t>(size), 128);
  for (const Burst& b : bursts) {
    for (int32_t p = b.from; p < b.to && p < size; ++p) v[static_cast<size_t>(p)] = b.value;
  }
  return v;
}

// The sample as a loaded wave file leaves it.
inline void useSample(Engine& e, std::vector<uint8_t> bytes) {
  ControlState& s = e.state;
  s.sampleBuffer = std::move(bytes);
  s.waveHeader.data = s.sampleBuffer.data();
  s.waveHeader.bufferLength = static_cast<int32_t>(s.sampleBuffer.size());
  s.sampleCount = static_cast<int32_t>(s.sampleBuffer.size());
}

struct DivisionEvent {
  DivisionLevel level;
  int32_t start, length, count;
  std::vector<std::pair<int32_t, int32_t>> divisions;
};

struct SegmentEvent {
  int32_t start, end;
  bool noise;
  std::vector<int32_t> valleys;
  bool operator==(const SegmentEvent&) const = default;
};

class RecordingObserver : public AnalysisObserver {
 public:
  explicit RecordingObserver(Engine& e) : engine_(e) { e.analysisObserver = this; }
  ~RecordingObserver() override { engine_.analysisObserver = nullptr; }

  void divisionsFound(const DivisionRun& r) override {
    divisions.push_back(
        {r.level, r.start, r.length, r.count, {r.divisions.begin(), r.divisions.end()}});
  }
  void segmentAnalysed(const SegmentRun& r) override {
    segments.push_back({r.start, r.end, r.noise, {r.valleys.begin(), r.valleys.end()}});
  }
  // The stretches analysed, as (start, end).
  std::vector<std::pair<int32_t, int32_t>> stretches() const {
    std::vector<std::pair<int32_t, int32_t>> out;
    for (const auto& s : segments) out.emplace_back(s.start, s.end);
    return out;
  }

  std::vector<DivisionEvent> divisions;
  std::vector<SegmentEvent> segments;

 private:
  Engine& engine_;
};

}  // namespace parlomat::testing
