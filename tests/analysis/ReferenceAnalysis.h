#pragma once
// Plain, slow evaluations of the division finder and of the segment analysis' spectrum, written
// straight from their definitions: the yardsticks the fast code is compared with, bit for bit.
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/DivisionFinder.h"

namespace parlomat::reference {

struct Spectrum {
  std::vector<double> lagSums, cosineSums, sineSums, spectrumReal, spectrumImag, spectrumMagnitude,
      spectrumLevel;
  std::vector<int32_t> valleys;
};

// x(n) = x[n - 1] for n = 1..len-2; every cosine and sine evaluated afresh for every term.
inline Spectrum SpectralValleys(std::span<const int16_t> samples, int T) {
  const int room = 1201;
  Spectrum r;
  for (auto* list : {&r.lagSums, &r.cosineSums, &r.sineSums, &r.spectrumReal, &r.spectrumImag,
                     &r.spectrumMagnitude, &r.spectrumLevel}) {
    list->assign(room, 0.0);
  }
  const int64_t last = static_cast<int64_t>(samples.size());  // len - 2
  auto x = [&](int64_t n) -> int64_t { return n >= 1 && n <= last ? samples[n - 1] : 0; };

  for (int lag = 0; lag <= T; ++lag) {
    int64_t sum = 0;
    for (int64_t n = 1; n <= last; ++n) sum += x(n) * x(n + lag);
    r.lagSums[lag] = static_cast<double>(sum) / T;
  }
  for (int k = 1; k <= T - 1; ++k) {
    for (int i = 1; i <= T; ++i) {
      const double theta = (k - 1) * 6.284 * (i - 1) / T;
      r.cosineSums[k] = r.cosineSums[k] + r.lagSums[i] * std::cos(theta);
      r.sineSums[k] = r.sineSums[k] + -r.lagSums[i] * std::sin(theta);
    }
  }
  for (int k = 1; k <= T - 1; ++k) {
    for (int i = 1; i <= T; ++i) {
      const double theta = (k - 1) * 6.284 * (i - 1) / T;
      const double cosine = std::cos(theta);
      const double sine = std::sin(theta);
      r.spectrumReal[k] = r.spectrumReal[k] + r.cosineSums[i] * cosine + r.sineSums[i] * sine;
      r.spectrumImag[k] = r.spectrumImag[k] - r.cosineSums[i] * sine - r.sineSums[i] * cosine;
    }
  }
  for (int k = 1; k <= T - 1; ++k) {
    r.spectrumMagnitude[k] =
        std::sqrt(r.spectrumReal[k] * r.spectrumReal[k] + r.spectrumImag[k] * r.spectrumImag[k]);
    if (r.spectrumMagnitude[k] > 0) {
      r.spectrumLevel[k] = 20 * std::log(r.spectrumMagnitude[k]) / std::log(10.0);
    }
  }
  for (int k = 1; k <= T - 1; ++k) {
    if (r.spectrumLevel[k] < r.spectrumLevel[k - 1] &&
        r.spectrumLevel[k] < r.spectrumLevel[k + 1]) {
      r.valleys.push_back(k);
    }
  }
  return r;
}

struct Divisions {
  bool enoughActivity = false;
  int32_t count = 0;
  int32_t nF = 0, nB = 0, c6 = 0, c7 = 0, gapThreshold = 0;
  std::vector<int32_t> startPoints, endPoints;  // 0..c6, 0..c7
  std::vector<int32_t> starts, ends;            // 0..count, relative to the span start
};

// The finder with every list 1-based and sized as the lists of a run are sized: the
// sample-indexed arrays to 0..b and the per-division lists to 0..round(L / listDivisor), cleared.
// Mark values: position - a forward, 25 x j backward, at every level.
inline Divisions FindDivisions(std::vector<uint8_t>& buffer, FinderVariant v, int32_t a, int32_t b,
                               int32_t L, int32_t listDivisor) {
  const bool word = v == FinderVariant::WholeSample || v == FinderVariant::Listening;
  const int32_t lastVisited = v == FinderVariant::DeepWord ? b - 1 : b;
  const int32_t edge = v == FinderVariant::WholeSample ? 800
                       : v == FinderVariant::Listening ? 400
                                                       : 0;
  const int tf = v == FinderVariant::Listening ? 20 : 30;
  const int tb = v == FinderVariant::WholeSample ? 30 : 20;
  const int32_t N = b;

  const size_t lists = static_cast<size_t>(std::llround(static_cast<double>(L) / listDivisor)) + 3;
  std::vector<int16_t> decimatedWave(static_cast<size_t>(b) + 2, 0);
  std::vector<int32_t> forwardMarks(lists, 0), backwardMarks(lists, 0);
  std::vector<int32_t> startGaps(lists, 0), endGaps(lists, 0);
  std::vector<int32_t> startPoints(lists, 0), endPoints(lists, 0);
  std::vector<int32_t> divStart(lists, 0), divEnd(lists, 0);
  Divisions d;

  int32_t M = 0;
  for (int32_t pos = a + 25; pos <= lastVisited; pos += 25) {
    ++M;
    if (v == FinderVariant::Listening && buffer[pos] == 0) buffer[pos] = 128;
    int value = buffer[pos] - 128;
    if (edge > 0 && (pos <= edge || pos >= N - edge)) value = 0;
    decimatedWave[M] = static_cast<int16_t>(value);
    if (value > tf || value < -tf) forwardMarks[++d.nF] = pos - a;
  }
  auto r = [&](int32_t j) -> int { return j == 0 ? 0 : decimatedWave[M + 1 - j]; };
  for (int32_t j = 1; j <= M + 1; ++j) {
    const int diff = r(j) - r(j - 1);
    if (diff > tb || diff < -tb) backwardMarks[++d.nB] = 25 * j;
  }
  d.gapThreshold = static_cast<int32_t>(std::nearbyint(static_cast<double>(L) / 10000 * 200));
  for (int32_t p = 0; p <= d.nF; ++p) {
    if (forwardMarks[p + 1] - forwardMarks[p] > d.gapThreshold) startGaps[++d.c6] = p + 1;
  }
  for (int32_t p = 0; p <= d.nB; ++p) {
    if (backwardMarks[p + 1] - backwardMarks[p] > d.gapThreshold) endGaps[++d.c7] = p + 1;
  }
  if (word && d.nF + d.nB < 100) return d;
  d.enoughActivity = true;
  d.count = d.c6 > d.c7 ? d.c6 : d.c7;
  for (int32_t p = 0; p <= d.c6; ++p) startPoints[p] = forwardMarks[startGaps[p]];
  for (int32_t p = 0; p <= d.c7; ++p) endPoints[p] = L - backwardMarks[endGaps[d.c7 - p]];
  for (int32_t k = 0; k <= d.c6; ++k) {
    for (int32_t p = 0; p <= d.c7; ++p) {
      if (startPoints[k + 1] == 0) startPoints[k + 1] = endPoints[d.c7];
      if (startPoints[k] < endPoints[p] && endPoints[p] < startPoints[k + 1]) {
        divStart[k] = startPoints[k];
        divEnd[k] = endPoints[p];
        break;
      }
      divStart[k] = startPoints[k];
      divEnd[k] = startPoints[k + 1];
    }
  }
  d.startPoints.assign(startPoints.begin(), startPoints.begin() + d.c6 + 1);
  d.endPoints.assign(endPoints.begin(), endPoints.begin() + d.c7 + 1);
  d.starts.assign(divStart.begin(), divStart.begin() + d.count + 1);
  d.ends.assign(divEnd.begin(), divEnd.begin() + d.count + 1);
  return d;
}

}  // namespace parlomat::reference
