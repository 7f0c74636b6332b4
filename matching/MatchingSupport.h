#pragma once
// Small pieces shared by the matchers and the trainer.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace parlomat {

// A failure inside matching that is not a file error (a 4001st candidate, an index out of its
// room); the routine's handler reports it like a file error.
class MatchingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Stores `value` as entry `index` (1-based) of a ranked-set array, growing it when needed.
void storeRankedEntry(std::vector<std::string>& array, int32_t index, std::string value);

// A number as decimal text without a leading space; whole numbers without a fraction.
std::string decimalText(double v);

}  // namespace parlomat
