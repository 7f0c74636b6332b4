#include "control/Engine.h"

#include "control/ListeningCycle.h"

namespace parlomat {

Engine::Engine(Platform& p) : platform(p) {
  timer5 = platform.loop->createTimer(5, [this] { CaptureLoop(*this); });
  timer3 = platform.loop->createTimer(5, [this] { ChunkTimerTick(*this); });
}

Engine::~Engine() = default;

Answer Engine::message(const std::string& text, const std::string& title, Buttons buttons,
                       Icon icon) {
  return platform.dialogs->messageBox(text, title, buttons, icon);
}

std::string Engine::input(const std::string& prompt, const std::string& title,
                          const std::string& defaultText) {
  return platform.dialogs->inputBox(prompt, title, defaultText);
}

std::string Engine::inControlFolder(const std::string& name) const {
  return platform.controlFolder + platform.separator + name;
}

std::string trimSpaces(const std::string& s) {
  size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  size_t b = s.find_last_not_of(' ');
  return s.substr(a, b - a + 1);
}

}  // namespace parlomat
