#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include "platform/qt/QtGraphWindow.h"

namespace parlomat {
namespace {

constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kBlack = 0;

int countPixels(const QImage& img, QRect area, const std::function<bool(QColor)>& is) {
  int n = 0;
  area = area.intersected(img.rect());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) n += is(img.pixelColor(x, y)) ? 1 : 0;
  }
  return n;
}
bool isBlack(QColor c) {
  return c == QColor(0, 0, 0);
}
bool isRedText(QColor c) {
  return c.red() > 90 && c.green() < 40 && c.blue() < 40;
}

TEST(QtGraphWindow, BlackToolWindowWithItsCaption) {
  QtGraphWindow graph;
  EXPECT_FALSE(graph.isOpen());
  graph.show();
  QWidget* form = graph.window();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(graph.isOpen());
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Parlomat Audio Graph Version 1.0 "));
  EXPECT_EQ(form->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(form->size(), QSize(318, 56));
  EXPECT_EQ(form->pos(), QPoint(19, 400));
  const QImage shown = form->grab().toImage();
  EXPECT_EQ(countPixels(shown, shown.rect(), isBlack), 318 * 56);
}

// What the analysis draws lands where the user scale puts it, and stays: on repaint, after a
// resize (nothing moves or stretches), until the window is closed.
TEST(QtGraphWindow, DrawsInTheUserScaleOnACanvasThatSurvivesRepaints) {
  QtGraphWindow graph;
  graph.show();
  graph.clear();
  // x from 0 to 100 across, y from +128 at the top to -128 at the bottom.
  graph.setScale(0, 128, 100, -128);
  graph.box(60, 128, 90, -128, kRed);
  graph.point(0, 128, kBlack);
  graph.lineTo(50, -128, kWhite);
  graph.point(20, 128, kBlack);
  graph.print("Noise Found on 1 2 3");
  graph.print("Noise Found on 1 2 4");

  auto check = [](const QImage& img) {
    // The box spans x 190.8 .. 286.2 and the whole height.
    EXPECT_EQ(img.pixelColor(240, 28), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(192, 1), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(285, 54), QColor(255, 0, 0));
    EXPECT_TRUE(isBlack(img.pixelColor(188, 28)));
    EXPECT_TRUE(isBlack(img.pixelColor(289, 28)));
    // The line runs from the top left corner to the bottom at x 159.
    EXPECT_GT(countPixels(img, QRect(78, 26, 5, 5), [](QColor c) { return c == Qt::white; }), 0);
    EXPECT_EQ(countPixels(img, QRect(130, 0, 20, 10), [](QColor c) { return c == Qt::white; }), 0);
    // Two lines of red text from x 63.6 on, the second below the first.
    const int text1 = countPixels(img, QRect(63, 0, 120, 8), isRedText);
    const int text2 = countPixels(img, QRect(0, 8, 190, 20), isRedText);
    EXPECT_GT(text1, 15);
    EXPECT_GT(text2, 15);
    EXPECT_EQ(countPixels(img, QRect(0, 30, 60, 26), isRedText), 0);
  };
  QWidget* form = graph.window();
  {
    SCOPED_TRACE("canvas");
    check(graph.canvas());
  }
  {
    SCOPED_TRACE("repainted window");
    form->repaint();
    check(form->grab().toImage());
  }
  {
    SCOPED_TRACE("enlarged window");
    form->resize(400, 90);
    QApplication::processEvents();
    const QImage shown = form->grab().toImage();
    check(shown);
    EXPECT_TRUE(isBlack(shown.pixelColor(350, 80)));
  }

  // Drawing on the closed graph loads it without showing it; closing wiped the old drawing.
  graph.close();
  EXPECT_FALSE(graph.isOpen());
  graph.point(5, 5, kWhite);
  EXPECT_FALSE(graph.isOpen());
  const QImage reloaded = graph.canvas();
  EXPECT_EQ(countPixels(reloaded, reloaded.rect(), isBlack),
            reloaded.width() * reloaded.height() - 1);
  EXPECT_EQ(reloaded.pixelColor(5, 5), QColor(255, 255, 255));
  graph.clear();
  const QImage cleared = graph.canvas();
  EXPECT_EQ(countPixels(cleared, cleared.rect(), isBlack), cleared.width() * cleared.height());
}

}  // namespace
}  // namespace parlomat
