// The course scheme serves the content and data folders and nothing else.
#include "desktop/course_scheme.h"

#include <gtest/gtest.h>

#include "support/headless_app.h"

namespace mirvane {
namespace {

TEST(CourseSchemeTest, PathsInsideTheFoldersBecomeCourseAddresses) {
  test::HeadlessApp t;
  t.app.ContentFolder = "/opt/course/";
  t.app.DataFolder = "C:\\e-Learning\\ABC.coursedata\\";
  struct Case {
    const char* address;
    const char* url;
  } cases[] = {
      {"/opt/course/qxlaunch.htm", "mirvane://content/qxlaunch.htm"},
      {"/OPT/Course/l1\\o1\\p1.htm", "mirvane://content/l1/o1/p1.htm"},
      {"C:\\e-Learning\\ABC.coursedata\\intro.htm", "mirvane://data/intro.htm"},
      {"c:/e-learning/abc.coursedata/issues/x.htm", "mirvane://data/issues/x.htm"},
      {"javascript:mute()", "javascript:mute()"},
      {"https://example.invalid/a", "https://example.invalid/a"},
      {"/etc/passwd", ""},
      {"D:\\elsewhere\\page.htm", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CourseUrlFor(t.app, c.address).toString().toStdString(), c.url) << c.address;
  }
}

TEST(CourseSchemeTest, NothingAboveTheFoldersIsServed) {
  test::HeadlessApp t;
  t.app.ContentFolder = "/opt/course/";
  t.app.DataFolder = "C:\\data\\";
  struct Case {
    const char* url;
    const char* path;
  } cases[] = {
      {"mirvane://content/l1/p1.htm", "/opt/course/l1\\p1.htm"},
      {"mirvane://data/issues/x.htm", "C:\\data\\issues\\x.htm"},
      {"mirvane://content/%2e%2e/secret.txt", ""},
      {"mirvane://content/l1/..%2F..%2Fsecret.txt", ""},
      {"mirvane://content/C:%5Cwindows", ""},
      {"mirvane://other/file.htm", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CoursePathFor(t.app, QUrl(c.url)), c.path) << c.url;
  }
}

TEST(CourseSchemeTest, PagesGetThePolicyInTheirHead) {
  EXPECT_EQ(WithTrustedTypesPolicy("<html><HEAD><title>x</title>").toStdString(),
            "<html><HEAD><meta http-equiv=\"Content-Security-Policy\" "
            "content=\"require-trusted-types-for 'script'\"><title>x</title>");
  EXPECT_TRUE(WithTrustedTypesPolicy("<frameset></frameset>").startsWith("<meta http-equiv"));
}

}  // namespace
}  // namespace mirvane
