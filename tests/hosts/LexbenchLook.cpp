// Takes screenshots of Lexbench, run as the program runs it, as a user sees it: the main window
// after a settings load with results on display, each menu opened, and the two information windows.
// Run it on a display (xvfb-run -a build/bin/lexbench_look OUTDIR); it writes PNG files into
// OUTDIR. Recognition listens to silence, or to PARLOMAT_CAPTURE_FILE when it names a wave file.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <vector>

#include "control/Engine.h"
#include "hosts/common/HostRuntime.h"
#include "hosts/lexbench/LexbenchProgram.h"
#include "hosts/lexbench/UserSettings.h"
#include "platform/RecordFile.h"

using namespace parlomat;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Lexbench"));
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
  QDir().mkpath(out);
  const QString folder = QDir::tempPath() + QStringLiteral("/lexbench-look");
  QDir(folder).removeRecursively();
  QDir().mkpath(folder);

  lexbench::UserSettingsRecord r;
  r.recordNumber = 1;
  r.fields[lexbench::DSP_Level] = "Middle";
  r.fields[lexbench::Vocabulary_Match_File_1] = "Letters";
  r.fields[lexbench::Language_Match_File] = "Words";
  r.fields[lexbench::Speech_Capture_Time] = "3000";
  {
    DiskRecordFiles files;
    const auto bytes = r.toBytes();
    files.open((folder + "/UserSettings.Vset").toStdString(), lexbench::kRecordLength)
        ->write(1, bytes);
  }

  const QByteArray silence = (folder + "/silence.wav").toLocal8Bit();
  if (qgetenv("PARLOMAT_CAPTURE_FILE").isEmpty()) {
    std::vector<uint8_t> wave = {'R', 'I', 'F',  'F',  0,   0,   0,    0,    'W',  'A', 'V',
                                 'E', 'f', 'm',  't',  ' ', 16,  0,    0,    0,    1,   0,
                                 1,   0,   0x22, 0x56, 0,   0,   0x22, 0x56, 0,    0,   1,
                                 0,   8,   0,    'd',  'a', 't', 'a',  0x22, 0x56, 0,   0};
    wave.resize(wave.size() + 22050, 128);
    const uint32_t riff = static_cast<uint32_t>(wave.size() - 8);
    for (int i = 0; i < 4; ++i) wave[4 + i] = static_cast<uint8_t>(riff >> (8 * i));
    QFile f(QString::fromLocal8Bit(silence));
    f.open(QIODevice::WriteOnly);
    f.write(reinterpret_cast<const char*>(wave.data()), static_cast<qint64>(wave.size()));
    f.close();
    qputenv("PARLOMAT_CAPTURE_FILE", silence);
  }
  hosts::HostRuntime runtime(folder.toStdString());
  lexbench::LexbenchWindow* window = nullptr;

  auto shoot = [&](const QString& name) {
    QApplication::processEvents();
    QScreen* screen = QGuiApplication::primaryScreen();
    screen->grabWindow(0).save(out + "/" + name + ".png");
  };

  std::vector<std::function<void()>> steps;
  steps.push_back([&] { shoot(QStringLiteral("lexbench-start")); });
  steps.push_back([&] {
    window->findChild<QAction*>(QStringLiteral("mnuOSO"))->trigger();
    ControlState& s = runtime.engine->state;
    s.platinumWord[1] = "windows";
    s.platinumPercent[1] = 72;
    s.platinumWord[2] = "reboot";
    s.platinumPercent[2] = 41;
    s.probableChars[1] = "vi";
    s.probableCharsPercent[1] = "88";
    s.probableChars[2] = "da";
    s.probableCharsPercent[2] = "64";
    s.goldenChara = "vi";
    s.goldenCharaPoints = "130";
    s.probableWordCount = 2;
    window->refreshResults();
    shoot(QStringLiteral("lexbench-loaded"));
  });
  for (const char* name : {"mnuOS", "mnuIS", "mnuINS", "mnuTS", "mnuBVS", "mnuLS", "mnuabo"}) {
    steps.push_back([&window, &shoot, name] {
      auto* menu = window->findChild<QMenu*>(QString::fromLatin1(name));
      window->menuBar()->setActiveAction(menu->menuAction());
      shoot(QStringLiteral("lexbench-menu-") + QString::fromLatin1(name));
      menu->close();
    });
  }
  steps.push_back([&] {
    auto* menu = window->findChild<QMenu*>(QStringLiteral("mnuBVS"));
    window->menuBar()->setActiveAction(menu->menuAction());
    QApplication::processEvents();
    auto* sub = window->findChild<QMenu*>(QStringLiteral("mnuBVSfca"));
    menu->setActiveAction(sub->menuAction());
    sub->popup(menu->mapToGlobal(menu->actionGeometry(sub->menuAction()).topRight()));
    shoot(QStringLiteral("lexbench-menu-mnuBVSfca"));
    sub->close();
    menu->close();
  });
  steps.push_back([&] { window->findChild<QToolButton*>(QStringLiteral("Command4"))->click(); });
  steps.push_back([&] { shoot(QStringLiteral("lexbench-listening")); });
  steps.push_back([&] { window->findChild<QToolButton*>(QStringLiteral("Command1"))->click(); });
  steps.push_back([&] {
    window->showSplash();
    shoot(QStringLiteral("lexbench-splash"));
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() == QLatin1String("Splash")) w->close();
    }
    window->showComingSplash();
    shoot(QStringLiteral("lexbench-comingsplash"));
  });
  steps.push_back([] { QApplication::exit(0); });

  auto* timer = new QTimer(&app);
  timer->setInterval(400);
  size_t next = 0;
  QObject::connect(timer, &QTimer::timeout, [&] {
    if (next < steps.size()) steps[next++]();
  });
  return lexbench::runProgram(app, runtime, [&](lexbench::LexbenchWindow& shown) {
    window = &shown;
    window->move(20, 20);
    timer->start();
  });
}
