#pragma once
// The recogniser's engine: the shared control state, the platform it runs on and the hidden
// window Form1 with the two cycle timers. One per process; every control instance shares it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "control/ControlState.h"
#include "platform/Platform.h"

namespace parlomat {

class AnalysisObserver;

class Engine {
 public:
  explicit Engine(Platform& platform);
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  Platform& platform;
  ControlState state;
  std::unique_ptr<Timer> timer5;  // capture timer: each tick runs the capture loop
  std::unique_ptr<Timer> timer3;  // chunk timer: each tick looks for an utterance
  // Told of every division run and segment analysis (the CLI's trace); may be null.
  AnalysisObserver* analysisObserver = nullptr;
  // Told each time rankWords has published the seven Platinum words of a ranked set; may be empty.
  std::function<void()> wordsRanked;
  // Capture loops running now (at most one: a tick inside a running pass does nothing).
  int captureLoopDepth = 0;
  // Raised to end the running pass at its next check (a restart or a halted cycle).
  uint64_t passGeneration = 0;

  // Shorthands for the platform's boxes.
  Answer message(const std::string& text, const std::string& title, Buttons buttons, Icon icon);
  std::string input(const std::string& prompt, const std::string& title,
                    const std::string& defaultText = {});
  // The control's folder joined with a file name.
  std::string inControlFolder(const std::string& name) const;
};

// Switch tests, exact and case-sensitive: an unset switch is neither.
inline bool isYes(const std::string& s) {
  return s == kYes;
}
inline bool isNo(const std::string& s) {
  return s == kNo;
}

// Leading and trailing spaces removed.
std::string trimSpaces(const std::string& s);

}  // namespace parlomat
