#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

#include "platform/qt/QtStatusWindow.h"
#include "tests/qt/QtTestSupport.h"

namespace parlomat {
namespace {

using Picture = StatusWindow::Picture;

struct Colours {
  int red = 0, green = 0, grey = 0, blue = 0;
};

// Counts the pixels of each kind on what the window shows.
Colours look(QWidget* w) {
  const QImage shown = w->grab().toImage();
  Colours c;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const QColor p = shown.pixelColor(x, y);
      if (p.red() > 200 && p.green() < 60 && p.blue() < 60) ++c.red;
      if (p.green() > 150 && p.red() < 80 && p.blue() < 100) ++c.green;
      if (p.blue() > 200 && p.red() < 60 && p.green() < 60) ++c.blue;
      if (std::abs(p.red() - p.green()) < 12 && std::abs(p.green() - p.blue()) < 12 &&
          p.red() > 120 && p.red() < 220) {
        ++c.grey;
      }
    }
  }
  return c;
}

void click(QWidget* target) {
  const QPointF at(target->width() / 2.0, target->height() / 2.0);
  QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

TEST(QtStatusWindow, SmallRedWindowAtTheTopLeftWithoutTaskbarEntryOrFocus) {
  QtStatusWindow status;
  EXPECT_FALSE(status.isOpen());
  EXPECT_EQ(status.window(), nullptr);
  status.show();
  QWidget* form = status.window();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(status.isOpen());
  EXPECT_EQ(form->objectName(), QStringLiteral("StatusBar"));
  EXPECT_EQ(form->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(form->testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(form->geometry(), QRect(-2, 2, 40, 55));
  auto* image1 = form->findChild<QLabel*>(QStringLiteral("Image1"));
  ASSERT_NE(image1, nullptr);
  EXPECT_EQ(image1->geometry(), form->rect());
  // Nothing shown yet: all red.
  EXPECT_EQ(look(form).red, 40 * 55);
}

// The built-in pictures: a green microphone while listening, a grey pause sign when stopped,
// both on the red ground; a picture file in their place, scaled down to fit when it is larger.
TEST(QtStatusWindow, ShowsTheBuiltInPicturesOrAPictureFile) {
  testing::TempFolder tmp;
  for (int side : {20, 400}) {
    QImage blue(side, side, QImage::Format_RGB32);
    blue.fill(QColor(0, 0, 255));
    ASSERT_TRUE(
        blue.save(QString::fromStdString(tmp.path("blue" + std::to_string(side) + ".png"))));
  }
  testing::writeText(tmp.path("notes.png"), "not a picture");

  QtStatusWindow status;
  status.show();
  QWidget* form = status.window();
  status.showBuiltIn(Picture::Listening);
  Colours listening = look(form);
  EXPECT_GT(listening.green, 150);
  EXPECT_EQ(listening.grey, 0);
  EXPECT_GT(listening.red, 40 * 55 / 2);

  status.showBuiltIn(Picture::Stopped);
  Colours stopped = look(form);
  EXPECT_GT(stopped.grey, 200);
  EXPECT_EQ(stopped.green, 0);
  EXPECT_GT(stopped.red, 40 * 55 / 2);

  ASSERT_TRUE(status.showFile(tmp.path("blue20.png")));
  EXPECT_EQ(look(form).blue, 20 * 20);
  ASSERT_TRUE(status.showFile(tmp.path("blue400.png")));
  EXPECT_EQ(look(form).blue, 40 * 40);

  for (const std::string& bad : {tmp.path("missing.png"), tmp.path("notes.png"), std::string()}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(status.showFile(bad));
    EXPECT_EQ(look(form).blue, 40 * 40);
  }
}

// A click on the picture closes the window; the next show opens it again, without the old
// picture. A picture can be loaded into the closed window without showing it.
TEST(QtStatusWindow, ClickOnThePictureClosesTheWindow) {
  QtStatusWindow status;
  status.show();
  status.showBuiltIn(Picture::Listening);
  QWidget* form = status.window();
  click(form->findChild<QLabel*>(QStringLiteral("Image1")));
  EXPECT_FALSE(status.isOpen());
  EXPECT_FALSE(form->isVisible());

  status.showBuiltIn(Picture::Stopped);
  EXPECT_FALSE(status.isOpen());
  status.close();
  status.show();
  EXPECT_TRUE(status.isOpen());
  EXPECT_EQ(status.window(), form);
  EXPECT_EQ(look(form).red, 40 * 55);
  status.showBuiltIn(Picture::Listening);
  EXPECT_GT(look(form).green, 150);
  status.close();
  EXPECT_FALSE(status.isOpen());
  status.close();
}

}  // namespace
}  // namespace parlomat
