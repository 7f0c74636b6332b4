#pragma once
// Lexbench's main window on the simulated platform: the real control, created by name through
// the registry and wrapped so that every call the window makes is recorded; the window's and the
// control's boxes are answered by the scripted dialogs (an unexpected one fails the test).
#include <QAction>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "hosts/common/RecordingDispatch.h"
#include "hosts/lexbench/LexbenchWindow.h"
#include "support/TestSupport.h"

namespace parlomat::testing {

class LexbenchFixture : public SimFixture {
 protected:
  LexbenchFixture();
  ~LexbenchFixture() override;

  // Makes the window; tests that need other services make their own.
  void makeWindow(RecordFiles* files = nullptr);

  QAction* action(const std::string& name) const;
  QString caption(const std::string& name) const;
  bool checked(const std::string& name) const;
  // Clicks a menu item as the user does.
  void trigger(const std::string& name);
  // Clicks a button as the user does (nothing happens while it is disabled).
  void click(const std::string& name);
  template <typename W>
  W* widget(const std::string& name) const {
    W* w = window->findChild<W*>(QString::fromStdString(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  // The calls recorded since the last take, then forgets them.
  std::vector<std::string> takeCalls();
  std::string folder() const { return dir.string(); }
  std::string settingsPath() const { return path("UserSettings.Vset"); }

  // A settings file whose record 1 holds `texts` (field name to text) and `recordNumber`.
  void writeSettings(const std::vector<std::pair<lexbench::Field, std::string>>& texts,
                     int32_t recordNumber = 1);
  // Opens the settings (the Open item) and forgets the calls it made.
  void load();

  hosts::CallLog log;
  int ended = 0;
  std::unique_ptr<lexbench::LexbenchWindow> window;
};

}  // namespace parlomat::testing
