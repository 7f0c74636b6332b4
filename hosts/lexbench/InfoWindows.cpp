// The about window Splash and the information window ComingSplash: fixed text and pictures.
#include <QPainter>

#include "hosts/common/InfoWindow.h"
#include "hosts/lexbench/LexbenchWindow.h"

namespace parlomat::lexbench {

namespace {

// A microphone sending out sound waves.
void drawSpeaking(QPainter& p, const QRect& r) {
  p.setRenderHint(QPainter::Antialiasing);
  const QColor light(220, 220, 220);
  const double cx = r.left() + r.width() * 0.32;
  const double top = r.top() + r.height() * 0.12;
  p.setPen(Qt::NoPen);
  p.setBrush(light);
  p.drawRoundedRect(QRectF(cx - 14, top, 28, 52), 14, 14);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(light, 4, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(cx - 24, top + 16, 48, 48), 180 * 16, 180 * 16);
  p.drawLine(QPointF(cx, top + 64), QPointF(cx, top + 86));
  p.drawLine(QPointF(cx - 18, top + 88), QPointF(cx + 18, top + 88));
  p.setPen(QPen(QColor(60, 200, 90), 4, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 3; ++i) {
    const double d = 22 + 16 * i;
    p.drawArc(QRectF(cx - d, top + 26 - d, 2 * d, 2 * d), -40 * 16, 80 * 16);
  }
}

// Bars rising to an arrow: what is coming.
void drawRising(QPainter& p, const QRect& r) {
  p.setRenderHint(QPainter::Antialiasing);
  const double base = r.bottom() - 10;
  const double w = r.width() / 6.0;
  const QColor bars[] = {QColor(60, 110, 220), QColor(60, 160, 220), QColor(60, 200, 150),
                         QColor(60, 200, 90)};
  for (int i = 0; i < 4; ++i) {
    const double h = r.height() * (0.2 + 0.16 * i);
    p.fillRect(QRectF(r.left() + 10 + i * (w + 4), base - h, w, h), bars[i]);
  }
  p.setPen(QPen(QColor(240, 200, 60), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const QPointF a(r.left() + 12, base - r.height() * 0.35);
  const QPointF b(r.right() - 12, r.top() + 14);
  p.drawLine(a, b);
  p.drawLine(b, b + QPointF(-20, 2));
  p.drawLine(b, b + QPointF(-4, 19));
}

}  // namespace

QWidget* makeSplash() {
  return new hosts::InfoWindow(
      QStringLiteral("Splash"), QStringLiteral("About Lexbench"), QStringLiteral("Lexbench"),
      QStringLiteral("The development program of Parlomat, the speech recogniser you train with "
                     "your own voice.\n\nSet up and try vocabulary (*.SAY) and language (*.Lang) "
                     "files: every setting is on the menus and is kept in UserSettings.Vset."
                     "\n\nVersion 0.1"),
      drawSpeaking);
}

QWidget* makeComingSplash() {
  return new hosts::InfoWindow(QStringLiteral("ComingSplash"),
                               QStringLiteral("Coming Parlomat Upgradations"),
                               QStringLiteral("Coming up"),
                               QStringLiteral("Planned for the next versions of Parlomat:\n\n"
                                              "- more vocabulary files matched at once\n"
                                              "- language protocols suggested from your own takes\n"
                                              "- longer phrases spoken without a pause\n\n"
                                              "Thank you for trying Lexbench."),
                               drawRising);
}

}  // namespace parlomat::lexbench
