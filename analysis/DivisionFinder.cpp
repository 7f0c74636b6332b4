#include "analysis/DivisionFinder.h"

#include <algorithm>

#include "platform/Numbers.h"

namespace parlomat {

const char* divisionLevelName(DivisionLevel level) {
  switch (level) {
    case DivisionLevel::Word:
      return "word";
    case DivisionLevel::DeepWord:
      return "deepword";
    case DivisionLevel::TooDeepWord:
      return "toodeepword";
  }
  return "word";
}

DivisionLevel levelOf(FinderVariant v) {
  switch (v) {
    case FinderVariant::DeepWord:
      return DivisionLevel::DeepWord;
    case FinderVariant::TooDeepWord:
      return DivisionLevel::TooDeepWord;
    default:
      return DivisionLevel::Word;
  }
}

int32_t GapThreshold(int32_t length) {
  return static_cast<int32_t>(roundToInt64(static_cast<double>(length) / 10000 * 200));
}

void ClearDivisionLists(AnalysisState& st) {
  st.decimatedWave.clear();
  st.visitedCount = 0;
  st.forwardMarks.clear();
  st.backwardMarks.clear();
  st.forwardCount = st.backwardCount = 0;
  st.startGaps.clear();
  st.endGaps.clear();
  st.startGapCount = st.endGapCount = 0;
  st.startPoints.clear();
  st.endPoints.clear();
  st.gapThreshold = 0;
  for (auto* list : {&st.divisionStart, &st.divisionEnd, &st.deepDivisionStart, &st.deepDivisionEnd,
                     &st.tooDeepDivisionStart, &st.tooDeepDivisionEnd}) {
    list->clear();
  }
}

namespace {

constexpr int32_t kStep = 25;  // the finder looks at every 25th byte

struct VariantRules {
  int32_t lastVisited;     // the highest position visited
  int32_t forcedZeroEdge;  // values within this distance of either end read 0; 0 for none
  int32_t forwardThreshold;
  int32_t backwardThreshold;
  bool zeroBytesAreSilence;
  bool activityTest;
};

VariantRules rulesFor(FinderVariant v, const FinderSpan& span) {
  switch (v) {
    case FinderVariant::WholeSample:
      return {span.b, 800, 30, 30, false, true};
    case FinderVariant::Listening:
      return {span.b, 400, 20, 20, true, true};
    case FinderVariant::DeepWord:
      return {span.b - 1, 0, 30, 20, false, false};
    case FinderVariant::TooDeepWord:
      break;
  }
  return {span.b, 0, 30, 20, false, false};
}

// Entry i of a 1-based list holding `count` entries; entry 0 and entries past the count read 0.
int64_t entry(const std::vector<int32_t>& list, int32_t count, int64_t i) {
  return (i >= 1 && i <= count) ? list[static_cast<size_t>(i)] : 0;
}

// The gaps of a mark list: indices p + 1 where the distance to the previous mark (the first
// from 0, the last to 0) is above the threshold.
int32_t findGaps(const std::vector<int32_t>& marks, int32_t count, int32_t threshold,
                 std::vector<int32_t>& gaps) {
  gaps.assign(1, 0);
  for (int64_t p = 0; p <= count; ++p) {
    int64_t g = entry(marks, count, p + 1) - entry(marks, count, p);
    if (g > threshold) gaps.push_back(static_cast<int32_t>(p + 1));
  }
  return static_cast<int32_t>(gaps.size() - 1);
}

}  // namespace

FinderResult FindDivisionsIn(std::vector<uint8_t>& buffer, FinderVariant v, const FinderSpan& span,
                             AnalysisState& st, std::vector<int32_t>& starts,
                             std::vector<int32_t>& ends) {
  const VariantRules rules = rulesFor(v, span);
  const int64_t a = span.a;
  const int64_t bufferSize = static_cast<int64_t>(buffer.size());
  const int64_t n = span.b;  // the forced-zero ranges count from the Word span's last position

  // Forward scan.
  int64_t visits = rules.lastVisited - a >= kStep ? (rules.lastVisited - a) / kStep : 0;
  const int32_t m = static_cast<int32_t>(visits);
  st.visitedCount = m;
  st.decimatedWave.assign(static_cast<size_t>(m) + 2, 0);
  st.forwardMarks.assign(1, 0);
  for (int32_t k = 1; k <= m; ++k) {
    const int64_t pos = a + static_cast<int64_t>(kStep) * k;
    int v8 = 128;
    if (pos >= 0 && pos < bufferSize) {
      uint8_t& byte = buffer[static_cast<size_t>(pos)];
      if (rules.zeroBytesAreSilence && byte == 0) byte = 128;
      v8 = byte;
    }
    int value = v8 - 128;
    if (rules.forcedZeroEdge > 0 &&
        (pos <= rules.forcedZeroEdge || pos >= n - rules.forcedZeroEdge)) {
      value = 0;
    }
    st.decimatedWave[static_cast<size_t>(k)] = static_cast<int16_t>(value);
    if (value > rules.forwardThreshold || value < -rules.forwardThreshold) {
      st.forwardMarks.push_back(static_cast<int32_t>(pos - a));
    }
  }
  st.forwardCount = static_cast<int32_t>(st.forwardMarks.size() - 1);

  // Backward scan: steps between neighbours of the decimated wave read in reverse, r(j) being
  // entry M + 1 - j and r(0) = 0.
  st.backwardMarks.assign(1, 0);
  int previous = 0;
  for (int32_t j = 1; j <= m + 1; ++j) {
    const int r = st.decimatedWave[static_cast<size_t>(m + 1 - j)];
    const int d = r - previous;
    if (d > rules.backwardThreshold || d < -rules.backwardThreshold) {
      st.backwardMarks.push_back(kStep * j);
    }
    previous = r;
  }
  st.backwardCount = static_cast<int32_t>(st.backwardMarks.size() - 1);

  st.gapThreshold = GapThreshold(span.length);
  st.startGapCount = findGaps(st.forwardMarks, st.forwardCount, st.gapThreshold, st.startGaps);
  st.endGapCount = findGaps(st.backwardMarks, st.backwardCount, st.gapThreshold, st.endGaps);

  std::fill(starts.begin(), starts.end(), 0);
  std::fill(ends.begin(), ends.end(), 0);
  st.startPoints.clear();
  st.endPoints.clear();
  if (rules.activityTest && static_cast<int64_t>(st.forwardCount) + st.backwardCount < 100) {
    return {false, 0};
  }

  const int32_t c6 = st.startGapCount;
  const int32_t c7 = st.endGapCount;
  const int32_t count = std::max(c6, c7);

  // startPoints has one entry past c6: the pairing fills it with the last end point.
  st.startPoints.assign(static_cast<size_t>(c6) + 2, 0);
  for (int32_t p = 0; p <= c6; ++p) {
    st.startPoints[static_cast<size_t>(p)] = static_cast<int32_t>(
        entry(st.forwardMarks, st.forwardCount, st.startGaps[static_cast<size_t>(p)]));
  }
  st.endPoints.assign(static_cast<size_t>(c7) + 1, 0);
  for (int32_t p = 0; p <= c7; ++p) {
    st.endPoints[static_cast<size_t>(p)] =
        static_cast<int32_t>(span.length - entry(st.backwardMarks, st.backwardCount,
                                                 st.endGaps[static_cast<size_t>(c7 - p)]));
  }

  if (starts.size() < static_cast<size_t>(count) + 1) starts.resize(static_cast<size_t>(count) + 1);
  if (ends.size() < static_cast<size_t>(count) + 1) ends.resize(static_cast<size_t>(count) + 1);
  auto& sp = st.startPoints;
  const auto& ep = st.endPoints;
  for (int32_t k = 0; k <= c6; ++k) {
    const size_t ki = static_cast<size_t>(k);
    for (int32_t p = 0; p <= c7; ++p) {
      const int32_t endPoint = ep[static_cast<size_t>(p)];
      if (sp[ki + 1] == 0) sp[ki + 1] = ep[static_cast<size_t>(c7)];
      starts[ki] = sp[ki];
      if (sp[ki] < endPoint && endPoint < sp[ki + 1]) {
        ends[ki] = endPoint;
        break;
      }
      ends[ki] = sp[ki + 1];
    }
  }
  return {true, count};
}

FinderResult FindDivisions(Engine& e, FinderVariant v, const FinderSpan& span) {
  ControlState& s = e.state;
  AnalysisState& st = s.analysis;
  const DivisionLevel level = levelOf(v);
  std::vector<int32_t>& starts = level == DivisionLevel::Word       ? st.divisionStart
                                 : level == DivisionLevel::DeepWord ? st.deepDivisionStart
                                                                    : st.tooDeepDivisionStart;
  std::vector<int32_t>& ends = level == DivisionLevel::Word       ? st.divisionEnd
                               : level == DivisionLevel::DeepWord ? st.deepDivisionEnd
                                                                  : st.tooDeepDivisionEnd;
  FinderResult r = FindDivisionsIn(s.sampleBuffer, v, span, st, starts, ends);
  if (!r.enoughActivity) return r;
  switch (level) {
    case DivisionLevel::Word:
      s.probableWordCount = r.count;
      break;
    case DivisionLevel::DeepWord:
      st.deepWordCount = r.count;
      break;
    case DivisionLevel::TooDeepWord:
      st.tooDeepWordCount = r.count;
      break;
  }
  if (e.analysisObserver && r.count > 0) {
    std::vector<std::pair<int32_t, int32_t>> divisions;
    divisions.reserve(static_cast<size_t>(r.count) + 1);
    for (int32_t k = 0; k <= r.count; ++k) {
      divisions.emplace_back(span.a + starts[static_cast<size_t>(k)],
                             span.a + ends[static_cast<size_t>(k)]);
    }
    e.analysisObserver->divisionsFound({level, span.a, span.length, r.count, divisions});
  }
  return r;
}

}  // namespace parlomat
