#pragma once
// Lexbench's main window Form1: one Parlomat control (Parlomat1) driven only through its
// dispatch interface by member name, the settings menus, Start, Stop, Add, Disable add and End,
// and Timer1 copying the results onto the window ten times a second. The settings live as 30
// working texts, loaded from and saved to "UserSettings.Vset" in the program's folder.
// Every menu item, button, label, text box and the timer carry their names as object names.
#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "hosts/common/HostServices.h"
#include "hosts/lexbench/UserSettings.h"

class QAction;
class QLabel;
class QLineEdit;
class QTextEdit;
class QTimer;
class QToolButton;

namespace parlomat {
class DispatchObject;
class RecordFile;
namespace hosts {
class ParlomatWidget;
}
}  // namespace parlomat

namespace parlomat::lexbench {

class LexbenchWindow : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kRefreshMs = 100;

  // Raises DispatchError when the control cannot be created.
  explicit LexbenchWindow(hosts::HostServices services, QWidget* parent = nullptr);
  // Terminate: closes the settings file.
  ~LexbenchWindow() override;

  DispatchObject& control();
  const Texts& workingSettings() const { return working_; }
  bool toggleFlag() const { return toggle_; }
  bool settingsFileOpen() const { return file_ != nullptr; }
  int32_t recordNumber() const { return record_.recordNumber; }

  // The handlers behind the menus, the buttons and the timer.
  void loadSettings();
  void saveSettings();
  void applySettings();
  void start();
  void stop();
  void addToVocabulary(bool on);
  void end();
  void refreshResults();
  void showSplash();
  void showComingSplash();

 signals:
  // The unload step has run: the settings file is closed and ComingSplash is showing.
  void unloaded();

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void buildMenus();
  void buildFace();
  QAction* addItem(QWidget* menu, const char* name, const char* caption);
  QAction* item(const char* name) const;
  void onTriggered(QAction* a, std::function<void()> handler);
  void connectItems();

  void yesNoClicked(size_t row);
  void choiceClicked(size_t group, size_t choice);
  void numberClicked(size_t row);
  void fileNameClicked(size_t row);
  void matchFileClicked(int k);

  // Sends a value to a write-only property; on failure tells the user and returns false.
  bool send(const std::string& member, const Variant& value);
  // Calls a method; on failure tells the user and returns false.
  bool callMethod(const std::string& member, std::span<const Variant> args = {});
  std::optional<Variant> read(const std::string& member);
  void tell(const std::string& text);

  void setCaption(const char* name, const std::string& caption);
  void setCaption(QAction* a, const std::string& caption);

  hosts::HostServices services_;
  hosts::ParlomatWidget* parlomat_ = nullptr;
  std::map<std::string, QAction*> items_;

  QTextEdit* labResult_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* label4_ = nullptr;
  QLineEdit* text_[13] = {};  // Text1 .. Text12 at their numbers
  QToolButton* command4_ = nullptr;
  QTimer* timer1_ = nullptr;

  Texts working_;
  UserSettingsRecord record_;
  std::unique_ptr<RecordFile> file_;
  bool toggle_ = true;
  // Whether the next activation of the window runs its activate step; the first one does.
  bool activationCounts_ = true;
};

// The about window and the information window on coming upgrades; each closes itself on a
// click or a key and is deleted when closed.
QWidget* makeSplash();
QWidget* makeComingSplash();

}  // namespace parlomat::lexbench
