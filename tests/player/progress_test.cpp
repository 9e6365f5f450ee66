#include "player/progress.h"

#include <gtest/gtest.h>

#include "support/player_fixture.h"

namespace mirvane {
namespace {

using ProgressTest = test::PlayerFixture;

TEST_F(ProgressTest, TheCourseMenusExample) {
  Settings("totallpaths=3\r\ntotallobjects1=2\r\ntotallobjects2=3\r\ntotallobjects3=1\r\n");
  for (auto [key, value] : {std::pair{"l1", "2"}, {"l2", "1"}, {"o1_1", "2"}, {"o1_2", "2"},
                            {"o2_1", "2"}, {"o2_2", "1"}}) {
    WriteRecord(app, key, value);
  }
  app.CurrentLPath = "2";
  app.CourseStarted = true;
  player().DocumentComplete("wbContent", "file:///C:/Course/TrackingData.htm");
  EXPECT_EQ(browser().frame_body[1],
            "showintro=false&bMute=true&CurrentUnit=2&sUnits=210&sTopics1=22&sTopics2=210&"
            "sTopics3=0&");
  EXPECT_EQ(player().mouse_pointer, MousePointer::Hourglass);
}

TEST_F(ProgressTest, CountsThatAreMissingOrNoNumbersReadAsNone) {
  struct Case {
    const char* settings;
    const char* progress;
  } cases[] = {
      {"totallpaths=0\r\n", "bMute=true&CurrentUnit=&sUnits=&"},
      {"", "bMute=true&CurrentUnit=&sUnits=&"},
      {"totallpaths=two\r\n", "bMute=true&CurrentUnit=&sUnits=&"},
      {"totallpaths=2\r\ntotallobjects1=x\r\n", "bMute=true&CurrentUnit=&sUnits=00&sTopics1=&sTopics2=&"},
      {"totallpaths=1\r\ntotallobjects1=3\r\n", "bMute=true&CurrentUnit=&sUnits=0&sTopics1=000&"},
  };
  for (const Case& c : cases) {
    Settings(c.settings);
    EXPECT_EQ(ProgressString(app), c.progress) << c.settings;
  }
}

TEST_F(ProgressTest, FollowsSoundIntroductionAndRecordsAsStored) {
  Settings("totallpaths=2\r\ntotallobjects1=1\r\n");
  WriteRecord(app, "l1", "12");  // not written by the player: passed on whole
  Navigate("javascript:mute()");
  EXPECT_EQ(ProgressString(app), "bMute=false&CurrentUnit=&sUnits=120&sTopics1=0&sTopics2=&");
  WriteRecord(app, "lesson_location", "p.htm");
  t.host.dialogs.answers = {MessageAnswer::No};
  Navigate("course.htm");
  EXPECT_TRUE(ProgressString(app).starts_with("showintro=false&bMute=false"));
}

TEST_F(ProgressTest, OnlyTheTrackingPageReceivesIt) {
  Settings("totallpaths=0\r\n");
  std::size_t operations = browser().operations.size();
  player().DocumentComplete("wbContent", "file:///C:/Course/qxlaunch.htm");
  player().DocumentComplete("wbContent", "file:///C:/Course/l1/p1.htm");
  EXPECT_EQ(browser().operations.size(), operations);
  EXPECT_EQ(player().mouse_pointer, MousePointer::Default);
}

}  // namespace
}  // namespace mirvane
