#include "platform/qt/CaptionTint.h"

#include <QEvent>
#include <QWidget>

#include "platform/qt/QtSystemColours.h"

namespace parlomat {

CaptionTint::CaptionTint(QWidget* window, QtSystemColours& colours)
    : QObject(window), window_(window), strip_(new QWidget(window)), colours_(colours) {
  strip_->setObjectName(QStringLiteral("captionTint"));
  strip_->setAttribute(Qt::WA_TransparentForMouseEvents);
  strip_->setAutoFillBackground(true);
  window_->installEventFilter(this);
  connect(&colours, &QtSystemColours::colourChanged, this, [this](int index) {
    if (index == MemorySystemColours::kActiveCaption) refresh();
  });
  place();
  refresh();
}

bool CaptionTint::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_) {
    // Children added later (a layout filling the window) must not cover the strip.
    if (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded) place();
  }
  return QObject::eventFilter(watched, event);
}

void CaptionTint::place() {
  strip_->setGeometry(0, 0, window_->width(), kHeight);
  strip_->raise();
}

void CaptionTint::refresh() {
  int32_t now = colours_.GetSysColor(MemorySystemColours::kActiveCaption);
  QPalette p = strip_->palette();
  p.setColor(QPalette::Window, toQColor(now));
  strip_->setPalette(p);
  strip_->setVisible(now != colours_.seeded(MemorySystemColours::kActiveCaption));
}

}  // namespace parlomat
