#include "editors/EditorPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace parlomat::editors {

namespace {

const QColor kInk(30, 30, 40);
const QColor kGreen(20, 170, 60);
const QColor kBlue(40, 100, 210);

// Everything is drawn on a 100 x 100 grid scaled into the target.
void toGrid(QPainter& p, const QRectF& r) {
  p.translate(r.topLeft());
  p.scale(r.width() / 100.0, r.height() / 100.0);
  p.setRenderHint(QPainter::Antialiasing);
}

void plus(QPainter& p, QPointF c, double arm, QColor colour) {
  p.setPen(QPen(colour, arm / 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(c.x() - arm, c.y()), QPointF(c.x() + arm, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - arm), QPointF(c.x(), c.y() + arm));
}

void page(QPainter& p, QRectF r) {
  QPainterPath path;
  path.moveTo(r.topLeft());
  path.lineTo(r.right() - 14, r.top());
  path.lineTo(r.right(), r.top() + 14);
  path.lineTo(r.bottomRight());
  path.lineTo(r.bottomLeft());
  path.closeSubpath();
  p.setPen(QPen(kInk, 3));
  p.setBrush(Qt::white);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - 14, r.top()), QPointF(r.right() - 14, r.top() + 14));
  p.drawLine(QPointF(r.right() - 14, r.top() + 14), QPointF(r.right(), r.top() + 14));
}

void arrow(QPainter& p, bool right, QColor colour) {
  QPolygonF shape;
  shape << QPointF(12, 38) << QPointF(52, 38) << QPointF(52, 16) << QPointF(90, 50)
        << QPointF(52, 84) << QPointF(52, 62) << QPointF(12, 62);
  if (!right) {
    for (QPointF& pt : shape) pt.setX(100 - pt.x());
  }
  QLinearGradient g(0, 16, 0, 84);
  g.setColorAt(0, colour.lighter(140));
  g.setColorAt(1, colour.darker(120));
  p.setPen(QPen(colour.darker(160), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(g);
  p.drawPolygon(shape);
}

void folder(QPainter& p) {
  p.setPen(QPen(QColor(120, 80, 10), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(235, 185, 60));
  QPainterPath back;
  back.moveTo(10, 24);
  back.lineTo(38, 24);
  back.lineTo(46, 32);
  back.lineTo(88, 32);
  back.lineTo(88, 82);
  back.lineTo(10, 82);
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(22, 20, 48, 40));
  p.setBrush(QColor(250, 205, 90));
  QPolygonF front;
  front << QPointF(10, 82) << QPointF(22, 44) << QPointF(96, 44) << QPointF(88, 82);
  p.drawPolygon(front);
}

void disk(QPainter& p, QColor body) {
  p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(body);
  QPainterPath d;
  d.moveTo(14, 12);
  d.lineTo(76, 12);
  d.lineTo(88, 24);
  d.lineTo(88, 88);
  d.lineTo(14, 88);
  d.closeSubpath();
  p.drawPath(d);
  p.setBrush(QColor(225, 225, 230));
  p.drawRect(QRectF(28, 12, 40, 24));
  p.setBrush(kInk);
  p.drawRect(QRectF(54, 16, 8, 16));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(24, 52, 54, 36));
  p.setPen(QPen(QColor(150, 150, 160), 2));
  for (int y = 62; y <= 80; y += 9) p.drawLine(QPointF(30, y), QPointF(72, y));
}

void door(QPainter& p, bool pressed) {
  const double shift = pressed ? 3 : 0;
  p.translate(shift, shift);
  p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(pressed ? QColor(150, 90, 50) : QColor(185, 120, 70));
  p.drawRect(QRectF(14, 10, 44, 80));
  p.setBrush(QColor(250, 220, 120));
  p.drawEllipse(QPointF(48, 52), 4, 4);
  QPolygonF a;
  a << QPointF(44, 44) << QPointF(70, 44) << QPointF(70, 32) << QPointF(94, 52) << QPointF(70, 72)
    << QPointF(70, 60) << QPointF(44, 60);
  p.setPen(QPen(QColor(150, 20, 20), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(pressed ? QColor(170, 30, 30) : QColor(225, 50, 50));
  p.drawPolygon(a);
}

void listLines(QPainter& p) {
  p.setPen(QPen(kInk, 3));
  p.setBrush(QColor(10, 10, 10));
  p.drawRoundedRect(QRectF(8, 14, 62, 72), 6, 6);
  p.setPen(QPen(QColor(0, 230, 0), 5, Qt::SolidLine, Qt::RoundCap));
  for (int y = 30; y <= 70; y += 14) p.drawLine(QPointF(18, y), QPointF(58, y));
}

void pencil(QPainter& p) {
  p.save();
  p.translate(50, 50);
  p.rotate(-45);
  p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(245, 200, 40));
  p.drawRect(QRectF(-26, -9, 46, 18));
  p.setBrush(QColor(240, 150, 160));
  p.drawRect(QRectF(20, -9, 12, 18));
  p.setBrush(QColor(240, 215, 170));
  QPolygonF tip;
  tip << QPointF(-26, -9) << QPointF(-44, 0) << QPointF(-26, 9);
  p.drawPolygon(tip);
  p.restore();
}

void microphone(QPainter& p) {
  p.setPen(QPen(QColor(200, 210, 230), 4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(QColor(90, 110, 150));
  p.drawRoundedRect(QRectF(38, 10, 24, 46), 12, 12);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(28, 26, 44, 44), 180 * 16, 180 * 16);
  p.drawLine(QPointF(50, 70), QPointF(50, 84));
  p.drawLine(QPointF(38, 86), QPointF(62, 86));
  p.setPen(QPen(QColor(90, 220, 120), 4, Qt::SolidLine, Qt::RoundCap));
  for (int k = 0; k < 3; ++k) {
    const double r = 14 + 9 * k;
    p.drawArc(QRectF(70 - r, 33 - r, 2 * r, 2 * r), -40 * 16, 80 * 16);
    p.drawArc(QRectF(30 - r, 33 - r, 2 * r, 2 * r), 140 * 16, 80 * 16);
  }
}

void upgrade(QPainter& p) {
  p.setPen(QPen(QColor(200, 210, 230), 3));
  const QColor bars[] = {QColor(60, 120, 220), QColor(70, 170, 200), QColor(80, 200, 140)};
  for (int k = 0; k < 3; ++k) {
    p.setBrush(bars[k]);
    const double h = 22 + 20 * k;
    p.drawRect(QRectF(14 + 26 * k, 90 - h, 18, h));
  }
  QPolygonF a;
  a << QPointF(12, 52) << QPointF(66, 18) << QPointF(60, 10) << QPointF(90, 8) << QPointF(78, 36)
    << QPointF(72, 28) << QPointF(18, 62);
  p.setPen(QPen(QColor(150, 90, 10), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(250, 190, 50));
  p.drawPolygon(a);
}

}  // namespace

void paintPicture(QPainter& painter, const QRectF& r, Picture pic) {
  painter.save();
  toGrid(painter, r);
  switch (pic) {
    case Picture::Open:
      folder(painter);
      break;
    case Picture::NewRecord:
      page(painter, QRectF(18, 8, 58, 80));
      plus(painter, QPointF(70, 74), 14, kGreen);
      break;
    case Picture::Exit:
    case Picture::ExitPressed:
      door(painter, pic == Picture::ExitPressed);
      break;
    case Picture::Add:
      page(painter, QRectF(26, 20, 52, 70));
      page(painter, QRectF(16, 10, 52, 70));
      plus(painter, QPointF(72, 72), 15, kGreen);
      break;
    case Picture::Resave:
      disk(painter, kBlue);
      break;
    case Picture::Next:
      arrow(painter, true, kGreen);
      break;
    case Picture::Previous:
      arrow(painter, false, kGreen);
      break;
    case Picture::AddProtocol:
      listLines(painter);
      plus(painter, QPointF(76, 70), 15, kGreen);
      break;
    case Picture::EditProtocol:
      listLines(painter);
      painter.translate(18, 12);
      painter.scale(0.8, 0.8);
      pencil(painter);
      break;
    case Picture::Listening:
      microphone(painter);
      break;
    case Picture::Upgrade:
      upgrade(painter);
      break;
  }
  painter.restore();
}

QIcon pictureIcon(Picture pic, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  paintPicture(p, QRectF(0, 0, size, size), pic);
  p.end();
  return QIcon(pixmap);
}

void paintVocabularyBackground(QPainter& p, const QRectF& r) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(r.topLeft(), r.bottomRight());
  sky.setColorAt(0, QColor(14, 30, 66));
  sky.setColorAt(1, QColor(34, 76, 120));
  p.fillRect(r, sky);
  // A few sound waves across the window, stretched with it.
  for (int k = 0; k < 4; ++k) {
    QPainterPath wave;
    const double mid = r.top() + r.height() * (0.3 + 0.14 * k);
    const double amp = r.height() * (0.05 + 0.02 * k);
    wave.moveTo(r.left(), mid);
    for (int i = 1; i <= 200; ++i) {
      const double x = r.left() + r.width() * i / 200.0;
      const double y = mid + amp * std::sin(i * (0.09 + 0.03 * k)) * std::sin(i * 0.015 + k);
      wave.lineTo(x, y);
    }
    p.setPen(QPen(QColor(90, 170 + 20 * k, 230, 110), 2));
    p.drawPath(wave);
  }
  p.restore();
}

}  // namespace parlomat::editors
