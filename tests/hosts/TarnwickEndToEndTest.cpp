// The built Tarnwick program, started on the offscreen platform in the dry run with the virtual
// microphone playing the bundled takes: "windows" and then "shutoff" must print the shut-down
// request and end the program; "shutoff" alone must print nothing. Real time: the sampling time
// is 10 s, so "shutoff" is heard in the second pass and each run takes some 15 to 25 s. The two
// programs run side by side.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <filesystem>
#include <string>

#include "support/TestSupport.h"

namespace parlomat::testing {
namespace {

namespace fs = std::filesystem;

// The samples of an unsigned 8-bit mono wave file.
std::vector<uint8_t> samplesOf(const fs::path& wav) {
  const std::vector<uint8_t> b = readFile(wav);
  const auto le32 = [&](size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 |
           uint32_t{b[at + 3]} << 24;
  };
  for (size_t at = 12; at + 8 <= b.size();) {
    const size_t size = le32(at + 4);
    if (std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4) ==
        "data") {
      const size_t end = std::min(b.size(), at + 8 + size);
      return std::vector<uint8_t>(b.begin() + static_cast<long>(at) + 8,
                                  b.begin() + static_cast<long>(end));
    }
    at += 8 + size + (size & 1);
  }
  return {};
}

class TarnwickProgram : public ::testing::Test {
 protected:
  static constexpr int kRate = 22050;
  // Where "shutoff" starts in the two-word recording: a second into the second pass.
  static constexpr double kSecondWordAt = 11.0;
  static constexpr double kRepeatEvery = 6.0;

  TarnwickProgram() {
    dir = fs::temp_directory_path() / ("parlomat-tarnwick-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  ~TarnwickProgram() override { fs::remove_all(dir); }

  // A folder holding a copy of the program (so that it is the program's folder, seeded afresh
  // with the example files) and the recording its microphone plays.
  fs::path prepare(const std::string& name, const std::vector<uint8_t>& recording) {
    const fs::path folder = dir / name;
    fs::create_directories(folder);
    const fs::path program = TARNWICK_PROGRAM;
    fs::copy_file(program, folder / program.filename());
    const fs::path colours = program.parent_path() / "libChromaset.so";
    if (fs::exists(colours)) fs::copy_file(colours, folder / colours.filename());
    writeFile(folder / "microphone.wav", waveFileBytes(recording, kRate));
    return folder;
  }

  static void start(QProcess& p, const fs::path& folder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TARNWICK_DRY_RUN"), QStringLiteral("1"));
    env.insert(QStringLiteral("PARLOMAT_CAPTURE_FILE"),
               QString::fromStdString((folder / "microphone.wav").string()));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QString::fromStdString(folder.string()));
    p.start(QString::fromStdString((folder / "Tarnwick").string()), {});
  }

  fs::path dir;
};

TEST_F(TarnwickProgram, WindowsThenShutoffRequestsTheShutDownAndShutoffAloneDoesNothing) {
  const fs::path takes = fs::path(PARLOMAT_SOURCE_DATA) / "tarnwick" / "takes";
  if (!fs::exists(takes / "windows.wav") || !fs::exists(takes / "shutoff.wav")) {
    GTEST_SKIP() << "the bundled takes are not in " << takes;
  }
  const std::vector<uint8_t> windows = samplesOf(takes / "windows.wav");
  const std::vector<uint8_t> shutoff = samplesOf(takes / "shutoff.wav");
  ASSERT_FALSE(windows.empty());
  ASSERT_FALSE(shutoff.empty());
  // The command is said three times, some seconds apart, as a user repeats a word that was not
  // acted on: a repetition that falls between two passes (the device is closed while the
  // language step runs, longer on a busy machine) is not heard, the next one is.
  std::vector<uint8_t> both = windows;
  for (int k = 0; k < 3; ++k) {
    both.resize(static_cast<size_t>((kSecondWordAt + kRepeatEvery * k) * kRate), 128);
    both.insert(both.end(), shutoff.begin(), shutoff.end());
  }

  QProcess armed, alone;
  QElapsedTimer clock;
  clock.start();
  start(armed, prepare("armed", both));
  start(alone, prepare("alone", shutoff));
  ASSERT_TRUE(armed.waitForStarted(10000));
  ASSERT_TRUE(alone.waitForStarted(10000));

  const bool ended = armed.waitForFinished(90000);
  if (!ended) armed.kill();
  armed.waitForFinished(5000);
  EXPECT_TRUE(ended) << "stderr: " << armed.readAllStandardError().toStdString();
  EXPECT_EQ(armed.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(armed.exitCode(), 0);
  EXPECT_EQ(armed.readAllStandardOutput().toStdString(), "power-request: shutdown\n");

  // "shutoff" alone is heard in the first pass, as "windows" was in the other program: by 20 s
  // after the start (and 3 s more at least) it would have acted.
  const qint64 wait = std::max<qint64>(20000 - clock.elapsed(), 3000);
  EXPECT_FALSE(alone.waitForFinished(static_cast<int>(wait))) << "it ended by itself";
  alone.kill();
  alone.waitForFinished(5000);
  EXPECT_EQ(alone.readAllStandardOutput().toStdString(), "");
}

}  // namespace
}  // namespace parlomat::testing
