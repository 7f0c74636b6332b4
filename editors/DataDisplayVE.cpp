#include "editors/DataDisplayVE.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QPainter>

#include "platform/qt/QtText.h"

namespace parlomat::editors {

namespace {
constexpr int kPrintedHeight = 34;
}

DataDisplayVE::DataDisplayVE(QWidget* editor)
    : ListWindow(QStringLiteral("DataDisplayVE"),
                 QStringLiteral("Parlomat Vocabulary  Editor :  Database DisplayDatabase Table"),
                 editor) {
  setTopMargin(kPrintedHeight);
}

void DataDisplayVE::printHeader() {
  printed_.assign(1, kHeader);
  update();
}

void DataDisplayVE::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // The same fixed font as the lines, so the header stands over their columns.
  p.setFont(list()->font());
  p.setPen(palette().color(QPalette::WindowText));
  const int lineHeight = p.fontMetrics().height();
  // The header's columns start where the combo box's text starts.
  int y = 8 + p.fontMetrics().ascent();
  for (const std::string& line : printed_) {
    p.drawText(list()->x() + 4, y, qt::fromLatin1(line));
    y += lineHeight;
  }
}

}  // namespace parlomat::editors
