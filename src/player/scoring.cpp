#include "player/scoring.h"

#include <cstdint>
#include <optional>

#include "certificate/frm_certificate.h"
#include "platform/numbers.h"
#include "platform/text.h"
#include "player/frm_main.h"
#include "records/record_file.h"
#include "review/issue_export.h"
#include "startup/settings.h"
#include "startup/startup.h"
#include "texts/text_table.h"

namespace mirvane {

namespace {

// A text converted to a whole number under the regional format; nothing when
// it is no number or lies beyond 16 bits.
std::optional<long> WholeOf(App& app, std::string_view text) {
  std::optional<double> n = ConvertRegionalNumber(text, app.platform.clock.Regional());
  if (!n) return std::nullopt;
  double whole = RoundHalfEven(*n);
  if (whole < -32768 || whole > 32767) return std::nullopt;
  return static_cast<long>(whole);
}

// A count from the settings (lesson paths, objects): none when it is missing,
// not a number, or not above 0.
long CountOf(App& app, std::string_view text) {
  std::optional<long> n = WholeOf(app, text);
  return n && *n > 0 ? *n : 0;
}

long MasteryScore(App& app) {
  std::string mastery = ReadSetting(app, "masteryscore");
  return mastery.empty() ? 70 : WholeNumber(LeadingNumberValue(mastery));
}

bool Fits16(long value) { return value >= -32768 && value <= 32767; }

// The score a test reported, from the characters between the parentheses.
std::optional<long> ReportedScore(App& app, const std::string& address, std::size_t p) {
  if (address == "javascript:setscore(\"undefined\");") return 0;
  std::size_t open = InStr(address, "(", p);
  std::size_t close = open == 0 ? 0 : InStr(address, ")", open);
  if (close == 0) return std::nullopt;
  std::string t = Mid(address, open, close - open + 1);
  t = Replace(Replace(Replace(t, "(", ""), ")", ""), "\"", "");
  std::size_t dot = t.find('.');
  std::optional<double> n;
  if (dot != std::string::npos) {
    n = ConvertRegionalNumber(t.substr(0, dot), app.platform.clock.Regional());
  } else if (address.find("setscoreext") != std::string::npos) {
    n = ConvertRegionalNumber(t.substr(0, t.find(',')), app.platform.clock.Regional());
  } else {
    n = ConvertRegionalNumber(t, app.platform.clock.Regional());
  }
  if (!n) return std::nullopt;
  double whole = RoundHalfEven(*n);
  if (whole < -32768 || whole > 32767) return std::nullopt;
  return static_cast<long>(whole);
}

void ShowResultMessage(App& app, const std::string& setting, const char* text_key, long score) {
  std::string custom = ReadSetting(app, setting);
  std::string s = NumberText(score);
  std::string message = custom.empty()
                            ? Replace(GetText(app, text_key), "_SCORE_", s)
                            : Replace(Replace(custom, "_SCORE_", s), "_COMMA_", ",");
  ShowMessage(app.platform.dialogs, message);
}

}  // namespace

void RecordScore(App& app, FrmMain& player, const std::string& address, bool& cancel) {
  std::size_t p = InStr(address, "setscore");
  if (p == 0 || !player.IsForbiddenScreen()) return;
  cancel = true;

  // A score, an evaluated lesson path or a position that is no number, lies
  // outside the tables, or would carry a sum beyond 16 bits is ignored whole.
  std::optional<long> score = ReportedScore(app, address, p);
  std::string evaluated =
      ReadSetting(app, "evaluates" + app.CurrentLPath + "_" + app.CurrentLObject + "_" + app.CurrentLPoint);
  if (evaluated.empty()) evaluated = "0";
  std::optional<long> k = WholeOf(app, evaluated);
  std::optional<long> i = WholeOf(app, app.CurrentLPath);
  std::optional<long> j = WholeOf(app, app.CurrentLObject);
  if (!score || !k || !i || !j || !ScoreTables::InRange(*k) || !ScoreTables::InRange(*i) ||
      !ScoreTables::InRange(*j)) {
    return;
  }
  ScoreTables& t = player.scores;
  long path_sum = t.PathScoreSum[*k] + *score;
  long object_sum = t.ObjectScoreSum[*i][*j] + *score;
  if (!Fits16(path_sum) || !Fits16(object_sum) || t.PathScoreCount[*k] == 32767 ||
      t.ObjectScoreCount[*i][*j] == 32767) {
    return;
  }

  app.ScorePending = true;
  t.PathScoreSum[*k] = static_cast<std::int16_t>(path_sum);
  ++t.PathScoreCount[*k];
  t.ObjectScoreSum[*i][*j] = static_cast<std::int16_t>(object_sum);
  ++t.ObjectScoreCount[*i][*j];
  t.ObjectScore[*i][*j] = static_cast<std::int16_t>(
      RoundHalfEven(static_cast<double>(object_sum) / t.ObjectScoreCount[*i][*j]));

  if (t.ObjectScore[*i][*j] > 0) {
    WriteRecord(app, "score" + app.CurrentLPath + "_" + app.CurrentLObject,
                NumberText(t.ObjectScore[*i][*j]));
  }
  long course = ComputeCourseScore(app, player);
  if (course > 0) WriteRecord(app, "rawscore", NumberText(course));
  long mastery = MasteryScore(app);
  WriteRecord(app, "status", course < mastery ? "f" : "p");

  if (ReadSetting(app, "showmenufeedback") == "true" && evaluated != "0") {
    long average = static_cast<long>(
        RoundHalfEven(static_cast<double>(t.PathScoreSum[*k]) / t.PathScoreCount[*k]));
    const char* status = average < mastery ? "0" : "2";
    WriteRecord(app, "l" + evaluated, status);
    long objects = CountOf(app, ReadSetting(app, "totallobjects" + evaluated));
    for (long x = 1; x <= objects; ++x) {
      WriteRecord(app, "o" + evaluated + "_" + std::to_string(x), status);
    }
  }
  if (course >= 1) {
    WriteRecord(app, "enddatetime",
                DateTimeText(app.platform.clock.Now(), app.platform.clock.Regional()));
  }
}

long ComputeCourseScore(App& app, FrmMain& player) {
  // Wide sums: a course of many scored objects must not overflow.
  std::int64_t sum = 0;
  std::int64_t count = 0;
  // The counts from one read of the settings and the stored scores of every
  // object from one read of the record file; both snapshots go with this call.
  SettingsSnapshot settings(app);
  RecordSnapshot record(app);
  long paths = CountOf(app, settings.Read("totallpaths"));
  for (long i = 1; i <= paths; ++i) {
    long objects = CountOf(app, settings.Read("totallobjects" + std::to_string(i)));
    for (long j = 1; j <= objects; ++j) {
      std::int64_t v = 0;
      if (ScoreTables::InRange(i) && ScoreTables::InRange(j)) v = player.scores.ObjectScore[i][j];
      if (v == 0) {
        v = WholeNumber(LeadingNumberValue(
            record.Read("score" + std::to_string(i) + "_" + std::to_string(j))));
      }
      if (v > 0) {
        sum += v;
        ++count;
      }
    }
  }
  if (count == 0) return -1;
  long r = static_cast<long>(RoundHalfEven(static_cast<double>(sum) / static_cast<double>(count)));
  return r >= 97 ? 100 : r;
}

void EvaluateTestResult(App& app, FrmMain& player) {
  (void)player;
  long mastery = MasteryScore(app);
  std::string raw = ReadRecord(app, "rawscore");
  long s = raw.empty() ? 0 : WholeNumber(LeadingNumberValue(raw));
  if (LCase(ReadSetting(app, "showtestmessages")) != "true" || s <= 0) return;
  if (s > 100 || (s >= 97 && s <= 99)) s = 100;
  if (s < mastery) {
    ShowResultMessage(app, "failmessage", "l28", s);
    return;
  }
  if (ReadSetting(app, "certificateshow") == "true") {
    FrmCertificate& certificate = app.forms.Get<FrmCertificate>("frmCertificate");
    certificate.control("txtScore").text = NumberText(s);
    app.forms.Show("frmCertificate", ShowMode::Modal, "frmMain");
    return;
  }
  ShowResultMessage(app, "passmessage", "l27", s);
}

void CloseCourse(App& app, FrmMain& player, bool& cancel) {
  cancel = true;
  std::string question = ReadSetting(app, "closecoursemessage");
  if (Trim(question).empty()) question = GetText(app, "l8");
  if (ShowMessage(app.platform.dialogs, question, MessageButtons::YesNo) != MessageAnswer::Yes) {
    return;
  }
  ExportIssues(app);
  double spent = LeadingNumberValue(ReadRecord(app, "time"));
  spent += static_cast<double>(app.platform.clock.UnixSeconds() - player.StartTime);
  WriteRecord(app, "time", DecimalText(spent));
  if (app.CurrentUser == kAnonymousUser) {
    app.platform.files.DeleteFile(RecordFilePath(app, kAnonymousUser));
  }
  app.platform.processes.EndProgram(0);
}

}  // namespace mirvane
