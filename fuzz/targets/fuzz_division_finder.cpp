// The division finder over arbitrary buffers and spans, in each of its four variants: the lists it
// fills stay within their sizes and describe divisions that begin before they end.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "analysis/DivisionFinder.h"

using namespace parlomat;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const auto variant = static_cast<FinderVariant>(in.ConsumeIntegralInRange<int>(0, 3));
  const bool wordSpan = in.ConsumeBool();
  const int32_t a0 = in.ConsumeIntegralInRange<int32_t>(-100, 70000);
  const int32_t length0 = in.ConsumeIntegralInRange<int32_t>(0, 70000);
  const size_t presized = in.ConsumeIntegralInRange<size_t>(0, 64);
  std::vector<uint8_t> buffer = in.ConsumeRemainingBytes<uint8_t>();
  const std::vector<uint8_t> before = buffer;

  // The Word drivers divide the whole sample from 0 to its last position; the deeper levels a span
  // inside it (here anywhere, also partly or wholly outside the buffer). The deeper levels refuse
  // a span that ends before it starts with their own box before they call the finder.
  FinderSpan span;
  if (wordSpan) {
    const int32_t n = std::max<int32_t>(static_cast<int32_t>(buffer.size()) - 1, 0);
    span = {0, n, n};
  } else {
    span = {a0, a0 + length0, length0};
  }
  AnalysisState st;
  std::vector<int32_t> starts(presized, 7), ends(presized, 7);
  const FinderResult r = FindDivisionsIn(buffer, variant, span, st, starts, ends);

  fuzz::require(buffer.size() == before.size(), "the buffer keeps its size");
  for (size_t i = 0; i < buffer.size(); ++i) {
    const bool zeroToSilence =
        variant == FinderVariant::Listening && before[i] == 0 && buffer[i] == 128;
    fuzz::require(buffer[i] == before[i] || zeroToSilence, "only zero bytes become silence");
  }
  fuzz::require(r.count >= 0, "a count is never negative");
  if (!r.enoughActivity) {
    fuzz::require(r.count == 0, "too little activity divides nothing");
    return 0;
  }
  fuzz::require(r.count == std::max(st.startGapCount, st.endGapCount), "count is max(c6, c7)");
  fuzz::require(
      starts.size() > static_cast<size_t>(r.count) && ends.size() > static_cast<size_t>(r.count),
      "the division lists hold entries 0..count");
  for (int32_t k = 0; k <= r.count; ++k) {
    const int32_t s = starts[static_cast<size_t>(k)], e = ends[static_cast<size_t>(k)];
    if (k > st.startGapCount) {
      fuzz::require(s == 0 && e == 0, "divisions above c6 are empty");
      continue;
    }
    fuzz::require(s <= e, "a division begins before it ends");
    fuzz::require(s >= 0 && e <= std::max(span.length, 0), "a division lies inside its span");
  }
  return 0;
}
