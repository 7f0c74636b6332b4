#include "platform/qt/QtPlatform.h"

#include <QCoreApplication>

#include "platform/qt/QtText.h"

namespace parlomat {

QtPlatform::QtPlatform() {
  registerStandardComponents(registry);
  const QByteArray captureFile = qgetenv(kCaptureFileVariable);
  if (!captureFile.isEmpty()) {
    microphone = std::make_unique<VirtualMicrophone>(
        loop, std::string(captureFile.constData(), static_cast<size_t>(captureFile.size())));
  }
  platform_.dialogs = &dialogs;
  platform_.loop = &loop;
  platform_.waveIn = microphone ? static_cast<WaveInDevice*>(microphone.get()) : &soundCard;
  platform_.waveOut = &speaker;
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
