#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>

#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtSoundPlayer.h"
#include "tests/qt/QtTestSupport.h"

namespace parlomat {
namespace {

// Serves events for `ms` milliseconds, long enough for an effect to load, fail or play.
void serveFor(QtEventLoop& loop, int ms) {
  bool done = false;
  auto t = loop.createTimer(ms, [&] { done = true; });
  t->setEnabled(true);
  while (!done) loop.waitForEvent();
}

TEST(QtSoundPlayer, SoundsThatCannotBePlayedAreIgnored) {
  testing::TempFolder tmp;
  testing::writeText(tmp.path("notes.wav"), "these are not the bytes of a wave file");
  testing::writeText(tmp.path("short.wav"), "RIFF");
  const std::string cases[] = {tmp.path("missing.wav"), tmp.path("notes.wav"),
                               tmp.path("short.wav"), tmp.path(""), ""};
  QtEventLoop loop;
  QtSoundPlayer player;
  for (const std::string& path : cases) {
    SCOPED_TRACE(path);
    player.playOnce(path);
    EXPECT_FALSE(player.active());
    player.playLooped(path);
    EXPECT_FALSE(player.active());
    serveFor(loop, 20);
    player.stop();
  }
}

// Without an audio device (as on a headless machine) a sound is dropped at once; with one it
// plays in the background: once until its end, looped until stopped. No call blocks.
TEST(QtSoundPlayer, WaveFileIsPlayedInTheBackgroundAndStopped) {
  testing::TempFolder tmp;
  const std::string tone = tmp.path("tone.wav");
  testing::writeToneWave(tone, 11025, 11025 / 4);
  const bool device = !QMediaDevices::defaultAudioOutput().isNull();
  QtEventLoop loop;
  QtSoundPlayer player;

  QElapsedTimer clock;
  clock.start();
  player.playOnce(tone);
  EXPECT_EQ(player.active(), device);
  for (int i = 0; i < 30 && player.active(); ++i) serveFor(loop, 100);
  EXPECT_FALSE(player.active());

  player.playLooped(tone);
  EXPECT_EQ(player.active(), device);
  serveFor(loop, 600);
  EXPECT_EQ(player.active(), device);
  player.stop();
  EXPECT_FALSE(player.active());
  EXPECT_LT(clock.elapsed(), 5000);

  // A new sound replaces the one playing; stopping twice is harmless.
  player.playLooped(tone);
  player.playOnce(tone);
  EXPECT_EQ(player.active(), device);
  player.stop();
  player.stop();
  EXPECT_FALSE(player.active());
}

}  // namespace
}  // namespace parlomat
