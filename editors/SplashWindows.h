#pragma once
// The control library's information windows: `Splash`, shown before the Vocabulary Editor and by
// its About item, and `ComingSplash`, about coming upgrades. Each shows fixed text and a picture
// and closes on any click or key press; it deletes itself when closed.
#include <QWidget>
#include <functional>

#include "editors/EditorPictures.h"

namespace parlomat::editors {

// A window of fixed text and a picture that closes on any click or key press; the programs' about
// windows are made of it too. `title` names a framed window; without one it has no frame.
class InfoSplash : public QWidget {
 public:
  InfoSplash(const QString& name, const QString& heading, const QString& body, Picture picture,
             const QString& title = {}, QWidget* parent = nullptr);
  // Runs once the window has closed.
  std::function<void()> onClosed;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QString heading_;
  QString body_;
  Picture picture_;
};

class Splash : public InfoSplash {
 public:
  Splash();
};

class ComingSplash : public InfoSplash {
 public:
  ComingSplash();
};

}  // namespace parlomat::editors
