#include "player/frm_main.h"

#include <gtest/gtest.h>

#include "player/file_name_text.h"
#include "player/frm_background.h"
#include "support/player_fixture.h"

namespace mirvane {
namespace {

using PlayerWindowTest = test::PlayerFixture;

TEST_F(PlayerWindowTest, LoadNotesTheTimeLaunchesTheCourseAndLabelsTheReviewButton) {
  const std::pair<const char*, const char*> captions[] = {
      {"es", "&Revisar"}, {"en", "&Review"}, {"fr", "&Réviser"}, {"pt", "&Revisar"}, {"de", "&Review"}};
  for (const auto& [language, caption] : captions) {
    test::HeadlessApp fresh;
    fresh.WriteSettings("coursecode=ABC\r\n");
    fresh.app.Language = language;
    fresh.app.ContentFolder = "C:\\Course\\content\\";
    fresh.host.clock.unix_seconds = 5000;
    FrmMain& player = fresh.app.forms.Get<FrmMain>("frmMain");
    EXPECT_EQ(player.control("cmdReview").text, caption);
    EXPECT_FALSE(player.control("cmdReview").visible);
    EXPECT_EQ(player.StartTime, 5000);
    EXPECT_EQ(HeadlessPlatform::BrowserOf(player, "wbContent")->navigations,
              std::vector<std::string>{"C:\\Course\\content\\qxlaunch.htm"});
  }
}

TEST_F(PlayerWindowTest, BackdropOpensThePlayerMaximisedOrAtItsDesignSize) {
  struct Case {
    const char* fullscreen;
    bool maximised;
  } cases[] = {{"fullscreen=false\r\n", false}, {"fullscreen=False\r\n", true},
               {"fullscreen=true\r\n", true},   {"", true}};
  for (const Case& c : cases) {
    test::HeadlessApp fresh;
    fresh.WriteSettings(std::string("coursecode=ABC\r\n") + c.fullscreen);
    fresh.app.forms.Show("frmBackground");
    FrmMain& player = fresh.app.forms.Get<FrmMain>("frmMain");
    const Control& browser = player.control("wbContent");
    if (c.maximised) {
      EXPECT_EQ(player.state, WindowState::Maximized) << c.fullscreen;
      EXPECT_EQ(player.width, fresh.host.windows.screen_width);
      EXPECT_EQ(browser.left, 0);
    } else {
      EXPECT_EQ(player.state, WindowState::Normal) << c.fullscreen;
      EXPECT_EQ(player.width, 12135);
      EXPECT_EQ(player.height, 8940);
      EXPECT_EQ(browser.left, -40);
    }
    // The browser overhangs the window so that its edges are never seen.
    EXPECT_EQ(browser.width, player.width + 220);
    EXPECT_EQ(browser.height, player.height + 740);
    EXPECT_EQ(browser.top, -330);
    EXPECT_EQ(player.control("cmdReview").top, player.height - 530);
    EXPECT_EQ(player.control("cmdReview").left, 120);
    EXPECT_EQ(fresh.host.windows.open, (std::vector<std::string>{"frmMain", "frmBackground"}));
  }
}

TEST_F(PlayerWindowTest, ResizeLaysOutAgainAndUndoesTheWindowedShift) {
  FrmMain& p = player();
  p.control("wbContent").left = -40;
  p.width = 9000;
  p.height = 6000;
  p.Form_Resize();
  EXPECT_EQ(p.control("wbContent").left, 0);
  EXPECT_EQ(p.control("wbContent").width, 9220);
  EXPECT_EQ(p.control("wbContent").height, 6740);
  EXPECT_EQ(p.control("cmdReview").top, 5470);
}

TEST_F(PlayerWindowTest, ForbiddenScreensMatchWholeScreenIds) {
  struct Case {
    const char* setting;
    const char* point;
    bool forbidden;
  } cases[] = {
      {"forbiddenscreens=.1_2_3.\r\n", "3", true},
      {"forbiddenscreens=.1_2_3.\r\n", "33", false},
      {"forbiddenscreens=.1_2_33.\r\n", "3", false},
      {"forbiddenscreens=.1_4_2..1_2_3.\r\n", "3", true},
      {"", "3", false},
  };
  for (const Case& c : cases) {
    Settings(c.setting);
    At("1", "2", c.point);
    EXPECT_EQ(player().IsForbiddenScreen(), c.forbidden) << c.setting << " point " << c.point;
  }
}

TEST_F(PlayerWindowTest, UnloadAllFormsKeepsOnlyTheOneNamed) {
  app.forms.Show("frmBackground");
  app.forms.Load("frmReview");
  app.forms.Load("frmCertificate");
  player().UnloadAllForms("frmMain");
  EXPECT_EQ(app.forms.LoadedNames(), std::vector<std::string>{"frmMain"});
}

TEST(FileNameTextTest, DateTimeTextsBecomeFileNames) {
  EXPECT_EQ(ToFileNameText("09/12/2026 13:37:02"), "09-12-2026 13.37.02");
  EXPECT_EQ(ToFileNameText("15.10.2009 14:05:09"), "15.10.2009 14.05.09");
  EXPECT_EQ(ToFileNameText(""), "");
}

}  // namespace
}  // namespace mirvane
