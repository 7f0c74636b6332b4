#pragma once
// The system colour table of a Qt program: seeded from the application palette at creation,
// kept in memory, and announced as a Qt signal on every change so our windows can show it.
#include <QColor>
#include <QObject>
#include <array>

#include "platform/SystemColours.h"

namespace parlomat {

// Colour values are 0x00BBGGRR.
QColor toQColor(int32_t colour);
int32_t fromQColor(const QColor& colour);

class QtSystemColours : public QObject, public MemorySystemColours {
  Q_OBJECT

 public:
  explicit QtSystemColours(QObject* parent = nullptr);

  // The colour the element had at creation; an index outside the table reads 0.
  int32_t seeded(int32_t index) const;

 signals:
  void colourChanged(int index, QColor colour);

 private:
  std::array<int32_t, kCount> seeded_{};
};

}  // namespace parlomat
