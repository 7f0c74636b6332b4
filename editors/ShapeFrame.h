#pragma once
// A plain rectangle drawn around its children, in a colour the window changes (the file buttons'
// frame of the Language Editor).
#include <QColor>
#include <QWidget>

namespace parlomat::editors {

class ShapeFrame : public QWidget {
 public:
  explicit ShapeFrame(QWidget* parent = nullptr);
  void setBorderColour(QColor c);
  QColor borderColour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_ = Qt::black;
};

}  // namespace parlomat::editors
