#include "platform/qt/QtPlatform.h"

#include <QCoreApplication>

#include "platform/qt/QtText.h"

namespace parlomat {

QtPlatform::QtPlatform() {
  registerStandardComponents(registry);
  platform_.dialogs = &dialogs;
  platform_.loop = &loop;
  platform_.waveIn = &audio.waveIn();
  platform_.waveOut = &audio.waveOut();
  platform_.sounds = &sounds;
  platform_.files = &files;
  platform_.status = &status;
  platform_.graph = &graph;
  platform_.windows = &windows;
  platform_.colours = &colours;
  platform_.registry = &registry;
  platform_.power = &power;
  platform_.fonts = &fonts;
  platform_.controlFolder = qt::toPath(QCoreApplication::applicationDirPath());
  platform_.separator = '/';
}

}  // namespace parlomat
