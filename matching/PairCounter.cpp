#include "matching/PairCounter.h"

#include <algorithm>
#include <cmath>

namespace parlomat {

namespace {
bool agrees(double diff, const ToleranceFlags& flags) {
  if (diff == 0) return true;
  double m = std::fabs(diff);
  for (int k = 1; k <= 4; ++k) {
    if (m == k) return flags[static_cast<size_t>(k)] == 1;
  }
  return false;
}

// Beyond this spread of utterance bins the table is not worth its memory.
constexpr int64_t kMaxTable = 1 << 20;
}  // namespace

int64_t countAgreeingPairsReference(std::span<const int32_t> utterance,
                                    std::span<const double> record, const ToleranceFlags& flags) {
  int64_t p = 0;
  for (int32_t u : utterance) {
    for (double v : record) {
      if (agrees(static_cast<double>(u) - v, flags)) ++p;
    }
  }
  return p;
}

AgreementCounter::AgreementCounter(std::span<const int32_t> utterance, const ToleranceFlags& flags)
    : utterance_(utterance.begin(), utterance.end()), flags_(flags) {
  if (utterance.empty()) return;
  auto [lo, hi] = std::minmax_element(utterance.begin(), utterance.end());
  int64_t low = int64_t{*lo} - 4, high = int64_t{*hi} + 4;
  if (high - low + 1 > kMaxTable) return;
  low_ = low;
  agreeing_.assign(static_cast<size_t>(high - low + 1), 0);
  // Record valley v agrees with utterance valley u when d = u - v is an allowed difference.
  for (int32_t u : utterance) {
    for (int d = -4; d <= 4; ++d) {
      if (d != 0 && flags[static_cast<size_t>(std::abs(d))] != 1) continue;
      ++agreeing_[static_cast<size_t>(int64_t{u} - d - low_)];
    }
  }
}

int64_t AgreementCounter::count(std::span<const double> record) const {
  if (agreeing_.empty()) {
    return utterance_.empty() ? 0 : countAgreeingPairsReference(utterance_, record, flags_);
  }
  const double low = static_cast<double>(low_);
  const double high = static_cast<double>(low_ + static_cast<int64_t>(agreeing_.size()) - 1);
  int64_t p = 0;
  for (double v : record) {
    // NaN fails both comparisons; a fraction never differs from a whole bin by a whole number.
    if (!(v >= low && v <= high)) continue;
    double offset = v - low;
    if (offset != std::floor(offset)) continue;
    p += agreeing_[static_cast<size_t>(offset)];
  }
  return p;
}

}  // namespace parlomat
