#include "platform/qt/QtStatusWindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <functional>

#include "platform/qt/QtText.h"

namespace parlomat {

namespace {

// A picture that reports a click.
class ClickablePicture : public QLabel {
 public:
  ClickablePicture(QWidget* parent, std::function<void()> clicked)
      : QLabel(parent), clicked_(std::move(clicked)) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    event->accept();
    clicked_();
  }

 private:
  std::function<void()> clicked_;
};

void drawMicrophone(QPainter& p) {
  const QColor green(0, 190, 40);
  const QColor dark(0, 90, 20);
  p.setPen(QPen(dark, 1.5));
  p.setBrush(green);
  p.drawRoundedRect(QRectF(14, 7, 12, 24), 6, 6);
  // The holder: a U around the lower half of the head, a stem and a foot.
  p.setPen(QPen(green, 3, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(9, 15, 22, 22), 180 * 16, 180 * 16);
  p.drawLine(QPointF(20, 37), QPointF(20, 44));
  p.drawLine(QPointF(13, 46), QPointF(27, 46));
}

void drawPause(QPainter& p) {
  const QColor grey(170, 170, 170);
  p.setPen(QPen(QColor(90, 90, 90), 1.5));
  p.setBrush(grey);
  p.drawRoundedRect(QRectF(11, 14, 7, 27), 2, 2);
  p.drawRoundedRect(QRectF(22, 14, 7, 27), 2, 2);
}

}  // namespace

class QtStatusWindow::Form : public QWidget {
 public:
  Form() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("StatusBar"));
    setWindowTitle(qt::programTitle());
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 0, 0));
    setPalette(pal);
    setAutoFillBackground(true);
    setFixedSize(kWidth, kHeight);
    move(kLeft, kTop);

    image1 = new ClickablePicture(this, [this] { closeForm(); });
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(0, 0, kWidth, kHeight);
    image1->setAlignment(Qt::AlignCenter);
    image2 = new QLabel(this);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setPixmap(builtInPicture(Picture::Listening));
    image2->hide();
    image3 = new QLabel(this);
    image3->setObjectName(QStringLiteral("Image3"));
    image3->setPixmap(builtInPicture(Picture::Stopped));
    image3->hide();
  }

  // Closing unloads the picture too: a reopened window starts blank until it is given one.
  void closeForm() {
    hide();
    image1->clear();
  }

  QLabel* image1;
  QLabel* image2;
  QLabel* image3;
};

QtStatusWindow::QtStatusWindow() = default;
QtStatusWindow::~QtStatusWindow() = default;

QtStatusWindow::Form& QtStatusWindow::form() {
  if (!form_) form_ = std::make_unique<Form>();
  return *form_;
}

QWidget* QtStatusWindow::window() const {
  return form_.get();
}

void QtStatusWindow::show() {
  Form& f = form();
  if (!f.isVisible()) {
    f.move(kLeft, kTop);
    f.show();
  }
}

void QtStatusWindow::showBuiltIn(Picture p) {
  Form& f = form();
  f.image1->setPixmap((p == Picture::Listening ? f.image2 : f.image3)->pixmap());
}

bool QtStatusWindow::showFile(const std::string& path) {
  QPixmap picture;
  if (path.empty() || !picture.load(qt::fromPath(path))) return false;
  Form& f = form();
  if (picture.width() > kWidth || picture.height() > kHeight) {
    picture = picture.scaled(kWidth, kHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  f.image1->setPixmap(picture);
  return true;
}

void QtStatusWindow::close() {
  if (form_) form_->closeForm();
}

bool QtStatusWindow::isOpen() const {
  return form_ && form_->isVisible();
}

QPixmap QtStatusWindow::builtInPicture(Picture p) {
  QPixmap picture(kWidth, kHeight);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  if (p == Picture::Listening) {
    drawMicrophone(painter);
  } else {
    drawPause(painter);
  }
  return picture;
}

}  // namespace parlomat
