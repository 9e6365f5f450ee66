// A fresh program on the headless platform for each test.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "platform/headless_platform.h"
#include "startup/app.h"
#include "startup/program_windows.h"

namespace mirvane::test {

struct HeadlessApp {
  HeadlessPlatform host;
  App app;

  explicit HeadlessApp(std::string program_folder = "C:\\Course\\")
      : host(std::move(program_folder)), app(host.platform()) {
    app.AppFolder = host.files().ProgramFolder();
    RegisterProgramWindows(app);
  }

  // Writes the settings file beside the program (bytes as given).
  void WriteSettings(std::string_view text) {
    host.files().WriteFile(app.AppFolder + "mirvane.ini", text);
  }

  // The bytes of a file by its path text; empty when missing.
  std::string FileBytes(std::string_view path) { return host.files().ReadFile(path).bytes; }
};

}  // namespace mirvane::test
