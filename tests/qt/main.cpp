// The Qt tests run inside one QApplication on the offscreen platform (set by ctest).
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/QtExit.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no display, and test discovery runs without the offscreen setting.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  int result = 0;
  {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Parlomat Qt Tests"));
    result = RUN_ALL_TESTS();
  }
  // The tests captured and played sound: leave without Qt's racy audio teardown.
  parlomat::exitAfterAudio(result);
}
