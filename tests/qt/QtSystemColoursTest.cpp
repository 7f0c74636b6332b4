#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QVBoxLayout>
#include <QWidget>
#include <vector>

#include "platform/Dispatch.h"
#include "platform/qt/CaptionTint.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtSystemColours.h"

namespace parlomat {
namespace {

constexpr int32_t kRed = 0x0000FF;

TEST(QtSystemColours, SeededFromThePaletteAndAnnouncesEveryChange) {
  QtSystemColours colours;
  QPalette palette = QApplication::palette();
  EXPECT_EQ(colours.GetSysColor(2),
            fromQColor(palette.color(QPalette::Active, QPalette::Highlight)));
  EXPECT_EQ(colours.GetSysColor(15), fromQColor(palette.color(QPalette::Active, QPalette::Button)));
  EXPECT_EQ(colours.seeded(2), colours.GetSysColor(2));

  std::vector<std::pair<int, QColor>> seen;
  QObject::connect(&colours, &QtSystemColours::colourChanged,
                   [&](int index, QColor c) { seen.emplace_back(index, c); });
  const int32_t indices[] = {2, 25, -1, 13};
  const int32_t values[] = {kRed, 0x00FF00, 0x00FF00, 0x123456};
  EXPECT_FALSE(colours.SetSysColors(4, indices, values));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], std::make_pair(2, QColor(255, 0, 0)));
  EXPECT_EQ(seen[1], std::make_pair(13, QColor(0x56, 0x34, 0x12)));
  EXPECT_EQ(colours.GetSysColor(13), 0x123456);
  EXPECT_EQ(colours.seeded(2), fromQColor(palette.color(QPalette::Active, QPalette::Highlight)));
}

TEST(QtSystemColours, ColourValuesConvertBothWays) {
  for (int32_t c : {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFFFF, 0x00804020}) {
    EXPECT_EQ(fromQColor(toQColor(c)), c) << std::hex << c;
  }
  EXPECT_EQ(toQColor(0x00804020), QColor(0x20, 0x40, 0x80));
}

// The whole path of the listening colour: the control sets the active caption through
// ColorAttack, created by name from its shared library, and our window shows it.
TEST(QtPlatform, ListeningColourSetThroughColorAttackTintsOurWindow) {
  QtPlatform qt;
  Platform& p = qt.platform();
  for (const void* part :
       {(const void*)p.dialogs, (const void*)p.loop, (const void*)p.waveIn, (const void*)p.waveOut,
        (const void*)p.sounds, (const void*)p.files, (const void*)p.status, (const void*)p.graph,
        (const void*)p.windows, (const void*)p.colours, (const void*)p.registry,
        (const void*)p.power, (const void*)p.fonts}) {
    EXPECT_NE(part, nullptr);
  }
  EXPECT_EQ(p.controlFolder, QApplication::applicationDirPath().toStdString());
  EXPECT_EQ(p.separator, '/');

  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QWidget);
  auto* tint = new CaptionTint(&window, qt.colours);
  window.resize(300, 200);
  window.show();
  EXPECT_TRUE(tint->strip()->isHidden());

  const int32_t saved = qt.colours.GetSysColor(2);
  auto setCaption = [&](int32_t colour) {
    auto colorAttack = p.registry->create("Chromaset.ColorAttack");
    colorAttack->put("ACTIVECAPTION_BE", Variant(colour));
  };
  setCaption(kRed);
  EXPECT_EQ(qt.colours.GetSysColor(2), kRed);
  EXPECT_FALSE(tint->strip()->isHidden());
  EXPECT_EQ(tint->strip()->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_EQ(tint->strip()->geometry(), QRect(0, 0, 300, CaptionTint::kHeight));
  window.resize(420, 200);
  QApplication::processEvents();
  EXPECT_EQ(tint->strip()->width(), 420);

  setCaption(saved);
  EXPECT_TRUE(tint->strip()->isHidden());
}

}  // namespace
}  // namespace parlomat
