#include "analysis/ValleyTransform.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <vector>

#include "analysis/AngleTable.h"

#if defined(__x86_64__)
#include <immintrin.h>
#define PARLOMAT_X86_64 1
#endif

namespace parlomat {

namespace {

constexpr int kBlock = AngleTable::kBlock;

// Native vectors of two and four doubles; every operation on them is the plain per-lane one.
typedef double Double2 __attribute__((vector_size(16)));
typedef double Double4 __attribute__((vector_size(32)));

inline void storeBins(const double* lanes, int block, int transformSize, double* list) {
  const int first = 1 + block * kBlock;
  const int n = std::min(kBlock, transformSize - first);
  for (int lane = 0; lane < n; ++lane) list[first + lane] = lanes[lane];
}

// Both transforms, a block of kBlock neighbouring bins at a time in vectors V. The lanes are
// independent bins, so each bin's sums run in index order exactly as a scalar loop runs them.
template <typename V>
[[gnu::always_inline]] inline void transformsBody(const AngleTable& table, SpectralLists& lists) {
  constexpr int kWidth = sizeof(V) / sizeof(double);
  constexpr int kParts = kBlock / kWidth;
  const int t = table.size();
  const double* lag = lists.lagSums.data();
  for (int b = 0; b < table.blocks(); ++b) {
    V c[kParts] = {}, s[kParts] = {};
    for (int i = 1; i <= t; ++i) {
      const double* row = table.row(b, i);
      const double l = lag[i];
#pragma GCC unroll 4
      for (int p = 0; p < kParts; ++p) {
        V cv, sv;
        std::memcpy(&cv, row + p * kWidth, sizeof cv);
        std::memcpy(&sv, row + kBlock + p * kWidth, sizeof sv);
        c[p] = c[p] + l * cv;
        s[p] = s[p] + -l * sv;
      }
    }
    double out[kBlock];
    std::memcpy(out, c, sizeof out);
    storeBins(out, b, t, lists.cosineSums.data());
    std::memcpy(out, s, sizeof out);
    storeBins(out, b, t, lists.sineSums.data());
  }
  // cosineSums(T) and sineSums(T) are 0 and take part as such.
  const double* cs = lists.cosineSums.data();
  const double* ss = lists.sineSums.data();
  for (int b = 0; b < table.blocks(); ++b) {
    V re[kParts] = {}, im[kParts] = {};
    for (int i = 1; i <= t; ++i) {
      const double* row = table.row(b, i);
      const double c = cs[i];
      const double s = ss[i];
#pragma GCC unroll 4
      for (int p = 0; p < kParts; ++p) {
        V cv, sv;
        std::memcpy(&cv, row + p * kWidth, sizeof cv);
        std::memcpy(&sv, row + kBlock + p * kWidth, sizeof sv);
        re[p] = re[p] + c * cv + s * sv;
        im[p] = im[p] - c * sv - s * cv;
      }
    }
    double out[kBlock];
    std::memcpy(out, re, sizeof out);
    storeBins(out, b, t, lists.spectrumReal.data());
    std::memcpy(out, im, sizeof out);
    storeBins(out, b, t, lists.spectrumImag.data());
  }
}

void transformsPlain(const AngleTable& table, SpectralLists& lists) {
  transformsBody<Double2>(table, lists);
}

// Each lane of an int32 accumulator takes two products of at most 16384 per step; flushing to
// 64 bits every kChunk samples keeps it far below 2^31.
constexpr int64_t kChunk = 65536;

#ifndef PARLOMAT_X86_64
void lagSumsPlain(const int16_t* x, int64_t n, int maxLag, int64_t* sums) {
  for (int lag = 0; lag <= maxLag; ++lag) {
    int64_t r = 0;
    for (int64_t j = 0; j + lag < n; ++j) r += static_cast<int32_t>(x[j]) * x[j + lag];
    sums[lag] = r;
  }
}
#else
[[gnu::target("avx2")]] void transformsAvx2(const AngleTable& table, SpectralLists& lists) {
  transformsBody<Double4>(table, lists);
}

int64_t horizontalSum(__m128i v) {
  int32_t lanes[4];
  _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes), v);
  return static_cast<int64_t>(lanes[0]) + lanes[1] + lanes[2] + lanes[3];
}

// x is zero-padded: readable up to index nRound + maxLag + 32; nRound is a multiple of 16.
void lagSumsSse2(const int16_t* x, int64_t nRound, int maxLag, int64_t* sums) {
  auto load = [x](int64_t j) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + j)); };
  for (int lag = 0; lag <= maxLag; lag += 4) {
    int64_t total[4] = {};
    for (int64_t c0 = 0; c0 < nRound; c0 += kChunk) {
      const int64_t c1 = std::min(nRound, c0 + kChunk);
      __m128i a0 = _mm_setzero_si128(), a1 = a0, a2 = a0, a3 = a0;
      for (int64_t j = c0; j < c1; j += 8) {
        const __m128i v = load(j);
        a0 = _mm_add_epi32(a0, _mm_madd_epi16(v, load(j + lag)));
        a1 = _mm_add_epi32(a1, _mm_madd_epi16(v, load(j + lag + 1)));
        a2 = _mm_add_epi32(a2, _mm_madd_epi16(v, load(j + lag + 2)));
        a3 = _mm_add_epi32(a3, _mm_madd_epi16(v, load(j + lag + 3)));
      }
      total[0] += horizontalSum(a0);
      total[1] += horizontalSum(a1);
      total[2] += horizontalSum(a2);
      total[3] += horizontalSum(a3);
    }
    for (int q = 0; q < 4 && lag + q <= maxLag; ++q) sums[lag + q] = total[q];
  }
}

[[gnu::target("avx2")]] int64_t horizontalSum256(__m256i v) {
  return horizontalSum(_mm_add_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1)));
}

// shifted + s x stride holds x from index s on, for s = 0..15, each copy 32-byte aligned, so that
// x(j + lag) is an aligned load for every lag when j is a multiple of 16.
[[gnu::target("avx2")]] void lagSumsAvx2(const int16_t* shifted, int64_t stride, int64_t nRound,
                                         int maxLag, int64_t* sums) {
  constexpr int kLags = 8;
  for (int lag = 0; lag <= maxLag; lag += kLags) {
    const int16_t* at[kLags];
    for (int q = 0; q < kLags; ++q) {
      const int l = lag + q;
      at[q] = shifted + (l % 16) * stride + (l - l % 16);
    }
    int64_t total[kLags] = {};
    for (int64_t c0 = 0; c0 < nRound; c0 += kChunk) {
      const int64_t c1 = std::min(nRound, c0 + kChunk);
      __m256i a[kLags];
      for (int q = 0; q < kLags; ++q) a[q] = _mm256_setzero_si256();
      for (int64_t j = c0; j < c1; j += 16) {
        const __m256i v = _mm256_load_si256(reinterpret_cast<const __m256i*>(shifted + j));
#pragma GCC unroll 8
        for (int q = 0; q < kLags; ++q) {
          const __m256i w = _mm256_load_si256(reinterpret_cast<const __m256i*>(at[q] + j));
          a[q] = _mm256_add_epi32(a[q], _mm256_madd_epi16(v, w));
        }
      }
      for (int q = 0; q < kLags; ++q) total[q] += horizontalSum256(a[q]);
    }
    for (int q = 0; q < kLags && lag + q <= maxLag; ++q) sums[lag + q] = total[q];
  }
}

std::atomic<bool> baselineOnly{false};

bool haveAvx2() {
  static const bool have = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return have && !baselineOnly.load(std::memory_order_relaxed);
}
#endif

void transforms(const AngleTable& table, SpectralLists& lists) {
#ifdef PARLOMAT_X86_64
  if (haveAvx2()) return transformsAvx2(table, lists);
#endif
  transformsPlain(table, lists);
}

}  // namespace

void SetSpectrumKernels(SpectrumKernels kernels) {
#ifdef PARLOMAT_X86_64
  baselineOnly.store(kernels == SpectrumKernels::Baseline, std::memory_order_relaxed);
#else
  (void)kernels;
#endif
}

void ExactLagSums(std::span<const int16_t> x, int maxLag, std::span<int64_t> sums) {
  const int64_t n = static_cast<int64_t>(x.size());
#ifdef PARLOMAT_X86_64
  // The SIMD kernels take two products per 32-bit lane: exact for samples within -128..127.
  const int64_t nRound = (n + 15) / 16 * 16;
  thread_local std::vector<int16_t> padded;
  padded.assign(static_cast<size_t>(nRound + maxLag + 48), 0);
  std::copy(x.begin(), x.end(), padded.begin());
  if (!haveAvx2()) {
    lagSumsSse2(padded.data(), nRound, maxLag, sums.data());
    return;
  }
  const int64_t stride = (nRound + maxLag + 32 + 15) / 16 * 16;
  thread_local std::vector<int16_t> shifted;
  shifted.assign(static_cast<size_t>(16 * stride + 16), 0);
  int16_t* base = shifted.data();
  while (reinterpret_cast<uintptr_t>(base) % 32 != 0) ++base;
  for (int64_t sft = 0; sft < 16; ++sft) {
    std::copy(padded.begin() + sft, padded.begin() + sft + stride - 16, base + sft * stride);
  }
  lagSumsAvx2(base, stride, nRound, maxLag, sums.data());
#else
  lagSumsPlain(x.data(), n, maxLag, sums.data());
#endif
}

int16_t SpectralValleys(std::span<const int16_t> x, int transformSize, SpectralLists& lists,
                        std::span<int32_t> valleyBins) {
  const int t = std::clamp(transformSize, 1, AngleTable::kMaxSize);
  for (auto* list : {&lists.lagSums, &lists.cosineSums, &lists.sineSums, &lists.spectrumReal,
                     &lists.spectrumImag, &lists.spectrumMagnitude, &lists.spectrumLevel}) {
    list->assign(SpectralLists::kRoom, 0.0);
  }

  std::array<int64_t, SpectralLists::kRoom> r{};
  ExactLagSums(x, t, r);
  for (int lag = 0; lag <= t; ++lag) lists.lagSums[lag] = static_cast<double>(r[lag]) / t;

  transforms(AngleTable::forSize(t), lists);

  const double ln10 = std::log(10.0);
  for (int k = 1; k <= t - 1; ++k) {
    const double re = lists.spectrumReal[k];
    const double im = lists.spectrumImag[k];
    const double magnitude = std::sqrt(re * re + im * im);
    lists.spectrumMagnitude[k] = magnitude;
    if (magnitude > 0) lists.spectrumLevel[k] = 20 * std::log(magnitude) / ln10;
  }

  int16_t count = 0;
  const double* level = lists.spectrumLevel.data();
  for (int k = 1; k <= t - 1; ++k) {
    if (level[k] < level[k - 1] && level[k] < level[k + 1]) {
      valleyBins[static_cast<size_t>(count)] = k;
      ++count;
    }
  }
  return count;
}

}  // namespace parlomat
