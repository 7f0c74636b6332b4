#include "platform/sim/SimPlatform.h"

namespace parlomat {

SimPlatform::SimPlatform(std::string controlFolder) {
  registerStandardComponents(registry);
  platform_.dialogs = &dialogs;
  platform_.loop = &loop;
  platform_.waveIn = &waveIn;
  platform_.waveOut = &waveOut;
  platform_.sounds = &sounds;
  platform_.files = &files;
  platform_.status = &status;
  platform_.graph = &graph;
  platform_.windows = &windows;
  platform_.colours = &colours;
  platform_.registry = &registry;
  platform_.power = &power;
  platform_.fonts = &fonts;
  platform_.controlFolder = std::move(controlFolder);
}

}  // namespace parlomat
