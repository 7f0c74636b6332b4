#include "platform/qt/QtSystemColours.h"

#include <QGuiApplication>
#include <QPalette>

namespace parlomat {

QColor toQColor(int32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

int32_t fromQColor(const QColor& colour) {
  QColor rgb = colour.toRgb();
  return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

namespace {

struct PaletteSource {
  int32_t index;
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

// The elements with a counterpart in the palette; the desktop background keeps the classic seed.
constexpr PaletteSource kSources[] = {
    {0, QPalette::Active, QPalette::Button},            // scroll bar
    {2, QPalette::Active, QPalette::Highlight},         // active caption
    {3, QPalette::Inactive, QPalette::Mid},             // inactive caption
    {4, QPalette::Active, QPalette::Window},            // menu
    {5, QPalette::Active, QPalette::Base},              // window
    {6, QPalette::Active, QPalette::Shadow},            // window frame
    {7, QPalette::Active, QPalette::WindowText},        // menu text
    {8, QPalette::Active, QPalette::Text},              // window text
    {9, QPalette::Active, QPalette::HighlightedText},   // caption text
    {10, QPalette::Active, QPalette::Window},           // active border
    {11, QPalette::Inactive, QPalette::Window},         // inactive border
    {12, QPalette::Active, QPalette::Dark},             // application workspace
    {13, QPalette::Active, QPalette::Highlight},        // highlight
    {14, QPalette::Active, QPalette::HighlightedText},  // highlighted text
    {15, QPalette::Active, QPalette::Button},           // button face
    {16, QPalette::Active, QPalette::Dark},             // button shadow
    {17, QPalette::Disabled, QPalette::Text},           // grey text
    {18, QPalette::Active, QPalette::ButtonText},       // button text
    {19, QPalette::Inactive, QPalette::WindowText},     // inactive caption text
    {20, QPalette::Active, QPalette::Light},            // button highlight
    {21, QPalette::Active, QPalette::Shadow},           // dark 3-D shadow
    {22, QPalette::Active, QPalette::Midlight},         // 3-D light
    {23, QPalette::Active, QPalette::ToolTipText},      // tool tip text
    {24, QPalette::Active, QPalette::ToolTipBase},      // tool tip background
};

}  // namespace

QtSystemColours::QtSystemColours(QObject* parent) : QObject(parent) {
  QPalette palette = QGuiApplication::palette();
  for (const PaletteSource& s : kSources) {
    int32_t colour = fromQColor(palette.color(s.group, s.role));
    SetSysColors(1, &s.index, &colour);
  }
  for (int32_t i = 0; i < kCount; ++i) seeded_[i] = GetSysColor(i);
  onChange([this](int32_t index, int32_t colour) { emit colourChanged(index, toQColor(colour)); });
}

int32_t QtSystemColours::seeded(int32_t index) const {
  if (index < 0 || index >= kCount) return 0;
  return seeded_[index];
}

}  // namespace parlomat
