#include "player/page_commands.h"

#include "platform/browser.h"
#include "platform/numbers.h"
#include "platform/text.h"
#include "player/frm_main.h"
#include "player/scoring.h"
#include "records/record_file.h"
#include "startup/settings.h"
#include "texts/text_table.h"

namespace mirvane {

namespace {

// The address as the steps below see it: lowercased, with character positions
// counted from 1.
struct Address {
  std::string text;
  std::size_t length;

  bool Contains(std::string_view keyword) const { return text.find(keyword) != std::string::npos; }
  std::size_t Position(std::string_view keyword, std::size_t start = 1) const {
    return InStr(text, keyword, start);
  }
};

// The number a text begins with, written back as text ("00012" is "12").
std::string NumberOf(std::string_view text) { return DecimalText(LeadingNumberValue(text)); }

bool ReviewSettingOn(App& app) { return Trim(LCase(ReadSetting(app, "review"))) == "true"; }

// A query in a course address is refused, and the page loaded without it. The
// player's own reload of the cut address arrives here again and passes.
void QueryCheck(App& app, FrmMain& player, const Address& a, bool& cancel) {
  std::size_t p = a.Position("?");
  if (p == 0) return;
  cancel = true;
  ShowMessage(app.platform.dialogs, GetText(app, "e3") + "\r\n\r\nURL: " + a.text,
              MessageButtons::Ok, MessageIcon::Critical);
  std::string cut = Left(a.text, p);
  // A script address cut short is no script any more: there is nothing to reload.
  if (cut.starts_with("javascript:")) return;
  player.own_cut_navigation = cut;
  player.content().Navigate(cut);
}

void ResumeOffer(App& app, FrmMain& player, bool& cancel) {
  std::string location = ReadRecord(app, "lesson_location");
  if (location.empty() || app.CourseStarted) return;
  app.CourseStarted = true;
  MessageAnswer answer = ShowMessage(app.platform.dialogs, GetText(app, "l22"),
                                     MessageButtons::YesNo, MessageIcon::Question);
  if (answer != MessageAnswer::Yes) return;
  cancel = true;
  app.CurrentLPath = NumberOf(ReadRecord(app, "bookmark_lpath"));
  app.CurrentLObject = NumberOf(ReadRecord(app, "bookmark_lobject"));
  app.CurrentLPoint = NumberOf(ReadRecord(app, "bookmark_lpoint"));
  player.content().SetFrameBodyHtml(1, app.CurrentLPoint);
  if (ReviewSettingOn(app)) player.control("cmdReview").visible = true;
  player.content().SetFrameLocation(0, location);
}

void SaveNotes(App& app, const Address& a, bool& cancel) {
  std::size_t p = a.Position("savenotes");
  // The notes stand between the character after the keyword and the last
  // character of the address.
  if (a.length >= p + 10) WriteRecord(app, "notes", Mid(a.text, p + 10, a.length - p - 10));
  cancel = true;
}

void LearningPointBegins(App& app, FrmMain& player, const Address& a, bool& cancel) {
  app.CourseStarted = true;
  app.forms.Unload("frmReview");
  cancel = true;
  std::size_t first = a.Position("'");
  std::size_t second = first == 0 ? 0 : a.Position("'", first + 1);
  if (second == 0) return;  // no index between quotes: nothing to begin
  app.CurrentLPoint = DecimalText(LeadingNumberValue(Mid(a.text, first + 1, second - first - 1)) + 1);

  const std::string path_key = "l" + app.CurrentLPath;
  const std::string object_key = "o" + app.CurrentLPath + "_" + app.CurrentLObject;
  // What to store is decided first and stored with one write (one flush to
  // the disk); an entry with no key stores nothing. No entry's key is read
  // after another entry writes it, so the record ends as with a write each.
  const bool path_begun = ReadRecord(app, path_key) != "2";
  const bool object_begun = ReadRecord(app, object_key) != "2";
  const bool object_complete =
      ReadSetting(app, "totallpoints" + app.CurrentLPath + "_" + app.CurrentLObject) ==
      app.CurrentLPoint;
  const bool bookmark = !player.IsForbiddenScreen();
  const std::string point = "000" + app.CurrentLPoint;
  WriteRecords(app, {{path_begun ? path_key : std::string_view(), "1"},
                     {object_begun ? object_key : std::string_view(), "1"},
                     {object_complete ? object_key : std::string_view(), "2"},
                     {bookmark ? "bookmark_lpoint" : std::string_view(), point}});
}

// False when the address stops here (the end of a test object reported on
// its test screen without the "next" marker).
bool LearningObjectEnds(App& app, FrmMain& player, const Address& a) {
  app.forms.Unload("frmReview");
  player.control("cmdReview").visible = false;
  if (player.IsForbiddenScreen() && !a.Contains("(\"next\")")) return false;
  player.LaunchCourse();

  double objects = RoundHalfEven(LeadingNumberValue(ReadSetting(app, "totallobjects" + app.CurrentLPath)));
  bool complete = true;
  {
    // The objects' statuses from one read of the record file, let go before
    // the write below. Stops at the first object not complete, so a huge
    // count costs nothing.
    RecordSnapshot record(app);
    for (double m = 1; m <= objects; ++m) {
      if (record.Read("o" + app.CurrentLPath + "_" + DecimalText(m)) != "2") {
        complete = false;
        break;
      }
    }
  }
  if (complete) WriteRecord(app, "l" + app.CurrentLPath, "2");
  if (app.ScorePending) {
    EvaluateTestResult(app, player);
    app.ScorePending = false;
  }
  return true;
}

void SetBookmark(App& app, const Address& a, bool& cancel) {
  cancel = true;
  std::size_t p = a.Position("setbookmark");
  // Two characters after the keyword and three at the end frame the location.
  if (a.length < p + 15) return;
  std::string location = Mid(a.text, p + 13, a.length - p - 15);
  std::size_t index = location.find("&lpointindex");
  if (index != std::string::npos) location.resize(index);
  // The four parts of a bookmark go to the disk together: one flush, and
  // never a bookmark half of the old screen and half of the new.
  const std::string path = "000" + app.CurrentLPath;
  const std::string object = "000" + app.CurrentLObject;
  const std::string point = "000" + app.CurrentLPoint;
  WriteRecords(app, {{"bookmark_lpath", path},
                     {"bookmark_lobject", object},
                     {"bookmark_lpoint", point},
                     {"lesson_location", location}});
}

void OpenLearningObject(App& app, FrmMain& player, const Address& a) {
  if (ReviewSettingOn(app)) player.control("cmdReview").visible = true;
  std::size_t p = a.Position("openlobject");
  std::size_t open = a.Position("(", p);
  std::size_t close = open == 0 ? 0 : a.Position(")", open);
  if (close == 0) return;
  std::string inner = Mid(a.text, open, close - open + 1);
  inner = Replace(Replace(Replace(inner, "(", ""), ")", ""), "\"", "");
  std::size_t comma = inner.find(',');
  if (comma == std::string::npos) return;  // no object: the position stays
  app.CurrentLPath = inner.substr(0, comma);
  app.CurrentLObject = inner.substr(comma + 1);
  app.CurrentLPoint = "1";
}

}  // namespace

void RunPageCommands(App& app, FrmMain& player, const std::string& url, bool& cancel) {
  Address a{LCase(url), 0};
  a.length = Len(a.text);

  if (!player.own_cut_navigation.empty() && a.text == player.own_cut_navigation) {
    player.own_cut_navigation.clear();
  } else {
    QueryCheck(app, player, a, cancel);
  }
  if (a.Contains("course.htm")) ResumeOffer(app, player, cancel);
  if (a.Contains("javascript:mute()")) app.AudioEnabled = !app.AudioEnabled;
  if (a.Contains("loadnotes")) {
    cancel = true;
    player.content().SetTitle(ReadRecord(app, "notes"));
  }
  if (a.Contains("savenotes")) SaveNotes(app, a, cancel);
  if (a.Contains("lpoint_begin")) LearningPointBegins(app, player, a, cancel);
  if (a.Contains("lobject_end") && !LearningObjectEnds(app, player, a)) return;
  if (a.Contains("setbookmark")) SetBookmark(app, a, cancel);
  if (a.Contains("openlobject")) OpenLearningObject(app, player, a);
  if (a.Contains("tracking.end_course()")) CloseCourse(app, player, cancel);
  if (a.Contains("setscore")) RecordScore(app, player, a.text, cancel);
}

}  // namespace mirvane
