#include "editors/SplashWindows.h"

#include <QCloseEvent>
#include <QPainter>

namespace parlomat::editors {

namespace {
constexpr int kWidth = 460;
constexpr int kHeight = 240;
constexpr int kPicture = 130;
}  // namespace

InfoSplash::InfoSplash(const QString& name, const QString& heading, const QString& body,
                       Picture picture, const QString& title, QWidget* parent)
    : QWidget(parent, title.isEmpty() ? Qt::Window | Qt::FramelessWindowHint
                                      : Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                            Qt::WindowCloseButtonHint),
      heading_(heading),
      body_(body),
      picture_(picture) {
  setObjectName(name);
  setWindowTitle(title.isEmpty() ? heading : title);
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kWidth, kHeight);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void InfoSplash::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Keys go to the window at once, so any key closes it.
  activateWindow();
  setFocus();
}

void InfoSplash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, kHeight);
  g.setColorAt(0, QColor(18, 36, 74));
  g.setColorAt(1, QColor(8, 16, 34));
  p.fillRect(rect(), g);
  p.setPen(QPen(QColor(0, 200, 70), 3));
  p.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
  paintPicture(p, QRectF(20, (kHeight - kPicture) / 2.0 - 8, kPicture, kPicture), picture_);
  const QRect text(kPicture + 40, 22, kWidth - kPicture - 60, kHeight - 44);
  QFont big = font();
  big.setPixelSize(21);
  big.setBold(true);
  p.setFont(big);
  p.setPen(Qt::white);
  QRect used;
  p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, heading_, &used);
  QFont normal = font();
  normal.setPixelSize(13);
  p.setFont(normal);
  p.setPen(QColor(215, 222, 235));
  p.drawText(text.adjusted(0, used.height() + 12, 0, 0),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, body_);
  QFont small = font();
  small.setPixelSize(11);
  p.setFont(small);
  p.setPen(QColor(140, 200, 150));
  p.drawText(QRect(0, kHeight - 26, kWidth - 14, 18), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("Click or press any key"));
}

void InfoSplash::mousePressEvent(QMouseEvent*) {
  close();
}

void InfoSplash::keyPressEvent(QKeyEvent*) {
  close();
}

void InfoSplash::closeEvent(QCloseEvent* event) {
  event->accept();
  // Taken out first: the window is deleted soon after, and the hand-off may open another window.
  if (auto then = std::exchange(onClosed, nullptr)) then();
}

Splash::Splash()
    : InfoSplash(QStringLiteral("Splash"), QStringLiteral("Parlomat Vocabulary Editor"),
                 QStringLiteral("Browse the trained characters of a vocabulary file (*.SAY), "
                                "find them by number or by name, give them new names or blank "
                                "them.\n\nParlomat speech recognition, trained by your own "
                                "voice."),
                 Picture::Listening) {}

ComingSplash::ComingSplash()
    : InfoSplash(QStringLiteral("ComingSplash"), QStringLiteral("Coming up in Parlomat"),
                 QStringLiteral("Thank you for using the Parlomat Vocabulary Editor.\n\nNew "
                                "upgrades of Parlomat are on their way; watch for them."),
                 Picture::Upgrade) {}

}  // namespace parlomat::editors
