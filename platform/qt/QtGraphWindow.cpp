#include "platform/qt/QtGraphWindow.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWidget>

#include "platform/qt/QtSystemColours.h"
#include "platform/qt/QtText.h"

namespace parlomat {

namespace {
const QColor kBackground(0, 0, 0);
const QColor kForeground(255, 0, 0);
}  // namespace

class QtGraphWindow::Form : public QWidget {
 public:
  Form()
      : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Graph"));
    setWindowTitle(QStringLiteral("Parlomat Audio Graph Version 1.0 "));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    pal.setColor(QPalette::WindowText, kForeground);
    setPalette(pal);
    font.setFamily(QStringLiteral("Small Fonts"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(4.8);
    resize(kWidth, kHeight);
    move(kLeft, kTop);
    wipe();
  }

  void wipe() {
    canvas = QPixmap(size());
    canvas.fill(kBackground);
    update();
  }

  QPixmap canvas;
  QFont font;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter p(this);
    p.fillRect(event->rect(), kBackground);
    p.drawPixmap(event->rect(), canvas, event->rect());
  }

  void resizeEvent(QResizeEvent* event) override {
    // Grow the canvas to the window, keeping what is drawn where it is.
    const QSize wanted = canvas.size().expandedTo(event->size());
    if (wanted != canvas.size()) {
      QPixmap larger(wanted);
      larger.fill(kBackground);
      QPainter(&larger).drawPixmap(0, 0, canvas);
      canvas = larger;
    }
    QWidget::resizeEvent(event);
  }
};

QtGraphWindow::QtGraphWindow() = default;
QtGraphWindow::~QtGraphWindow() = default;

QtGraphWindow::Form& QtGraphWindow::form() {
  if (!form_) form_ = std::make_unique<Form>();
  return *form_;
}

QWidget* QtGraphWindow::window() const {
  return form_.get();
}

QImage QtGraphWindow::canvas() const {
  if (!form_) return {};
  return form_->canvas.copy(form_->rect()).toImage();
}

void QtGraphWindow::show() {
  Form& f = form();
  if (!f.isVisible()) f.show();
}

void QtGraphWindow::clear() {
  form().wipe();
  currentX_ = 0;
  currentY_ = 0;
}

void QtGraphWindow::setScale(double left, double top, double right, double bottom) {
  scale_ = QRectF(left, top, right - left, bottom - top);
  // A scale without extent would divide by zero: it falls back to pixels.
  scaled_ = scale_.width() != 0 && scale_.height() != 0;
}

QPointF QtGraphWindow::toPixels(double x, double y) const {
  if (!scaled_ || !form_) return {x, y};
  return {(x - scale_.left()) / scale_.width() * form_->width(),
          (y - scale_.top()) / scale_.height() * form_->height()};
}

void QtGraphWindow::box(double x1, double y1, double x2, double y2, int32_t colour) {
  Form& f = form();
  {
    QPainter p(&f.canvas);
    p.setPen(toQColor(colour));
    p.setBrush(toQColor(colour));
    p.drawRect(QRectF(toPixels(x1, y1), toPixels(x2, y2)).normalized());
  }
  currentX_ = x2;
  currentY_ = y2;
  f.update();
}

void QtGraphWindow::point(double x, double y, int32_t colour) {
  Form& f = form();
  {
    QPainter p(&f.canvas);
    p.setPen(toQColor(colour));
    p.drawPoint(toPixels(x, y));
  }
  currentX_ = x;
  currentY_ = y;
  f.update();
}

void QtGraphWindow::lineTo(double x, double y, int32_t colour) {
  Form& f = form();
  {
    QPainter p(&f.canvas);
    p.setPen(toQColor(colour));
    p.drawLine(toPixels(currentX_, currentY_), toPixels(x, y));
  }
  currentX_ = x;
  currentY_ = y;
  f.update();
}

void QtGraphWindow::print(const std::string& text) {
  Form& f = form();
  const QPointF at = toPixels(currentX_, currentY_);
  const QFontMetricsF metrics(f.font, &f.canvas);
  {
    QPainter p(&f.canvas);
    p.setFont(f.font);
    p.setPen(kForeground);
    p.drawText(QPointF(at.x(), at.y() + metrics.ascent()), qt::fromLatin1(text));
  }
  // The next line starts at the left edge, one line lower.
  const double unitsPerPixel = scaled_ && f.height() > 0 ? scale_.height() / f.height() : 1.0;
  currentX_ = scaled_ ? scale_.left() : 0;
  currentY_ += metrics.height() * unitsPerPixel;
  f.update();
}

void QtGraphWindow::close() {
  if (!form_) return;
  form_->hide();
  form_->wipe();
  scaled_ = false;
  currentX_ = 0;
  currentY_ = 0;
}

bool QtGraphWindow::isOpen() const {
  return form_ && form_->isVisible();
}

}  // namespace parlomat
