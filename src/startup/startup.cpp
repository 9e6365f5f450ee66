#include "startup/startup.h"

#include <array>

#include "records/record_file.h"
#include "startup/settings.h"

namespace mirvane {

namespace {

// The report viewer's files, copied beside every course's data folder in this
// order: program, settings. This build of the viewer needs no runtime library.
constexpr std::array<const char*, 2> kReportViewerFiles = {"brevant.exe", "brevant.ini"};

constexpr const char* kDefaultDataPath = "C:\\e-Learning\\";

// Both separators end a folder text: the host's own program folder ends in "/".
bool EndsInSeparator(const std::string& folder) {
  return !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
}

void AnonymousRoute(App& app) {
  app.CurrentUser = kAnonymousUser;
  if (ReadRecord(app, "exists").empty()) {
    WriteRecord(app, "exists", "1");
    WriteRecord(app, "pwd", kAnonymousUser);
  }
  app.forms.Show("frmBackground");
}

}  // namespace

void Startup(App& app) {
  FileSystem& files = app.platform.files;
  // The settings live beside the program, so its folder is known first.
  app.AppFolder = files.ProgramFolder();
  if (!EndsInSeparator(app.AppFolder)) app.AppFolder += '\\';

  app.CourseStarted = false;
  std::string lang = ReadSetting(app, "language");
  app.ScorePending = false;
  app.AudioEnabled = ReadSetting(app, "enableaudio") != "false";
  app.Language = lang.empty() ? "en" : lang;

  std::string cf = ReadSetting(app, "contentfolder");
  app.ContentFolder = cf.empty() ? app.AppFolder : app.AppFolder + cf + "\\";

  std::string code = ReadSetting(app, "coursecode");
  if (code.empty()) {
    // The key itself: the text table cannot be trusted before the course is known.
    ShowMessage(app.platform.dialogs, "e1");
    app.platform.processes.EndProgram(1);
    return;
  }
  app.CourseCode = code;
  std::string dp = ReadSetting(app, "datapath");

  // From here on a step that fails is skipped: the record operations report a
  // missing data folder themselves when they first need it.
  if (!dp.empty()) {
    app.DataFolder = dp + app.CourseCode + ".coursedata\\";
    files.CreateFolder(dp);
  } else {
    app.DataFolder = std::string(kDefaultDataPath) + app.CourseCode + ".coursedata\\";
    files.CreateFolder(kDefaultDataPath);
  }
  files.CreateFolder(app.DataFolder);
  for (const char* name : kReportViewerFiles) {
    files.CopyFile(app.AppFolder + name, app.DataFolder + "..\\" + name);
  }
  if (!EndsInSeparator(app.DataFolder)) app.DataFolder += '\\';
  files.CopyFile(app.AppFolder + kSettingsFileName, app.DataFolder + kSettingsFileName);

  if (ReadSetting(app, "showlogin") == "false") {
    AnonymousRoute(app);
    return;
  }
  app.forms.Show(ReadSetting(app, "customize") == "varenta" ? "frmLoginVarenta" : "frmLogin");
}

void RunStartup(App& app) {
  try {
    Startup(app);
  } catch (const SettingsFileError& error) {
    ShowMessage(app.platform.dialogs,
                "The settings file \"" + error.path() + "\" cannot be read (" +
                    FileStatusText(error.status()) + "). The program cannot start without it.",
                MessageButtons::Ok, MessageIcon::Critical);
    app.platform.processes.EndProgram(kExitNoSettings);
  }
}

}  // namespace mirvane
