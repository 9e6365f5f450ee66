// A learner in front of the player window on the headless platform.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/headless_platform.h"
#include "player/frm_main.h"
#include "records/record_file.h"
#include "support/headless_app.h"

namespace mirvane::test {

class PlayerFixture : public ::testing::Test {
 protected:
  HeadlessApp t;
  App& app = t.app;

  void SetUp() override {
    Settings("");
    app.Language = "en";
    app.ContentFolder = app.AppFolder;
    app.CourseCode = "ABC";
    app.DataFolder = "C:\\e-Learning\\ABC.coursedata\\";
    t.host.files().CreateFolder("C:\\e-Learning\\");
    t.host.files().CreateFolder(app.DataFolder);
    app.CurrentUser = "ana";
    ReadRecord(app, "exists");
  }

  // The settings file: the course code and language, then `extra` lines.
  void Settings(const std::string& extra) {
    t.WriteSettings("coursecode=ABC\r\nlanguage=en\r\n" + extra);
  }

  FrmMain& player() { return app.forms.Get<FrmMain>("frmMain"); }
  HeadlessBrowser& browser() { return *HeadlessPlatform::BrowserOf(player(), "wbContent"); }

  // A navigation of the player's browser; true when the player cancelled it.
  bool Navigate(const std::string& url) {
    bool cancel = false;
    player().BeforeNavigate2("wbContent", url, cancel);
    return cancel;
  }

  void At(const char* path, const char* object, const char* point) {
    app.CurrentLPath = path;
    app.CurrentLObject = object;
    app.CurrentLPoint = point;
  }

  std::string Record(const std::string& key) { return ReadRecord(app, key); }
  const std::vector<ShownMessage>& Messages() { return t.host.dialogs.shown; }
};

}  // namespace mirvane::test
