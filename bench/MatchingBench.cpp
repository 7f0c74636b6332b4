// Vocabulary scoring over a full file: one scan over 4000 records of 512 valleys, and the pair
// counting alone, the plain reference beside the table-driven count the scan uses.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "control/Engine.h"
#include "matching/PairCounter.h"
#include "matching/VocabularyMatcher.h"
#include "matching/VocabularyRecord.h"
#include "platform/sim/SimPlatform.h"

namespace parlomat {

namespace {

constexpr int kRecords = 4000;
constexpr int kValleys = 512;

// Ascending distinct bins, as the segment analysis lists them.
std::vector<int32_t> randomValleys(std::mt19937& rng) {
  std::vector<int32_t> all(1201);
  for (int i = 0; i < 1201; ++i) all[static_cast<size_t>(i)] = i;
  std::shuffle(all.begin(), all.end(), rng);
  all.resize(kValleys);
  std::sort(all.begin(), all.end());
  return all;
}

struct Data {
  std::vector<int32_t> utterance;
  std::vector<VocabularyRecord> records;
  std::filesystem::path file;

  Data() {
    std::mt19937 rng(42);
    utterance = randomValleys(rng);
    file = std::filesystem::temp_directory_path() / "parlomat-bench-4000x512.SAY";
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (int n = 1; n <= kRecords; ++n) {
      VocabularyRecord r = VocabularyRecord::blank(n);
      r.setName("c" + std::to_string(n));
      auto v = randomValleys(rng);
      std::copy(v.begin(), v.end(), r.valleys.begin());
      r.valleyCount = kValleys;
      auto bytes = r.toBytes();
      out.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
      records.push_back(r);
    }
  }
  ~Data() {
    std::error_code ec;
    std::filesystem::remove(file, ec);
  }
};

const Data& data() {
  static const Data d;
  return d;
}

const ToleranceFlags kLow = {0, 1, 1, 1, 1};

void BM_PairCountReference(benchmark::State& state) {
  const Data& d = data();
  int64_t total = 0;
  for (auto _ : state) {
    total = 0;
    for (const auto& r : d.records) {
      total += countAgreeingPairsReference(
          d.utterance, std::span<const double>(r.valleys.data(), kValleys), kLow);
    }
    benchmark::DoNotOptimize(total);
  }
  state.counters["pairs"] = static_cast<double>(total);
}
BENCHMARK(BM_PairCountReference)->Unit(benchmark::kMillisecond);

void BM_PairCountTable(benchmark::State& state) {
  const Data& d = data();
  int64_t total = 0;
  for (auto _ : state) {
    const AgreementCounter counter(d.utterance, kLow);
    total = 0;
    for (const auto& r : d.records) {
      total += counter.count(std::span<const double>(r.valleys.data(), kValleys));
    }
    benchmark::DoNotOptimize(total);
  }
  state.counters["pairs"] = static_cast<double>(total);
}
BENCHMARK(BM_PairCountTable)->Unit(benchmark::kMillisecond);

// The whole scan as the analysis calls it: open, read and score 4000 records, rank, close.
void BM_ScanVocabularyFile(benchmark::State& state) {
  const Data& d = data();
  SimPlatform sim(std::filesystem::temp_directory_path().string());
  Engine e(sim.platform());
  ControlState& s = e.state;
  s.valleyCount = kValleys;
  std::copy(d.utterance.begin(), d.utterance.end(), s.valleyBins.begin());
  s.entryTolerance = kLow;
  s.scanToleranceUp = 128;
  s.scanToleranceDown = -128;
  const std::string path = d.file.string();
  for (auto _ : state) {
    s.processingSetCount = 0;
    scanVocabularyFile(e, path, false);
    if (s.matching.vocabularyCandidateCount != kRecords) state.SkipWithError("records not scored");
  }
  state.counters["records"] = s.matching.vocabularyCandidateCount;
}
BENCHMARK(BM_ScanVocabularyFile)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace parlomat
