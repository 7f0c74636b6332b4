// Opens both editors with a few records, as a user sees them, and saves a picture of every window
// to PNG files in the folder given (run under xvfb-run). Boxes are answered by scripted dialogs.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QLineEdit>
#include <cstdio>
#include <fstream>

#include "editors/DataDisplay.h"
#include "editors/DataDisplayVE.h"
#include "editors/Database.h"
#include "editors/DatabaseVE.h"
#include "editors/EditorWindows.h"
#include "editors/FeaturesDisplay.h"
#include "editors/SplashWindows.h"
#include "platform/qt/QtFontList.h"
#include "platform/sim/SimPlatform.h"

namespace {

using namespace parlomat;

void writeRecords(const std::string& path, const std::vector<std::array<uint8_t, 4292>>& lang) {
  std::ofstream f(path, std::ios::binary);
  for (const auto& r : lang) f.write(reinterpret_cast<const char*>(r.data()), r.size());
}

void save(QWidget* w, const QString& folder, const char* name) {
  QApplication::processEvents();
  const QString file = folder + "/" + name + ".png";
  w->grab().save(file);
  std::printf("%s\n", file.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
  QDir().mkpath(folder);
  const std::string base = QDir(folder).filePath("look").toStdString();

  SimPlatform sim(folder.toStdString());
  QtFontList fonts;
  sim.platform().fonts = &fonts;
  sim.dialogs.setStrict(false);
  Engine engine(sim.platform());
  editors::EditorWindows windows(engine);
  sim.platform().windows = &windows;

  std::vector<std::array<uint8_t, 4292>> lang;
  const char* names[] = {"namaste", "dhanyavad", "shubh"};
  for (int n = 1; n <= 3; ++n) {
    LanguageRecord r = LanguageRecord::blank(n);
    LanguageRecord::setText(r.name, names[n - 1]);
    LanguageRecord::setText(r.fontName, "DejaVu Serif");
    r.divisionCount = static_cast<int16_t>(n + 1);
    r.totalTimeLength = 1200 * n;
    r.entryCount = 2;
    LanguageRecord::setText(r.protocols[1], "na*te");
    r.ratings[1] = 80;
    LanguageRecord::setText(r.protocols[2], "n?m?s?e");
    r.ratings[2] = 60;
    lang.push_back(r.toBytes());
  }
  const std::string words = base + ".Lang";
  writeRecords(words, lang);
  {
    std::ofstream f(base + ".SAY", std::ios::binary);
    for (int n = 1; n <= 3; ++n) {
      VocabularyRecord r = VocabularyRecord::blank(n);
      r.setName(names[n - 1]);
      r.valleyCount = 5;
      const auto b = r.toBytes();
      f.write(reinterpret_cast<const char*>(b.data()), b.size());
    }
  }

  ControlState& s = engine.state;
  s.languageFileToAdd = words;
  s.languageMatchRecord = 2;
  s.onDemandMode = 0;
  s.memoryDivisionCount[1] = 2;
  s.memoryDivisionTime[1] = 900;
  s.memoryDivisionTime[2] = 1400;
  s.memoryDivisionChars[1] = "na";
  s.memoryDivisionChars[2] = "na ma";
  windows.showLanguageEditor();
  editors::Database* le = windows.languageEditor();
  save(le, folder, "language-editor");
  le->findChild<QAction*>("mnuViewAll")->trigger();
  save(le->dataDisplay(), folder, "language-list");
  le->findChild<QAction*>("mnuThisWord")->trigger();
  save(le->featuresDisplay(), folder, "word-summary");
  le->findChild<QAction*>("mnuDisplayMemory")->trigger();
  save(le, folder, "language-editor-memory");
  save(le->dataDisplay(), folder, "language-memory-list");

  le->findChild<QAction*>("mnuExitContinue")->trigger();

  // Without a file to add, then with one chosen in the file dialog (Resave shows).
  s.languageFileToAdd.clear();
  windows.showLanguageEditor();
  le = windows.languageEditor();
  save(le, folder, "language-editor-no-file");
  sim.dialogs.answer(words);
  QMetaObject::invokeMethod(le->findChild<QObject*>("Command1"), "click");
  save(le, folder, "language-editor-dialog");

  windows.showVocabularyEditorSplash();
  save(windows.splash(), folder, "splash");
  windows.splash()->close();
  editors::DatabaseVE* ve = windows.vocabularyEditor();
  save(ve, folder, "vocabulary-editor-empty");
  sim.dialogs.answer(base + ".SAY");
  ve->findChild<QAction*>("mnuOpenFile")->trigger();
  save(ve, folder, "vocabulary-editor");
  ve->findChild<QAction*>("mnuViewAll")->trigger();
  save(ve->dataDisplay(), folder, "vocabulary-list");
  ve->close();
  save(windows.comingSplash(), folder, "coming-splash");
  return 0;
}
