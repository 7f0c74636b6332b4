// The editor tests run inside one QApplication on the offscreen platform (set by ctest).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no display, and test discovery runs without the offscreen setting.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Parlomat Editor Tests"));
  // Windows the tests close must not end the application.
  QApplication::setQuitOnLastWindowClosed(false);
  return RUN_ALL_TESTS();
}
