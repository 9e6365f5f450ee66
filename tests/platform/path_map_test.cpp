#include "platform/path_map.h"

#include <gtest/gtest.h>

namespace mirvane {
namespace {

PathMap TestMap() {
  return PathMap([](char letter) { return std::string("/drives/") + letter; }, "/host");
}

TEST(PathMapTest, MapsWindowsStylePathTexts) {
  struct Case {
    const char* text;
    const char* host;
  } cases[] = {
      {"C:\\e-Learning\\ABC.coursedata\\", "/drives/C/e-Learning/ABC.coursedata/"},
      {"c:\\x\\y.txt", "/drives/C/x/y.txt"},
      {"D:/data\\mixed/seps.ini", "/drives/D/data/mixed/seps.ini"},
      {"C:\\a\\\\b", "/drives/C/a/b"},
      {"C:\\data\\ABC.coursedata\\..\\brevant.exe", "/drives/C/data/brevant.exe"},
      {"C:\\a\\.\\b\\..\\..\\..\\c", "/drives/C/c"},  // ".." stops at the root
      {"C:\\", "/drives/C"},
      {"C:", "/drives/C"},
      {"/opt/course/mirvane.ini", "/host/opt/course/mirvane.ini"},
      {"/opt/course/\\mirvane.ini", "/host/opt/course/mirvane.ini"},
      {"\\Course\\x", "/drives/C/Course/x"},
      {"relative\\x", "/drives/C/relative/x"},
  };
  PathMap map = TestMap();
  for (const Case& c : cases) EXPECT_EQ(map.ToHost(c.text), c.host) << c.text;
}

TEST(PathMapTest, PosixHostPutsDriveCInTheHomeFolder) {
  PathMap map = PosixPathMap("/home/ana");
  EXPECT_EQ(map.ToHost("C:\\e-Learning\\ABC.coursedata\\"), "/home/ana/e-Learning/ABC.coursedata/");
  EXPECT_EQ(map.ToHost("D:\\data\\"), "/mnt/d/data/");
  EXPECT_EQ(map.ToHost("/srv/course\\mirvane.ini"), "/srv/course/mirvane.ini");
}

}  // namespace
}  // namespace mirvane
