#include "control/Delayer.h"

namespace parlomat {

void ClearProbableChars(ControlState& s) {
  for (int k = 1; k <= 7; ++k) {
    s.probableChars[k].clear();
    s.probableCharsPercent[k].clear();
  }
}

void CleanResults(ControlState& s) {
  ClearProbableChars(s);
  s.goldenChara.clear();
  s.goldenCharaPoints.clear();
  for (int k = 1; k <= 7; ++k) {
    s.platinumWord[k].clear();
    s.platinumPercent[k] = 0;
  }
}

void ResetResults(ControlState& s) {
  s.onDemandMode = 0;
  CleanResults(s);
  for (int k = 1; k <= 7; ++k) {
    s.charaOfNo[k].clear();
    s.charaProbabilityOfNo[k].clear();
    s.candidateWord[k].clear();
  }
  s.languageMatchRecord = 0;
}

void PumpMessages(Engine& e, int64_t count) {
  for (int64_t i = 0; i < count; ++i) e.platform.loop->pumpOnce();
}

}  // namespace parlomat
