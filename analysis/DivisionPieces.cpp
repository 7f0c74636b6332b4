#include "analysis/DivisionPieces.h"

#include "platform/Numbers.h"

namespace parlomat {

void AnalysePieces(Engine& e, int32_t start, int32_t length, AnalysisVariant v,
                   const std::function<void()>& beforePiece) {
  ControlState& s = e.state;
  const int32_t r = s.processingResolution;
  if (r <= 0) return;
  // Counted in 32 bits: a division of more than 32767 pieces is still cut whole.
  const int32_t pieces = static_cast<int32_t>(roundToInt64(static_cast<double>(length) / r));
  const int32_t half = static_cast<int32_t>(roundToInt64(pieces / 2.0));
  s.processingNo = pieces;
  for (int32_t m = 1; m <= pieces; ++m) {
    s.vyanjanaNo = m;
    if (beforePiece) beforePiece();
    const int32_t from = static_cast<int32_t>(start + static_cast<int64_t>(r) * (m - 1));
    const int32_t to = static_cast<int32_t>(start + static_cast<int64_t>(r) * m);
    if (isYes(s.processStartOnly) && m == 1) AnalyseSegment(e, from, to, v);
    if (isYes(s.processEndOnly) && m == pieces) AnalyseSegment(e, from, to, v);
    if (isYes(s.processMiddleOnly) && m == half) AnalyseSegment(e, from, to, v);
    if (isNo(s.processStartOnly) && isNo(s.processMiddleOnly) && isNo(s.processEndOnly)) {
      AnalyseSegment(e, from, to, v);
    }
    s.wordSeparator.clear();
  }
  s.vyanjanaNo = pieces + 1;
}

}  // namespace parlomat
