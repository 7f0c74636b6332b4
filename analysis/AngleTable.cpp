#include "analysis/AngleTable.h"

#include <array>
#include <cmath>
#include <mutex>
#include <new>

namespace parlomat {

namespace {
constexpr std::align_val_t kAlignment{64};
}

void AngleTable::AlignedDelete::operator()(double* p) const {
  ::operator delete[](p, kAlignment);
}

AngleTable::AngleTable(int transformSize)
    : size_(transformSize), blocks_(transformSize > 1 ? (transformSize - 2) / kBlock + 1 : 0) {
  const size_t count = static_cast<size_t>(blocks_) * size_ * 2 * kBlock;
  data_.reset(static_cast<double*>(::operator new[](count * sizeof(double), kAlignment)));
  for (int b = 0; b < blocks_; ++b) {
    for (int i = 1; i <= size_; ++i) {
      double* r = data_.get() + (static_cast<size_t>(b) * size_ + (i - 1)) * 2 * kBlock;
      for (int lane = 0; lane < kBlock; ++lane) {
        const double theta = angle(1 + b * kBlock + lane, i, size_);
        r[lane] = std::cos(theta);
        r[kBlock + lane] = std::sin(theta);
      }
    }
  }
}

const AngleTable& AngleTable::forSize(int transformSize) {
  static std::mutex lock;
  static std::array<std::unique_ptr<AngleTable>, kMaxSize + 1> tables;
  std::lock_guard<std::mutex> guard(lock);
  auto& t = tables.at(static_cast<size_t>(transformSize));
  if (!t) t = std::make_unique<AngleTable>(transformSize);
  return *t;
}

}  // namespace parlomat
