#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "matching/PairCounter.h"
#include "matching/VocabularyMatcher.h"

namespace parlomat {

namespace {
ToleranceFlags flagsUpTo(int n) {
  ToleranceFlags f{};
  for (int k = 1; k <= n; ++k) f[static_cast<size_t>(k)] = 1;
  return f;
}
}  // namespace

TEST(PairCounter, WorkedExamples) {
  const std::vector<int32_t> ten = {3, 8, 13, 20, 27, 31, 40, 52, 60, 71};
  const std::vector<double> tenAsStored(ten.begin(), ten.end());
  EXPECT_EQ(AgreementCounter(ten, flagsUpTo(0)).count(tenAsStored), 10);

  const std::vector<int32_t> utterance = {10, 20, 30};
  const std::vector<double> record = {11, 21, 31};
  EXPECT_EQ(AgreementCounter(utterance, flagsUpTo(0)).count(record), 0);  // "VERY HIGH"
  EXPECT_EQ(AgreementCounter(utterance, flagsUpTo(1)).count(record), 3);  // "HIGHER"
  // One utterance valley agrees with every record valley in reach.
  EXPECT_EQ(AgreementCounter(std::vector<int32_t>{10}, flagsUpTo(4))
                .count(std::vector<double>{6, 7, 8, 9, 10, 11, 12, 13, 14, 15}),
            9);
}

TEST(PairCounter, FastCountEqualsTheReferenceOnGeneratedAndGarbageValleys) {
  std::mt19937 rng(20240601);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double odd[] = {nan, inf, -inf, 0.5, -0.0, 1e300, -1e300, 12.25, 2147483647.0, -4.0};
  for (int round = 0; round < 400; ++round) {
    ToleranceFlags flags{};
    for (int k = 1; k <= 4; ++k) flags[static_cast<size_t>(k)] = (rng() >> k) & 1;
    const int span = round % 3 == 0 ? 40 : 600;
    std::vector<int32_t> utterance(rng() % 80);
    for (auto& u : utterance) u = static_cast<int32_t>(rng() % span) - (round % 5 == 0 ? 20 : 0);
    std::vector<double> record(rng() % 80);
    for (auto& v : record) {
      v = (rng() % 8 == 0) ? odd[rng() % std::size(odd)] : static_cast<double>(rng() % span);
    }
    SCOPED_TRACE(round);
    EXPECT_EQ(AgreementCounter(utterance, flags).count(record),
              countAgreeingPairsReference(utterance, record, flags));
  }
  // An utterance spread too wide for a table takes the reference path.
  const std::vector<int32_t> wide = {-2000000000, 5, 2000000000};
  const std::vector<double> record = {-2000000001.0, 5, 6, 2000000000.0, nan};
  EXPECT_EQ(AgreementCounter(wide, flagsUpTo(1)).count(record),
            countAgreeingPairsReference(wide, record, flagsUpTo(1)));
  EXPECT_EQ(AgreementCounter(wide, flagsUpTo(1)).count(record), 4);
}

TEST(CharacterPercent, RoundsHalfToEvenAndCapsAt99) {
  struct Case {
    int64_t pairs;
    int record, utterance;
    int32_t percent;
  } cases[] = {
      {10, 10, 10, 99},                   // identical lists: 100 stored as 99
      {3, 3, 3, 99},                      //
      {0, 3, 3, 0},                       //
      {1, 3, 3, 33},                      // 33.3
      {2, 3, 3, 67},                      // 66.7
      {1, 8, 2, 12},                      // 12.5: to even, down
      {3, 8, 2, 38},                      // 37.5: to even, up
      {4, 5, 5, 80},                      //
      {1, 2, 5, 20},                      // over the larger count
      {9 * 1201 * 1201, 1201, 1201, 99},  // far above 100: no overflow
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.pairs) + "/" + std::to_string(c.record));
    EXPECT_EQ(characterPercent(c.pairs, c.record, c.utterance), c.percent);
  }
}

}  // namespace parlomat
