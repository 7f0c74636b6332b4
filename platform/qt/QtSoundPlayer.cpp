#include "platform/qt/QtSoundPlayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include "platform/qt/QtText.h"

namespace parlomat {

namespace {

// Qt decodes only RIFF WAVE files; anything else is refused here, before Qt warns about it.
bool looksLikeWave(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QByteArray head = file.read(12);
  return head.size() == 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WAVE";
}

}  // namespace

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer() {
  stop();
}

void QtSoundPlayer::playOnce(const std::string& path) {
  play(path, 1);
}

void QtSoundPlayer::playLooped(const std::string& path) {
  play(path, QSoundEffect::Infinite);
}

void QtSoundPlayer::stop() {
  if (!effect_) return;
  effect_->stop();
  effect_.reset();
}

bool QtSoundPlayer::active() const {
  if (!effect_) return false;
  QSoundEffect::Status s = effect_->status();
  if (s == QSoundEffect::Error || s == QSoundEffect::Null) return false;
  return s == QSoundEffect::Loading || effect_->isPlaying();
}

void QtSoundPlayer::play(const std::string& path, int loops) {
  stop();
  QString file = qt::fromPath(path);
  if (path.empty() || !looksLikeWave(file)) return;
  // Without an output device Qt would report the sound as playing for ever, to nobody.
  if (QMediaDevices::defaultAudioOutput().isNull()) return;
  effect_ = std::make_unique<QSoundEffect>();
  effect_->setLoopCount(loops);
  effect_->setSource(QUrl::fromLocalFile(file));
  // Plays as soon as the file is loaded; a failed load leaves the effect silent.
  effect_->play();
}

}  // namespace parlomat
