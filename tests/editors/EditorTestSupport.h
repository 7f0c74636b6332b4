#pragma once
// The editor windows on the simulated platform: the real engine and control state, Qt windows on
// the offscreen platform, every box answered by the scripted dialogs (an unexpected one fails the
// test). Record files are built by the test and read back whole.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "editors/EditorWindows.h"
#include "matching/LanguageRecord.h"
#include "matching/VocabularyRecord.h"
#include "support/TestSupport.h"

namespace parlomat::testing {

using Protocols = std::vector<std::pair<std::string, int16_t>>;

LanguageRecord languageRecord(int32_t refNo, const std::string& name, const std::string& font,
                              int16_t divisions, int32_t time, const Protocols& protocols);
VocabularyRecord vocabularyRecord(int32_t refNo, const std::string& name, int valleys);

void writeLanguageFile(const std::string& path, const std::vector<LanguageRecord>& records);
void writeVocabularyFile(const std::string& path, const std::vector<VocabularyRecord>& records);
std::vector<LanguageRecord> readLanguageFile(const std::string& path);
std::vector<VocabularyRecord> readVocabularyFile(const std::string& path);

// The file holds exactly these records, byte for byte; a difference names the record.
void expectLanguageFile(const std::string& path, const std::vector<LanguageRecord>& records);
void expectVocabularyFile(const std::string& path, const std::vector<VocabularyRecord>& records);

class EditorFixture : public SimFixture {
 protected:
  EditorFixture();
  ~EditorFixture() override;

  ControlState& s() { return engine->state; }
  QWidget* languageEditor() const;
  QWidget* vocabularyEditor() const;

  template <typename W>
  W* child(QWidget* window, const std::string& name) const {
    W* w = window ? window->findChild<W*>(QString::fromStdString(name)) : nullptr;
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  // Chooses a menu item as the user does: it and every menu above it must be shown and enabled.
  void trigger(QWidget* window, const std::string& item);
  // True when the user can reach the menu item (shown and enabled, with every menu above it).
  bool reachable(QWidget* window, const std::string& item) const;
  // Clicks a button as the user does; it must be shown and enabled.
  void click(QWidget* window, const std::string& button);
  // Types into a line edit at the end of its text, or replacing it all with `replace`.
  void type(QLineEdit* edit, const std::string& text, bool replace = true);
  // Chooses line `index` of a combo box as the user does.
  void choose(QComboBox* combo, int index);
  std::vector<std::string> items(QComboBox* combo) const;
  std::string text(QWidget* window, const std::string& name) const;

  // The boxes shown since the last call, as "title|text|buttons|icon" (input boxes:
  // "input|title|prompt|default", file dialogs: "file|title|name|filter").
  std::vector<std::string> boxes();

  editors::EditorWindows windows;
};

}  // namespace parlomat::testing
