#pragma once
// A small window of fixed text and a picture that closes on any click or key press: the about
// and information windows of the hosts. It deletes itself when closed.
#include <QString>
#include <QWidget>
#include <functional>

class QPainter;

namespace parlomat::hosts {

class InfoWindow : public QWidget {
  Q_OBJECT

 public:
  using Picture = std::function<void(QPainter&, const QRect&)>;

  // `heading` in large type, then `body` (plain text, lines separated by '\n').
  InfoWindow(const QString& name, const QString& title, const QString& heading, const QString& body,
             Picture picture, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString heading_;
  QString body_;
  Picture picture_;
};

}  // namespace parlomat::hosts
