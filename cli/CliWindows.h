#pragma once
// The control's editor windows in parlomat-cli: nothing is shown; each request is reported on the
// error stream, next to the echoed message boxes, with the file and record the editor would open.
#include <ostream>

#include "control/ControlState.h"
#include "platform/Windows.h"

namespace parlomat {

class CliWindows : public ControlWindows {
 public:
  CliWindows(const ControlState& state, std::ostream& report) : state_(state), report_(report) {}

  void showLanguageEditor() override {
    open_ = true;
    report_ << "[Language Editor] would open " << state_.languageFileToAdd << " at record "
            << state_.languageMatchRecord << "\n";
  }
  void closeLanguageEditor() override { open_ = false; }
  bool languageEditorOpen() const override { return open_; }
  void showVocabularyEditorSplash() override { report_ << "[Vocabulary Editor] would open\n"; }

 private:
  const ControlState& state_;
  std::ostream& report_;
  bool open_ = false;
};

}  // namespace parlomat
