#pragma once
// The audio graph `Graph` on Qt Widgets: a sizable tool window, black, on which the analysis
// draws in a user scale. Everything is drawn into a pixmap that the window paints from, so the
// drawing survives repaints, resizing (the pixmap grows, nothing is scaled) and being covered.
// Drawing on a closed graph loads it without showing it; closing wipes it, as a reload would.
#include <QFont>
#include <QPixmap>
#include <QPointF>
#include <QRectF>
#include <memory>

#include "platform/Windows.h"

class QWidget;

namespace parlomat {

class QtGraphWindow : public GraphWindow {
 public:
  static constexpr int kWidth = 318;
  static constexpr int kHeight = 56;
  static constexpr int kLeft = 19;
  static constexpr int kTop = 400;

  QtGraphWindow();
  ~QtGraphWindow() override;

  void show() override;
  // Wipes the canvas to black; the current point goes to (0, 0).
  void clear() override;
  // Until a scale is set, one unit is one pixel from the top left corner.
  void setScale(double left, double top, double right, double bottom) override;
  // A box filled and outlined in the colour; the current point moves to (x2, y2).
  void box(double x1, double y1, double x2, double y2, int32_t colour) override;
  void point(double x, double y, int32_t colour) override;
  void lineTo(double x, double y, int32_t colour) override;
  // A line of text in red, its top left at the current point, which then moves to the start of
  // the next line.
  void print(const std::string& text) override;
  void close() override;
  bool isOpen() const override;

  // The form, created on first use (nullptr before).
  QWidget* window() const;
  // What has been drawn, at the window's size.
  QImage canvas() const;

 private:
  class Form;
  Form& form();
  QPointF toPixels(double x, double y) const;

  std::unique_ptr<Form> form_;
  bool scaled_ = false;
  QRectF scale_;  // left, top, width, height in user units
  double currentX_ = 0;
  double currentY_ = 0;
};

}  // namespace parlomat
