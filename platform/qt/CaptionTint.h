#pragma once
// A 4-pixel strip along the top of a window in the active caption colour, shown while that
// colour differs from the one seeded at start (so the listening colour is visible in our own
// windows). Install it with `new CaptionTint(window, colours)`; the window owns it.
#include <QObject>

class QWidget;

namespace parlomat {

class QtSystemColours;

class CaptionTint : public QObject {
  Q_OBJECT

 public:
  static constexpr int kHeight = 4;
  CaptionTint(QWidget* window, QtSystemColours& colours);

  // The strip, for hosts that want to restyle it.
  QWidget* strip() const { return strip_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void refresh();
  void place();

  QWidget* window_;
  QWidget* strip_;
  QtSystemColours& colours_;
};

}  // namespace parlomat
