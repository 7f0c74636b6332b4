#include "editors/ShapeFrame.h"

#include <QPainter>

namespace parlomat::editors {

namespace {
constexpr int kBorder = 3;
}

ShapeFrame::ShapeFrame(QWidget* parent) : QWidget(parent) {}

void ShapeFrame::setBorderColour(QColor c) {
  colour_ = c;
  update();
}

void ShapeFrame::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QPen(colour_, kBorder));
  p.setBrush(Qt::NoBrush);
  const double half = kBorder / 2.0;
  p.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

}  // namespace parlomat::editors
