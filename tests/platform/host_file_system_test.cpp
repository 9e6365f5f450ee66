#include "platform/host_file_system.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "platform/headless_platform.h"

namespace mirvane {
namespace {

class HostFileSystemTest : public ::testing::Test {
 protected:
  HeadlessPlatform host;
  HostFileSystem& files = host.files();

  void Put(const std::string& path, const std::string& bytes) {
    std::string h = host.HostPath(path);
    std::filesystem::create_directories(std::filesystem::path(h).parent_path());
    std::ofstream(h, std::ios::binary) << bytes;
  }
};

TEST_F(HostFileSystemTest, CreateFolderMakesOneLevelOnly) {
  EXPECT_EQ(files.CreateFolder("C:\\a\\b\\"), FileStatus::PathNotFound);
  EXPECT_FALSE(files.FolderExists("C:\\a"));
  EXPECT_EQ(files.CreateFolder("C:\\a\\"), FileStatus::Ok);
  EXPECT_EQ(files.CreateFolder("C:\\a"), FileStatus::AlreadyExists);
  EXPECT_EQ(files.CreateFolder("C:\\a\\b"), FileStatus::Ok);
  EXPECT_TRUE(files.FolderExists("C:\\a\\b\\"));
  EXPECT_FALSE(files.FileExists("C:\\a\\b"));
}

TEST_F(HostFileSystemTest, ReadsFindNamesWithoutRegardToCaseWhenOneMatches) {
  Put("C:\\Course\\Content\\Page.HTM", "page");
  EXPECT_EQ(files.ReadFile("C:\\course\\content\\page.htm").bytes, "page");
  EXPECT_TRUE(files.FileExists("C:\\COURSE\\CONTENT\\PAGE.htm"));
  EXPECT_TRUE(files.FolderExists("c:\\course\\content\\"));

  // Two names that differ only in case: only the exact one is found.
  Put("C:\\Course\\Content\\page.htm", "other");
  EXPECT_EQ(files.ReadFile("C:\\Course\\Content\\Page.HTM").bytes, "page");
  EXPECT_EQ(files.ReadFile("C:\\Course\\Content\\page.htm").bytes, "other");
  EXPECT_EQ(files.ReadFile("C:\\Course\\Content\\PAGE.HTM").status, FileStatus::NotFound);
}

TEST_F(HostFileSystemTest, WritesUseTheExactNameInALenientlyFoundFolder) {
  Put("C:\\Course\\Data\\Notes.txt", "old");
  ASSERT_EQ(files.WriteFile("C:\\course\\data\\notes.TXT", "new"), FileStatus::Ok);
  EXPECT_TRUE(std::filesystem::exists(host.HostPath("C:\\Course\\Data\\notes.TXT")));
  // The other name is untouched; a read of the new exact name finds the new file.
  EXPECT_EQ(files.ReadFile("C:\\Course\\Data\\Notes.txt").bytes, "old");
  EXPECT_EQ(files.ReadFile("C:\\Course\\Data\\notes.TXT").bytes, "new");
}

TEST_F(HostFileSystemTest, ReadTellsAMissingFileFromAMissingFolder) {
  files.CreateFolder("C:\\x");
  EXPECT_EQ(files.ReadFile("C:\\x\\missing.txt").status, FileStatus::NotFound);
  EXPECT_EQ(files.ReadFile("C:\\nofolder\\missing.txt").status, FileStatus::PathNotFound);
  EXPECT_EQ(files.WriteFile("C:\\nofolder\\new.txt", "x"), FileStatus::PathNotFound);
  EXPECT_EQ(files.ReadFile("C:\\x").status, FileStatus::AccessDenied);
}

TEST_F(HostFileSystemTest, CopyReplacesTheTargetAndDeleteRemoves) {
  Put("C:\\src\\a.ini", "one");
  Put("C:\\dst\\a.ini", "previous, longer contents");
  EXPECT_EQ(files.CopyFile("C:\\src\\A.INI", "C:\\dst\\a.ini"), FileStatus::Ok);
  EXPECT_EQ(files.ReadFile("C:\\dst\\a.ini").bytes, "one");
  EXPECT_EQ(files.CopyFile("C:\\src\\none.ini", "C:\\dst\\b.ini"), FileStatus::NotFound);
  EXPECT_FALSE(files.FileExists("C:\\dst\\b.ini"));
  EXPECT_EQ(files.DeleteFile("C:\\dst\\a.ini"), FileStatus::Ok);
  EXPECT_FALSE(files.FileExists("C:\\dst\\a.ini"));
  EXPECT_EQ(files.DeleteFile("C:\\dst\\a.ini"), FileStatus::NotFound);
}

TEST_F(HostFileSystemTest, ListsFilesByWildcard) {
  for (const char* name : {"b.raw", "a.RAW", "c.raw.bak", "d.txt", "raw"}) Put(std::string("C:\\r\\") + name, "x");
  files.CreateFolder("C:\\r\\folder.raw");
  EXPECT_EQ(files.ListFiles("C:\\r\\", "*.raw"), (std::vector<std::string>{"a.RAW", "b.raw"}));
  EXPECT_EQ(files.ListFiles("C:\\r", "?.txt"), (std::vector<std::string>{"d.txt"}));
  EXPECT_TRUE(files.ListFiles("C:\\missing\\", "*").empty());
  EXPECT_TRUE(WildcardMatch("*.tracking", "Ana.TRACKING"));
  EXPECT_TRUE(WildcardMatch("é*", "Éa"));
  EXPECT_FALSE(WildcardMatch("*.raw", "x.raw2"));
}

TEST_F(HostFileSystemTest, LastModifiedIsInWholeSeconds) {
  Put("C:\\t.txt", "x");
  struct timespec times[2] = {{1'700'000'000, 999'000'000}, {1'700'000'123, 600'000'000}};
  ASSERT_EQ(::utimensat(AT_FDCWD, host.HostPath("C:\\t.txt").c_str(), times, 0), 0);
  EXPECT_EQ(files.LastModified("C:\\T.TXT"), 1'700'000'123);
  EXPECT_FALSE(files.LastModified("C:\\none.txt").has_value());
}

// A disk that fills up in the middle of a write must leave the old file whole
// and no temporary file behind. The child lowers its file size limit so that
// the write of the new contents really fails part-way.
TEST_F(HostFileSystemTest, FailedWriteLeavesTheOldFileWhole) {
  Put("C:\\d\\record.txt", "old contents");
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    FileStatus status = files.WriteFile("C:\\d\\record.txt", std::string(100'000, 'n'));
    ::_exit(status == FileStatus::IoError ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the write did not report the failure";
  EXPECT_EQ(files.ReadFile("C:\\d\\record.txt").bytes, "old contents");
  std::size_t entries = 0;
  for (auto& e : std::filesystem::directory_iterator(host.HostPath("C:\\d"))) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 1u) << "a temporary file was left behind";
}

}  // namespace
}  // namespace mirvane
