#include "editors/FeaturesDisplay.h"

#include <QPainter>

#include "platform/qt/QtText.h"

namespace parlomat::editors {

namespace {
constexpr int kWidth = 440;
constexpr int kHeight = 290;
}  // namespace

FeaturesDisplay::FeaturesDisplay(QWidget* editor)
    : QWidget(editor, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("FeaturesDisplay"));
  setWindowTitle(QStringLiteral("Features of current word."));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  pal.setColor(QPalette::WindowText, Qt::black);
  setPalette(pal);
  font_ = font();
  font_.setPointSize(11);
  applyHeight();
}

void FeaturesDisplay::applyHeight() {
  setFixedSize(kWidth, tall_ ? 3 * kHeight : kHeight);
}

void FeaturesDisplay::clearPrinted() {
  lines_.clear();
  tall_ = false;
  applyHeight();
  update();
}

void FeaturesDisplay::print(const std::vector<std::string>& lines, const std::string& family,
                            bool tall) {
  lines_.insert(lines_.end(), lines.begin(), lines.end());
  font_ = font();
  font_.setPointSize(11);
  if (!family.empty()) font_.setFamily(qt::fromLatin1(family));
  tall_ = tall;
  applyHeight();
  update();
}

void FeaturesDisplay::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setFont(font_);
  p.setPen(palette().color(QPalette::WindowText));
  const int lineHeight = p.fontMetrics().lineSpacing();
  int y = 12 + p.fontMetrics().ascent();
  for (const std::string& line : lines_) {
    p.drawText(14, y, qt::fromLatin1(line));
    y += lineHeight;
  }
}

}  // namespace parlomat::editors
