// Mirvane on the desktop: the course player in real windows with a real
// browser engine.
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <cstdlib>

#include "desktop/course_scheme.h"
#include "desktop/desktop_platform.h"
#include "startup/program_windows.h"
#include "startup/startup.h"

int main(int argc, char** argv) {
  // Chromium's sandbox cannot run as root; a normal user keeps it.
  if (::geteuid() == 0) ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  mirvane::RegisterCourseScheme();
  QApplication application(argc, argv);
  mirvane::InitDesktopResources();
  application.setApplicationName("Mirvane");
  application.setQuitOnLastWindowClosed(false);  // the program ends through its windows' procedures

  mirvane::DesktopPlatform host;
  mirvane::App app(host.platform());
  host.windows().Attach(app);
  host.dialogs().SetLanguage([&app]() { return app.Language; });
  mirvane::RegisterProgramWindows(app);
  host.windows().Dispatch([&app]() { mirvane::RunStartup(app); });
  return application.exec();
}
