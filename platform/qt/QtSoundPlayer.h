#pragma once
// Sound cues on Qt Multimedia. One sound at a time: a new one replaces what is playing. A sound
// that cannot be played (missing file, not a WAV file, no audio device) is dropped silently.
#include <memory>

#include "platform/Audio.h"

class QSoundEffect;

namespace parlomat {

class QtSoundPlayer : public SoundPlayer {
 public:
  QtSoundPlayer();
  ~QtSoundPlayer() override;

  void playOnce(const std::string& path) override;
  void playLooped(const std::string& path) override;
  void stop() override;

  // Whether a sound was accepted and has not been stopped, failed or finished. Nothing is
  // accepted while there is no audio output device.
  bool active() const;

 private:
  void play(const std::string& path, int loops);

  std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace parlomat
