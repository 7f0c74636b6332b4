#pragma once
// What the signal analysis reports as it goes, for a trace of a processing. Every position is
// absolute in sampleBuffer. Calls arrive on the user-interface thread, in processing order.
#include <cstdint>
#include <span>
#include <utility>

namespace parlomat {

enum class DivisionLevel { Word, DeepWord, TooDeepWord };

// "word", "deepword", "toodeepword"
const char* divisionLevelName(DivisionLevel level);

struct DivisionRun {
  DivisionLevel level = DivisionLevel::Word;
  int32_t start = 0;   // the span's start
  int32_t length = 0;  // the span's length
  int32_t count = 0;   // the division count
  // Entries 0..count: start and end of each division as the finder left them.
  std::span<const std::pair<int32_t, int32_t>> divisions;
};

struct SegmentRun {
  int32_t start = 0;
  int32_t end = 0;  // after the end clamp
  bool noise = false;
  std::span<const int32_t> valleys;  // empty for noise
};

class AnalysisObserver {
 public:
  virtual ~AnalysisObserver() = default;
  // A run of the division finder that found at least one division.
  virtual void divisionsFound(const DivisionRun& run) = 0;
  // A segment analysis that passed its entry checks, before it hands its valleys on.
  virtual void segmentAnalysed(const SegmentRun& run) = 0;
};

}  // namespace parlomat
