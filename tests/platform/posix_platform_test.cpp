#include "platform/posix_platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace mirvane {
namespace {

TEST(PosixPlatformTest, StartsAProgramWithoutWaitingForIt) {
  std::string folder = std::filesystem::temp_directory_path() / "mirvane-start-XXXXXX";
  ASSERT_NE(::mkdtemp(folder.data()), nullptr);
  std::string script = folder + "/tester";
  std::ofstream(script) << "#!/bin/sh\nsleep 1\ntouch \"" << folder << "/ran\"\n";
  ::chmod(script.c_str(), 0755);

  EXPECT_TRUE(StartProgramDetached(script));
  EXPECT_FALSE(std::filesystem::exists(folder + "/ran")) << "the start waited for the program";
  for (int i = 0; i < 100 && !std::filesystem::exists(folder + "/ran"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(std::filesystem::exists(folder + "/ran"));

  EXPECT_FALSE(StartProgramDetached(folder + "/missing"));
  std::filesystem::remove_all(folder);
}

TEST(PosixPlatformTest, HostRegionalFormatOfTheCLocale) {
  ::setenv("LC_ALL", "C", 1);
  RegionalFormat format = HostRegionalFormat();
  EXPECT_EQ(format.short_date, "MM/dd/yy");
  EXPECT_EQ(format.long_time, "HH:mm:ss");
  EXPECT_EQ(format.decimal_separator, ".");
  EXPECT_EQ(DateTimeText({2026, 12, 11, 9, 5, 7}, format), "12/11/26 09:05:07");
}

}  // namespace
}  // namespace mirvane
