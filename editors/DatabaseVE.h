#pragma once
// The Vocabulary Editor: browses a vocabulary file, renames trained characters and blanks them. It
// works on the shared working vocabulary record and record file handle; all its boxes go through
// the platform's dialogs. It never trains a character and changes valleys only by blanking.
#include <QMainWindow>
#include <functional>
#include <string>

#include "control/Engine.h"
#include "editors/EditorFile.h"

class QLineEdit;
class QMenu;
class QToolButton;

namespace parlomat::editors {

class DataDisplayVE;

class DatabaseVE : public QMainWindow {
 public:
  struct Hooks {
    std::function<void()> showAbout;     // the information window
    std::function<void()> showComingUp;  // the window about coming upgrades
  };

  DatabaseVE(Engine& e, Hooks hooks);
  ~DatabaseVE() override;

  DataDisplayVE* dataDisplay() const { return dataDisplay_; }
  bool hasFile() const { return file_.isOpen(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void build();
  QMenu* addMenu(const char* name, const QString& caption);
  void addItem(QMenu* menu, const char* name, const QString& caption, std::function<void()> run);
  bool guarded(const std::function<void()>& f);
  void setRecordControlsVisible(bool visible);

  void openThroughDialog();
  void openTypedName();
  void openNamed(const std::string& name, bool valid);
  void refresh();

  void next();
  void previous();
  void rename();
  void blank();
  void findByNumber();
  void findByName();
  void viewEntries(bool all);
  void chooseListLine(const std::string& line);
  void exit();

  Engine& e_;
  Hooks hooks_;
  EditorFile<VocabularyFileKind> file_;
  QLineEdit* text1_ = nullptr;
  QToolButton *command1_ = nullptr, *nextHit_ = nullptr;
  QMenu *fileMenu_ = nullptr, *recordMenu_ = nullptr, *queryMenu_ = nullptr;
  DataDisplayVE* dataDisplay_ = nullptr;
};

}  // namespace parlomat::editors
