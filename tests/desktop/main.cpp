// The desktop end-to-end tests run in one process: the browser engine starts
// once, before the tests.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>

#include "desktop/course_scheme.h"
#include "desktop/desktop_platform.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::geteuid() == 0) ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking", 0);
  mirvane::RegisterCourseScheme();
  QApplication application(argc, argv);
  application.setQuitOnLastWindowClosed(false);
  mirvane::InitDesktopResources();
  return RUN_ALL_TESTS();
}
