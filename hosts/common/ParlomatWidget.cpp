#include "hosts/common/ParlomatWidget.h"

#include <QPainter>
#include <QPainterPath>

namespace parlomat::hosts {

ParlomatWidget::ParlomatWidget(ComponentRegistry& registry, QWidget* parent)
    : QWidget(parent), control_(registry.create(kProgId)) {
  setFixedSize(kWidth, kHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

ParlomatWidget::~ParlomatWidget() = default;

namespace {

// A microphone on its stand, inside `r`.
void drawMicrophone(QPainter& p, const QRectF& r) {
  const QColor body(210, 210, 210);
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  const double w = r.width() * 0.42;
  const QRectF head(r.center().x() - w / 2, r.top(), w, r.height() * 0.58);
  p.drawRoundedRect(head, w / 2, w / 2);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(body, 2));
  const QRectF cup(r.left() + r.width() * 0.14, r.top() + r.height() * 0.18, r.width() * 0.72,
                   r.height() * 0.56);
  p.drawArc(cup, 180 * 16, 180 * 16);
  const double x = r.center().x();
  p.drawLine(QPointF(x, cup.bottom()), QPointF(x, r.bottom() - 2));
  p.drawLine(QPointF(x - w * 0.8, r.bottom() - 1), QPointF(x + w * 0.8, r.bottom() - 1));
}

// A burst of speech as a waveform, inside `r`.
void drawWave(QPainter& p, const QRectF& r) {
  static const double kHeights[] = {0.1, 0.25, 0.55, 0.9, 0.7, 1.0, 0.6, 0.35, 0.8, 0.45, 0.2, 0.1};
  const int n = static_cast<int>(std::size(kHeights));
  p.setPen(QPen(QColor(60, 200, 90), 2, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < n; ++i) {
    const double x = r.left() + (i + 0.5) * r.width() / n;
    const double h = kHeights[i] * r.height() / 2;
    p.drawLine(QPointF(x, r.center().y() - h), QPointF(x, r.center().y() + h));
  }
}

}  // namespace

void ParlomatWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::black);
  p.setPen(QPen(QColor(40, 80, 230), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));

  QFont small = font();
  small.setPixelSize(10);
  p.setFont(small);
  p.setPen(QColor(200, 200, 200));
  const QString caption = QStringLiteral("Speech recognition opened up");
  p.drawText(QRect(3, 3, width() - 6, 14), Qt::AlignCenter, caption);
  p.drawText(QRect(3, height() - 17, width() - 6, 14), Qt::AlignCenter, caption);

  drawMicrophone(p, QRectF(10, 22, 28, 52));
  drawWave(p, QRectF(width() - 42, 28, 32, 40));

  QFont bold = font();
  bold.setPixelSize(11);
  bold.setBold(true);
  p.setFont(bold);
  p.setPen(Qt::white);
  p.drawText(QRect(42, 20, width() - 88, 58), Qt::AlignCenter | Qt::TextWordWrap,
             QStringLiteral("Software Component"));
}

}  // namespace parlomat::hosts
