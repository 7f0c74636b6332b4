#pragma once
// Counting the agreeing valley pairs between the utterance and a trained record.
// A pair (u, v) agrees when u - v is 0, or is +-1..+-4 and that tolerance flag is on; every
// agreeing pair counts, so one utterance valley may agree with several record valleys.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace parlomat {

// Tolerance flags 1..4 (index 0 unused), as ControlState::entryTolerance.
using ToleranceFlags = std::array<int16_t, 5>;

// The plain definition: every utterance valley against every record valley.
int64_t countAgreeingPairsReference(std::span<const int32_t> utterance,
                                    std::span<const double> record, const ToleranceFlags& flags);

// The same count in time linear in the record: built once per utterance, it holds for every bin
// how many utterance valleys agree with a record valley there. Record valleys that are not whole
// numbers, or lie outside the table, agree with nothing, exactly as in the reference.
class AgreementCounter {
 public:
  AgreementCounter(std::span<const int32_t> utterance, const ToleranceFlags& flags);
  int64_t count(std::span<const double> record) const;

 private:
  std::vector<int32_t> utterance_;  // kept for utterances too spread out for a table
  ToleranceFlags flags_;
  int64_t low_ = 0;                // bin of table entry 0
  std::vector<int32_t> agreeing_;  // empty when the table would be too large
};

}  // namespace parlomat
