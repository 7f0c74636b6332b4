#pragma once
// The control's editor windows on Qt: the Language Editor, the Vocabulary Editor and the
// information windows. A Qt host creates it after its Engine and installs it with
// `platform.windows = &editorWindows`; it must outlive every call the control makes through it.
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "control/Engine.h"
#include "editors/SplashWindows.h"
#include "platform/Windows.h"

namespace parlomat::editors {

class Database;
class DatabaseVE;

class EditorWindows : public ControlWindows {
 public:
  explicit EditorWindows(Engine& e);
  ~EditorWindows() override;
  EditorWindows(const EditorWindows&) = delete;
  EditorWindows& operator=(const EditorWindows&) = delete;

  // Loads and shows the Language Editor; one already open is brought forward as it is.
  void showLanguageEditor() override;
  // Closes the Language Editor as the control's stop does: listening does not resume.
  void closeLanguageEditor() override;
  bool languageEditorOpen() const override;
  // Shows `Splash`; a click or key on it opens the Vocabulary Editor.
  void showVocabularyEditorSplash() override;

  // Shows the Vocabulary Editor (a new one when none is open).
  void showVocabularyEditor();
  void showAbout();
  void showComingUp();

  // The windows as they are now; null when not made yet or closed (the splash windows).
  Database* languageEditor() const { return database_; }
  DatabaseVE* vocabularyEditor() const { return databaseVE_; }
  Splash* splash() const { return splash_.data(); }
  ComingSplash* comingSplash() const { return comingSplash_.data(); }

 private:
  // Hands a closed window over to be deleted once control is back in the event loop: it may
  // still be on the call stack (a box shown from one of its handlers).
  void retire(QWidget* w);

  Engine& e_;
  Database* database_ = nullptr;
  DatabaseVE* databaseVE_ = nullptr;
  std::vector<QPointer<QWidget>> retired_;
  QPointer<Splash> splash_;
  QPointer<ComingSplash> comingSplash_;
};

}  // namespace parlomat::editors
