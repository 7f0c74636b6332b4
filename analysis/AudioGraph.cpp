#include "analysis/AudioGraph.h"

#include <string>

namespace parlomat {

void DrawAudioGraph(Engine& e, const std::vector<int32_t>& starts, const std::vector<int32_t>& ends,
                    int32_t count, int32_t oddColour, int32_t evenColour) {
  AnalysisState& st = e.state.analysis;
  GraphWindow& g = *e.platform.graph;
  g.show();
  g.clear();
  const int32_t m = st.visitedCount;
  st.graphWidth = m + 1;
  g.setScale(0, 128, st.graphWidth, -128);
  g.clear();
  for (int32_t k = 1; k <= count && static_cast<size_t>(k) < starts.size(); ++k) {
    const double x1 = starts[static_cast<size_t>(k)] / 25.0;
    const double x2 = ends[static_cast<size_t>(k)] / 25.0;
    g.box(x1, 128, x2, -128, k % 2 == 1 ? oddColour : evenColour);
  }
  g.point(0, 128, graphcolour::kBlack);
  for (int32_t j = 1; j <= m + 1; ++j) {
    const size_t i = static_cast<size_t>(j);
    const int value = i < st.decimatedWave.size() ? st.decimatedWave[i] : 0;
    g.lineTo(j, value, graphcolour::kBlack);
  }
}

void ReportNoiseOnGraph(Engine& e) {
  const ControlState& s = e.state;
  GraphWindow& g = *e.platform.graph;
  g.point(s.analysis.graphWidth / 2, 128, graphcolour::kBlack);
  g.print("Noise Found on " + std::to_string(s.wordNo) + " " + std::to_string(s.deepWordNo) + " " +
          std::to_string(s.tooDeepWordNo));
}

}  // namespace parlomat
