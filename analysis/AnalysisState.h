#pragma once
// Working lists of the division finder and the segment analysis, kept in the control state.
#include <cstdint>
#include <vector>

namespace parlomat {

// The lists of one segment analysis. Every list has room for index 0 to kRoom - 1; bins 1 to
// T - 1 are used and entries 0 and T stay 0.
struct SpectralLists {
  static constexpr int kRoom = 1201;
  // x(1..len-2): the centred samples of the stretch, x(n) at index n - 1.
  std::vector<int16_t> samples;
  std::vector<double> lagSums = std::vector<double>(kRoom);
  std::vector<double> cosineSums = std::vector<double>(kRoom);
  std::vector<double> sineSums = std::vector<double>(kRoom);
  std::vector<double> spectrumReal = std::vector<double>(kRoom);
  std::vector<double> spectrumImag = std::vector<double>(kRoom);
  std::vector<double> spectrumMagnitude = std::vector<double>(kRoom);
  std::vector<double> spectrumLevel = std::vector<double>(kRoom);

  // Every list back to 0 (the samples emptied).
  void clear() {
    samples.clear();
    for (auto* list : {&lagSums, &cosineSums, &sineSums, &spectrumReal, &spectrumImag,
                       &spectrumMagnitude, &spectrumLevel}) {
      list->assign(kRoom, 0.0);
    }
  }
};

struct AnalysisState {
  // 10 while the sample's last position is at most 100000, else 20; 10 in the listening cycle.
  int32_t listDivisor = 0;

  // Scratch of the division finder, shared by all levels: overwritten by every run.
  std::vector<int16_t> decimatedWave;  // entry k (k from 1) is the k-th visited value; entry 0 is 0
  int32_t visitedCount = 0;            // M, the number of visited positions
  std::vector<int32_t> forwardMarks, backwardMarks;  // 1-based, forwardCount and backwardCount
  int32_t forwardCount = 0, backwardCount = 0;
  // Indices into the mark lists, 1-based. 32 bits wide so that spans of any length are handled.
  std::vector<int32_t> startGaps, endGaps;
  int32_t startGapCount = 0, endGapCount = 0;
  std::vector<int32_t> startPoints, endPoints;  // entries 0..startGapCount, 0..endGapCount
  int32_t gapThreshold = 0;

  // Division lists of each level: start and end of division k. Word positions are absolute;
  // the deeper levels' positions are relative to the start of the span they were found in.
  std::vector<int32_t> divisionStart, divisionEnd;
  std::vector<int32_t> deepDivisionStart, deepDivisionEnd;
  std::vector<int32_t> tooDeepDivisionStart, tooDeepDivisionEnd;
  int32_t deepWordCount = 0, tooDeepWordCount = 0;

  // Width of the audio graph as last drawn, in decimated samples.
  double graphWidth = 0;

  SpectralLists spectral;
};

}  // namespace parlomat
