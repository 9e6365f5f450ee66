// A fresh program on the headless platform for one fuzz input, and a way to
// put bytes into its files without the flush to disk that the program's own
// writer does (the flush would make each run a hundred times slower and
// changes nothing the targets check).
#pragma once

#include <fstream>
#include <string>
#include <string_view>

#include "platform/headless_platform.h"
#include "startup/app.h"
#include "startup/program_windows.h"

namespace mirvane::fuzz {

struct FuzzApp {
  HeadlessPlatform host;
  App app;

  FuzzApp() : host("C:\\Course\\"), app(host.platform()) {
    app.AppFolder = host.files().ProgramFolder();
    app.ContentFolder = app.AppFolder;
    app.Language = "en";
    app.CourseCode = "ABC";
    app.DataFolder = "C:\\e-Learning\\ABC.coursedata\\";
    host.files().CreateFolder("C:\\e-Learning\\");
    host.files().CreateFolder(app.DataFolder);
    RegisterProgramWindows(app);
  }

  // Puts `bytes` into the file at path text `path` (its folder must exist).
  void Put(std::string_view path, std::string_view bytes) {
    std::ofstream out(host.HostPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  void Settings(std::string_view text) { Put(app.AppFolder + "mirvane.ini", text); }
};

}  // namespace mirvane::fuzz
