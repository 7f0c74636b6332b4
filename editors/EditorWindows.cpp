#include "editors/EditorWindows.h"

#include <algorithm>

#include "editors/Database.h"
#include "editors/DatabaseVE.h"
#include "editors/SplashWindows.h"

namespace parlomat::editors {

EditorWindows::EditorWindows(Engine& e) : e_(e) {}

EditorWindows::~EditorWindows() {
  // Deleted now: the windows refer to the engine, which may go before the event loop runs again.
  for (const QPointer<QWidget>& w : retired_) delete w.data();
  delete database_;
  delete databaseVE_;
  delete splash_.data();
  delete comingSplash_.data();
}

void EditorWindows::retire(QWidget* w) {
  if (!w) return;
  retired_.erase(std::remove_if(retired_.begin(), retired_.end(),
                                [](const QPointer<QWidget>& p) { return p.isNull(); }),
                 retired_.end());
  retired_.emplace_back(w);
  w->deleteLater();
}

void EditorWindows::showLanguageEditor() {
  if (languageEditorOpen()) {
    database_->raise();
    database_->activateWindow();
    return;
  }
  // Each opening starts from a fresh window, as a window loaded anew does.
  retire(database_);
  database_ = new Database(e_);
  database_->load();
  database_->show();
}

void EditorWindows::closeLanguageEditor() {
  if (languageEditorOpen()) database_->closeForStop();
}

bool EditorWindows::languageEditorOpen() const {
  return database_ && database_->isVisible();
}

void EditorWindows::showVocabularyEditorSplash() {
  delete splash_.data();
  splash_ = new Splash;
  splash_->onClosed = [this] { showVocabularyEditor(); };
  splash_->show();
}

void EditorWindows::showVocabularyEditor() {
  if (databaseVE_ && databaseVE_->isVisible()) {
    databaseVE_->raise();
    databaseVE_->activateWindow();
    return;
  }
  retire(databaseVE_);
  databaseVE_ = new DatabaseVE(e_, {[this] { showAbout(); }, [this] { showComingUp(); }});
  databaseVE_->show();
}

void EditorWindows::showAbout() {
  delete splash_.data();
  splash_ = new Splash;
  splash_->show();
}

void EditorWindows::showComingUp() {
  delete comingSplash_.data();
  comingSplash_ = new ComingSplash;
  comingSplash_->show();
}

}  // namespace parlomat::editors
