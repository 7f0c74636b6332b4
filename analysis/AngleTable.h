#pragma once
// The cosines and sines of the segment analysis' transforms for one transform size T, computed
// once per process and size. Angle theta(k, i) = (k - 1) x 6.284 x (i - 1) / T, for bins
// k = 1..T-1 and terms i = 1..T, evaluated left to right in double precision.
#include <cstddef>
#include <memory>

namespace parlomat {

class AngleTable {
 public:
  // Bins per block: the transforms work on this many neighbouring bins at once.
  static constexpr int kBlock = 8;
  static constexpr int kMaxSize = 1200;

  // The table of size T (1..kMaxSize), built on first use and kept; safe from any thread.
  static const AngleTable& forSize(int transformSize);

  // The one expression of the angle, shared with every reader.
  static double angle(int k, int i, int transformSize) {
    return (k - 1) * 6.284 * (i - 1) / transformSize;
  }

  int size() const { return size_; }
  // Blocks of kBlock bins covering bins 1..T-1; block b holds bins 1 + b x kBlock onwards.
  int blocks() const { return blocks_; }
  // For block b and term i: kBlock cosines followed by kBlock sines; 64-byte aligned. Lanes
  // past bin T - 1 hold values that no result uses.
  const double* row(int block, int i) const {
    return data_.get() + (static_cast<size_t>(block) * size_ + (i - 1)) * 2 * kBlock;
  }

  explicit AngleTable(int transformSize);

 private:
  struct AlignedDelete {
    void operator()(double* p) const;
  };
  int size_;
  int blocks_;
  std::unique_ptr<double[], AlignedDelete> data_;
};

}  // namespace parlomat
