#pragma once
// The status window `StatusBar` on Qt Widgets: a small borderless red window near the top left
// corner of the screen, without a taskbar entry, whose picture `Image1` fills it. `Image2` and
// `Image3` hold the built-in listening and stopped pictures. A click on the picture closes the
// window; the next show opens it again. Showing it never takes the focus from the user's window.
#include <QPixmap>
#include <memory>

#include "platform/Windows.h"

class QLabel;
class QWidget;

namespace parlomat {

class QtStatusWindow : public StatusWindow {
 public:
  static constexpr int kWidth = 40;
  static constexpr int kHeight = 55;
  static constexpr int kLeft = -2;
  static constexpr int kTop = 2;

  QtStatusWindow();
  ~QtStatusWindow() override;

  void show() override;
  void showBuiltIn(Picture p) override;
  // Loads the file with QPixmap, scaled to fit the window; false when it cannot be loaded.
  bool showFile(const std::string& path) override;
  void close() override;
  bool isOpen() const override;

  // The form, created on first use (nullptr before).
  QWidget* window() const;
  // The built-in pictures, drawn on a transparent ground of the window's size.
  static QPixmap builtInPicture(Picture p);

 private:
  class Form;
  Form& form();

  std::unique_ptr<Form> form_;
};

}  // namespace parlomat
