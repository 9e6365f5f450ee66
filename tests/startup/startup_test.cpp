#include "startup/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "records/record_file.h"
#include "startup/program_windows.h"
#include "support/headless_app.h"

namespace mirvane {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  test::HeadlessApp t{"C:\\Courses\\ABC\\"};
  App& app = t.app;
  HostFileSystem& files = t.host.files();

  void PutFile(const std::string& path, const std::string& bytes) {
    ASSERT_EQ(files.WriteFile(path, bytes), FileStatus::Ok);
  }
};

TEST_F(StartupTest, OnlyACourseCodeGivesTheDefaults) {
  t.WriteSettings("coursecode=ABC");
  Startup(app);
  EXPECT_EQ(app.Language, "en");
  EXPECT_TRUE(app.AudioEnabled);
  EXPECT_FALSE(app.CourseStarted);
  EXPECT_FALSE(app.ScorePending);
  EXPECT_EQ(app.AppFolder, "C:\\Courses\\ABC\\");
  EXPECT_EQ(app.ContentFolder, app.AppFolder);
  EXPECT_EQ(app.CourseCode, "ABC");
  EXPECT_EQ(app.DataFolder, "C:\\e-Learning\\ABC.coursedata\\");
  EXPECT_TRUE(std::filesystem::is_directory(t.host.root() + "/C/e-Learning/ABC.coursedata"));
  EXPECT_EQ(t.FileBytes("C:\\e-Learning\\ABC.coursedata\\mirvane.ini"), "coursecode=ABC");
  EXPECT_EQ(t.host.windows.shown, std::vector<std::string>{"frmLogin"});
  EXPECT_TRUE(app.CurrentUser.empty());
  EXPECT_TRUE(t.host.dialogs.shown.empty());
}

TEST_F(StartupTest, NoCourseCodeShowsE1AndCreatesNothing) {
  t.WriteSettings("language=es\r\ndatapath=D:\\data\\\r\n");
  EXPECT_THROW(Startup(app), ProgramEnded);
  ASSERT_EQ(t.host.dialogs.shown.size(), 1u);
  EXPECT_EQ(t.host.dialogs.shown[0].text, "e1");
  EXPECT_EQ(t.host.dialogs.shown[0].icon, MessageIcon::None);
  EXPECT_EQ(t.host.dialogs.shown[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(t.host.dialogs.shown[0].title, "Mirvane");
  EXPECT_EQ(t.host.processes.ended.size(), 1u);
  EXPECT_NE(t.host.processes.ended[0], 0);
  EXPECT_TRUE(t.host.windows.shown.empty());
  EXPECT_FALSE(std::filesystem::exists(t.host.root() + "/C/e-Learning"));
  EXPECT_FALSE(std::filesystem::exists(t.host.root() + "/D/data"));
}

TEST_F(StartupTest, FoldersAreJoinedAsWritten) {
  struct Case {
    const char* settings;
    const char* content;
    const char* data;
  } cases[] = {
      {"coursecode=ABC\r\ncontentfolder=course", "C:\\Courses\\ABC\\course\\",
       "C:\\e-Learning\\ABC.coursedata\\"},
      {"coursecode=ABC\r\ncontentfolder=C:\\x", "C:\\Courses\\ABC\\C:\\x\\",
       "C:\\e-Learning\\ABC.coursedata\\"},
      {"coursecode=ABC\r\ndatapath=D:\\data", "C:\\Courses\\ABC\\", "D:\\dataABC.coursedata\\"},
      {"coursecode=ABC\r\ndatapath=D:\\data\\", "C:\\Courses\\ABC\\", "D:\\data\\ABC.coursedata\\"},
  };
  for (const Case& c : cases) {
    test::HeadlessApp fresh{"C:\\Courses\\ABC\\"};
    fresh.WriteSettings(c.settings);
    Startup(fresh.app);
    EXPECT_EQ(fresh.app.ContentFolder, c.content) << c.settings;
    EXPECT_EQ(fresh.app.DataFolder, c.data) << c.settings;
  }
}

TEST_F(StartupTest, DataPathIsCreatedOneLevelAndReportViewerFilesAreCopied) {
  t.WriteSettings("coursecode=ABC\r\ndatapath=D:\\data\\\r\n");
  PutFile("C:\\Courses\\ABC\\brevant.exe", "viewer");
  PutFile("C:\\Courses\\ABC\\brevant.ini", "viewer settings");
  files.CreateFolder("D:\\data\\");
  PutFile("D:\\data\\brevant.ini", "old viewer settings");
  Startup(app);
  EXPECT_EQ(t.FileBytes("D:\\data\\brevant.exe"), "viewer");
  EXPECT_EQ(t.FileBytes("D:\\data\\brevant.ini"), "viewer settings");
  EXPECT_TRUE(files.FolderExists("D:\\data\\ABC.coursedata\\"));
  EXPECT_TRUE(files.FileExists("D:\\data\\ABC.coursedata\\mirvane.ini"));
}

TEST_F(StartupTest, DeepDataPathIsNotCreatedAndTheFirstRecordAccessReportsE5) {
  t.WriteSettings("coursecode=ABC\r\ndatapath=D:\\deep\\er\\\r\nshowlogin=false\r\n");
  EXPECT_THROW(Startup(app), ProgramEnded);
  EXPECT_FALSE(files.FolderExists("D:\\deep\\"));
  ASSERT_EQ(t.host.dialogs.shown.size(), 1u);
  EXPECT_TRUE(t.host.dialogs.shown[0].text.starts_with("ERR 5: Cannot create data file: "));
  EXPECT_TRUE(t.host.windows.shown.empty());
}

TEST_F(StartupTest, MissingReportViewerIsSkippedSilently) {
  t.WriteSettings("coursecode=ABC\r\nlanguage=fr\r\nenableaudio=false\r\n");
  Startup(app);
  EXPECT_EQ(app.Language, "fr");
  EXPECT_FALSE(app.AudioEnabled);
  EXPECT_FALSE(files.FileExists("C:\\e-Learning\\brevant.exe"));
  EXPECT_EQ(t.host.windows.shown, std::vector<std::string>{"frmLogin"});
}

TEST_F(StartupTest, FirstWindowFollowsShowloginAndCustomize) {
  struct Case {
    const char* settings;
    const char* window;
  } cases[] = {
      {"coursecode=ABC\r\nshowlogin=False", "frmLogin"},
      {"coursecode=ABC\r\nshowlogin=true\r\ncustomize=varenta", "frmLoginVarenta"},
      {"coursecode=ABC\r\ncustomize=Varenta", "frmLogin"},
      {"coursecode=ABC\r\nshowlogin=false\r\ncustomize=varenta", "frmBackground"},
  };
  for (const Case& c : cases) {
    test::HeadlessApp fresh;
    fresh.WriteSettings(c.settings);
    Startup(fresh.app);
    // The backdrop opens the player over itself while it loads.
    std::vector<std::string> expected{c.window};
    if (expected[0] == "frmBackground") expected.insert(expected.begin(), "frmMain");
    EXPECT_EQ(fresh.host.windows.shown, expected) << c.settings;
  }
}

TEST_F(StartupTest, AnonymousRouteWritesTheAccountOnce) {
  t.WriteSettings("coursecode=ABC\r\nshowlogin=false\r\n");
  Startup(app);
  EXPECT_EQ(app.CurrentUser, kAnonymousUser);
  const std::string record =
      "C:\\e-Learning\\ABC.coursedata\\tracking\\anonymous_iusr_localmachine_x86.tracking";
  std::string first = t.FileBytes(record);
  EXPECT_EQ(first, "\r101%120%105%115%116%115%^49%\r\n" + std::string("112%119%100%^") +
                       "97%110%111%110%121%109%111%117%115%95%105%117%115%114%95%108%111%99%97%"
                       "108%109%97%99%104%105%110%101%95%120%56%54%\r\n");
  EXPECT_EQ(t.host.windows.shown, (std::vector<std::string>{"frmMain", "frmBackground"}));

  // A later start with the account in place writes nothing: the file keeps
  // its bytes and the time it was last written.
  std::filesystem::last_write_time(t.host.HostPath(record),
                                   std::filesystem::file_time_type::clock::now() -
                                       std::chrono::hours(1));
  auto written = files.LastModified(record);
  App again(t.host.platform());
  RegisterProgramWindows(again);
  Startup(again);
  EXPECT_EQ(again.CurrentUser, kAnonymousUser);
  EXPECT_EQ(t.FileBytes(record), first);
  EXPECT_EQ(files.LastModified(record), written);
}

TEST_F(StartupTest, MissingSettingsFileEndsWithAMessageNamingIt) {
  EXPECT_THROW(RunStartup(app), ProgramEnded);
  ASSERT_EQ(t.host.dialogs.shown.size(), 1u);
  const std::string path = t.host.HostPath("C:\\Courses\\ABC\\mirvane.ini");
  EXPECT_NE(t.host.dialogs.shown[0].text.find("\"" + path + "\""), std::string::npos)
      << t.host.dialogs.shown[0].text;
  EXPECT_EQ(t.host.dialogs.shown[0].icon, MessageIcon::Critical);
  EXPECT_EQ(t.host.processes.ended, std::vector<int>{kExitNoSettings});
  EXPECT_TRUE(t.host.windows.shown.empty());
}

}  // namespace
}  // namespace mirvane
