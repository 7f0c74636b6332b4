#include "control/StatusSignals.h"

namespace parlomat {

void ShowStatusPicture(Engine& e, int kind) {
  ControlState& s = e.state;
  if (!isYes(s.statusAnimation)) return;
  StatusWindow& w = *e.platform.status;
  const std::string& file = kind == 1 ? s.startImagePath : s.stopImagePath;
  bool ok = true;
  w.show();
  if (file.empty()) {
    w.showBuiltIn(kind == 1 ? StatusWindow::Picture::Listening : StatusWindow::Picture::Stopped);
  } else {
    ok = w.showFile(file);
  }
  // One more try at the configured file; a second failure goes to the caller.
  if (!ok && !file.empty() && !w.showFile(file)) {
    throw StatusPictureError("cannot load the status picture " + file);
  }
}

int32_t ReadCaptionColour(Engine& e) {
  auto colours = e.platform.registry->create("Chromaset.ColorAttack");
  return colours->get("GET_CURRENT_ACTIVECAPTION").toInt32();
}

void SetCaptionColour(Engine& e, int32_t colour) {
  auto colours = e.platform.registry->create("Chromaset.ColorAttack");
  colours->put("ACTIVECAPTION_BE", Variant(colour));
}

void CloseControlWindows(Engine& e) {
  e.platform.graph->close();
  e.platform.status->close();
  e.platform.windows->closeLanguageEditor();
}

}  // namespace parlomat
