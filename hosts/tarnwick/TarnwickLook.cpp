// Takes screenshots of Tarnwick as a user sees it: Form1 listening, and Form2 after "windows" was
// recognised. Run it on a display (xvfb-run -a build/bin/tarnwick_look OUTDIR); it writes PNG
// files into OUTDIR. The example files are seeded into a fresh folder; the microphone hears
// silence, or PARLOMAT_CAPTURE_FILE when it names a wave file; the power request is a dry run.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <iostream>
#include <vector>

#include "control/Engine.h"
#include "hosts/common/HostRuntime.h"
#include "hosts/tarnwick/PowerRequest.h"
#include "hosts/tarnwick/TarnwickProgram.h"

using namespace parlomat;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Tarnwick"));
  QApplication::setQuitOnLastWindowClosed(false);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
  QDir().mkpath(out);
  const QString folder = QDir::tempPath() + QStringLiteral("/tarnwick-look");
  QDir(folder).removeRecursively();
  QDir().mkpath(folder);
  hosts::FolderInputs in = tarnwick::tarnwickFolderInputs();
  in.exeFolder = folder.toStdString();
  in.installedMarker.clear();
  hosts::resolveProgramFolder(in);

  if (qgetenv("PARLOMAT_CAPTURE_FILE").isEmpty()) {
    std::vector<uint8_t> wave = {'R', 'I', 'F',  'F',  0,   0,   0,    0,    'W',  'A', 'V',
                                 'E', 'f', 'm',  't',  ' ', 16,  0,    0,    0,    1,   0,
                                 1,   0,   0x22, 0x56, 0,   0,   0x22, 0x56, 0,    0,   1,
                                 0,   8,   0,    'd',  'a', 't', 'a',  0x22, 0x56, 0,   0};
    wave.resize(wave.size() + 22050, 128);
    const uint32_t riff = static_cast<uint32_t>(wave.size() - 8);
    for (int i = 0; i < 4; ++i) wave[4 + i] = static_cast<uint8_t>(riff >> (8 * i));
    const QString silence = folder + QStringLiteral("/silence.wav");
    QFile f(silence);
    f.open(QIODevice::WriteOnly);
    f.write(reinterpret_cast<const char*>(wave.data()), static_cast<qint64>(wave.size()));
    f.close();
    qputenv("PARLOMAT_CAPTURE_FILE", silence.toLocal8Bit());
  }

  tarnwick::DryRunPowerControl power(std::cout);
  hosts::HostRuntime runtime(folder.toStdString());
  const auto shoot = [&](QWidget* w, const char* name) {
    w->grab().save(out + QStringLiteral("/") + QString::fromLatin1(name));
  };
  const int status = tarnwick::runProgram(app, runtime, power, [&](tarnwick::Form1& form1) {
    QTimer::singleShot(1500, &form1, [&] {
      shoot(&form1, "tarnwick-form1.png");
      runtime.engine->state.platinumWord[1] = "windows";
    });
    QTimer::singleShot(3000, &form1, [&] {
      if (form1.form2()) shoot(form1.form2(), "tarnwick-form2.png");
      runtime.engine->state.stopRequested = 1;
      form1.close();
    });
  });
  std::cout << "screenshots in " << out.toStdString() << "\n";
  return status;
}
