#include "player/progress.h"

#include "platform/browser.h"
#include "platform/numbers.h"
#include "platform/text.h"
#include "player/frm_main.h"
#include "records/record_file.h"
#include "startup/settings.h"

namespace mirvane {

namespace {

// A count from the settings as a whole number; a missing count, or one that
// is not a number, counts as none.
long CountSetting(App& app, SettingsSnapshot& settings, const std::string& key) {
  std::optional<double> n = ConvertRegionalNumber(settings.Read(key), app.platform.clock.Regional());
  if (!n || !(*n >= 1) || *n > 32767) return 0;
  return static_cast<long>(RoundHalfEven(*n));
}

std::string StatusOf(RecordSnapshot& record, const std::string& key) {
  std::string v = record.Read(key);
  return v.empty() ? "0" : v;
}

}  // namespace

std::string ProgressString(App& app) {
  // The counts of the course from one read of the settings and every status
  // from one read of the record file; both snapshots go with this call.
  SettingsSnapshot settings(app);
  RecordSnapshot record(app);
  std::string units;
  std::string topics;
  long paths = CountSetting(app, settings, "totallpaths");
  for (long i = 1; i <= paths; ++i) {
    const std::string n = std::to_string(i);
    units += StatusOf(record, "l" + n);
    topics += "&sTopics" + n + "=";
    long objects = CountSetting(app, settings, "totallobjects" + n);
    for (long j = 1; j <= objects; ++j) topics += StatusOf(record, "o" + n + "_" + std::to_string(j));
  }
  std::string s = app.CourseStarted ? "showintro=false&" : "";
  s += app.AudioEnabled ? "bMute=true" : "bMute=false";
  s += "&CurrentUnit=" + app.CurrentLPath + "&sUnits=" + units + topics + "&";
  return s;
}

void WriteProgressOnLoad(App& app, FrmMain& player, const std::string& url) {
  if (LCase(url).find(kTrackingPage) == std::string::npos) return;
  player.mouse_pointer = MousePointer::Hourglass;
  player.content().SetFrameBodyHtml(1, ProgressString(app));
}

}  // namespace mirvane
