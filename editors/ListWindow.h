#pragma once
// The small list window of an editor: one combo box `Combo1` of record lines. Lines accumulate
// until the window is closed; choosing a line hands it to the editor, and closing the window
// brings the editor forward.
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QComboBox;

namespace parlomat::editors {

class ListWindow : public QWidget {
 public:
  // `editor` owns the window and is brought forward when it closes.
  ListWindow(const QString& name, const QString& caption, QWidget* editor);

  void appendLine(const std::string& line);
  void clearLines();
  std::vector<std::string> lines() const;
  QComboBox* list() const { return combo_; }
  // Closes the window with its lines without bringing the editor forward (the editor is closing).
  void dismiss();

  // The line the user chose, as Latin-1 bytes.
  std::function<void(const std::string& line)> onChosen;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Room above the list for what a subclass prints there.
  void setTopMargin(int pixels);

 private:
  QWidget* editor_;
  QComboBox* combo_;
  bool dismissing_ = false;
};

}  // namespace parlomat::editors
