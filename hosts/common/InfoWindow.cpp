#include "hosts/common/InfoWindow.h"

#include <QPainter>

namespace parlomat::hosts {

namespace {
constexpr int kWidth = 440;
constexpr int kHeight = 250;
constexpr int kPicture = 120;
}  // namespace

InfoWindow::InfoWindow(const QString& name, const QString& title, const QString& heading,
                       const QString& body, Picture picture, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      heading_(heading),
      body_(body),
      picture_(std::move(picture)) {
  setObjectName(name);
  setWindowTitle(title);
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kWidth, kHeight);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void InfoWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), QColor(16, 24, 48));
  p.setPen(QPen(QColor(40, 80, 230), 3));
  p.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
  if (picture_) {
    p.save();
    picture_(p, QRect(18, (kHeight - kPicture) / 2 - 10, kPicture, kPicture));
    p.restore();
  }
  const QRect text(kPicture + 36, 18, kWidth - kPicture - 54, kHeight - 36);
  QFont big = font();
  big.setPixelSize(20);
  big.setBold(true);
  p.setFont(big);
  p.setPen(Qt::white);
  QRect used;
  p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, heading_, &used);
  QFont normal = font();
  normal.setPixelSize(12);
  p.setFont(normal);
  p.setPen(QColor(210, 210, 210));
  p.drawText(text.adjusted(0, used.height() + 10, 0, 0),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, body_);
  p.setPen(QColor(140, 150, 170));
  p.drawText(QRect(0, kHeight - 24, kWidth - 12, 18), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("Click or press any key to close"));
}

void InfoWindow::mousePressEvent(QMouseEvent*) {
  close();
}

void InfoWindow::keyPressEvent(QKeyEvent*) {
  close();
}

}  // namespace parlomat::hosts
