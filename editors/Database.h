#pragma once
// The Language Editor: one word of a language file per record, with its font, division count,
// time length and string compare protocols with ratings. It works on the shared working language
// record and record file handle; all its boxes go through the platform's dialogs. While it is open
// the listening cycle is paused; closing it in the cycle resumes listening.
#include <QMainWindow>
#include <functional>
#include <string>

#include "control/Engine.h"
#include "editors/EditorFile.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace parlomat::editors {

class DataDisplay;
class FeaturesDisplay;
class ShapeFrame;

class Database : public QMainWindow {
 public:
  explicit Database(Engine& e);
  ~Database() override;

  // The steps of opening the window: listening pauses, the shared file is closed, the fonts are
  // listed and the language file to add opens at the record of the last language match.
  void load();
  // Closes the window as the control's stop does: listening stays stopped.
  void closeForStop();

  DataDisplay* dataDisplay() const { return dataDisplay_; }
  FeaturesDisplay* featuresDisplay() const { return features_; }
  int workingEntryCount() const { return workingEntryCount_; }
  bool newRecordMode() const { return newRecordMode_; }
  bool hasFile() const { return file_.isOpen(); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void build();
  QMenu* addMenu(const char* name, const QString& caption);
  QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                   std::function<void()> run);

  // Runs `f`; when it raises, shows the file error message and returns false.
  bool guarded(const std::function<void()>& f);
  Answer ask(const std::string& text);
  ControlState& state() { return e_.state; }
  void setTfnam(const std::string& text);
  void showRecordControls(bool withResave);
  void hideRecordControls();
  void updateFileActions();

  // Opening.
  void openFileToAdd();
  void loadButton();
  void openThroughDialog();
  void openTypedName();
  // Opens `path` as the Open button does; false when it could not be opened.
  bool openChosen(const std::string& path);
  void refuseFileName();

  // The window and the working record.
  void refresh();
  void saveWindow(LanguageRecord& r, const std::string& word);
  void newRecord();
  void chooseFont(int index);
  // Shows the word in `family` and takes it as the word's font.
  void showFont(const std::string& family);

  // Protocols.
  void addProtocol();
  void editProtocol();

  // Saving.
  bool requireFile();
  void resave();
  void addRecord();

  // Records.
  void next(bool fromButton);
  void previous();
  void viewCurrent();
  void rename();
  void deleteRecord();
  void findByNumber();
  void findByName();
  void viewAll();
  void chooseListLine(const std::string& line);

  // Current Memory and the word summary.
  void memoryDivision(int k);
  void displayMemory();
  void wordSummary();

  void exitContinue();

  Engine& e_;
  EditorFile<LanguageFileKind> file_;
  int workingEntryCount_ = 0;
  bool newRecordMode_ = false;
  bool stopping_ = false;
  std::string tfnam_;
  std::string fontName_;

  ShapeFrame* shape3_ = nullptr;
  QLineEdit* tfnamBox_ = nullptr;
  QToolButton *command1_ = nullptr, *command9_ = nullptr, *command8_ = nullptr;
  QPushButton* command2_ = nullptr;
  QToolButton *command3_ = nullptr, *command10_ = nullptr, *nextHit_ = nullptr,
              *command7_ = nullptr, *command5_ = nullptr, *command6_ = nullptr;
  QLineEdit *text1_ = nullptr, *textDiv_ = nullptr, *text2_ = nullptr;
  QComboBox *combo1_ = nullptr, *combo2_ = nullptr, *combo3_ = nullptr, *combo4_ = nullptr;
  QLabel *label5_ = nullptr, *label7_ = nullptr, *label9_ = nullptr;
  QMenu *fileMenu_ = nullptr, *recordMenu_ = nullptr, *queryMenu_ = nullptr, *memoryMenu_ = nullptr,
        *summaryMenu_ = nullptr;
  DataDisplay* dataDisplay_ = nullptr;
  FeaturesDisplay* features_ = nullptr;
};

}  // namespace parlomat::editors
