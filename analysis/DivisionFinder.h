#pragma once
// The division finder: cuts a span of 8-bit speech into stretches of activity separated by
// silent gaps longer than 2 percent of the span.
#include <cstdint>
#include <vector>

#include "analysis/AnalysisObserver.h"
#include "analysis/AnalysisState.h"
#include "control/Engine.h"

namespace parlomat {

enum class FinderVariant {
  WholeSample,  // Words of a loaded sample
  Listening,    // Words of the buffer being captured
  DeepWord,     // inside one long Word
  TooDeepWord,  // inside one long DeepWord
};

// The span: start a, end b and length L = b - a. For the Word variants a = 0 and b = L = N, the
// sample's last position.
struct FinderSpan {
  int32_t a = 0;
  int32_t b = 0;
  int32_t length = 0;
};

struct FinderResult {
  bool enoughActivity = true;  // false: the activity test failed and nothing was divided
  int32_t count = 0;           // the division count
};

DivisionLevel levelOf(FinderVariant v);

// The finder on a bare buffer: fills the scratch of `st` and the division lists `starts`/`ends`
// (entries 0..count, in the frame of the span: positions relative to a). Bytes outside `buffer`
// read as silence. The listening variant turns zero bytes it visits into 128 in `buffer`.
FinderResult FindDivisionsIn(std::vector<uint8_t>& buffer, FinderVariant v, const FinderSpan& span,
                             AnalysisState& st, std::vector<int32_t>& starts,
                             std::vector<int32_t>& ends);

// The finder on sampleBuffer into the level's division lists; stores the count in
// probableWordCount, deepWordCount or tooDeepWordCount (not when the activity test fails) and
// tells the engine's observer of a run that found divisions.
FinderResult FindDivisions(Engine& e, FinderVariant v, const FinderSpan& span);

// round(L / 10000 x 200) with halves to even.
int32_t GapThreshold(int32_t length);

// Empties the finder's scratch and the division lists of all three levels.
void ClearDivisionLists(AnalysisState& st);

// Resizes a list to entries 0..last, keeping its contents.
template <typename T>
void SizeList(std::vector<T>& list, int64_t last) {
  list.resize(static_cast<size_t>(last < 0 ? 0 : last + 1));
}

}  // namespace parlomat
