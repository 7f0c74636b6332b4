#pragma once
// Modal boxes on Qt Widgets: QMessageBox, QInputDialog and QFileDialog. Texts cross as Latin-1;
// a typed text that does not fit is refused with a message and counts as a cancel.
#include "platform/Dialogs.h"

class QWidget;

namespace parlomat {

class QtDialogs : public Dialogs {
 public:
  // The window the boxes are centred on; none makes them modal to the whole program.
  void setParentWindow(QWidget* parent) { parent_ = parent; }

  Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                    Icon icon) override;
  std::string inputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  std::string openFile(const std::string& title, const std::string& fileName,
                       const std::string& filter) override;

 private:
  QWidget* parent_ = nullptr;
};

}  // namespace parlomat
