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
long CountSetting(App& app, const std::string& key) {
  std::optional<double> n = ConvertRegionalNumber(ReadSetting(app, key), app.platform.clock.Regional());
  if (!n || !(*n >= 1) || *n > 32767) return 0;
  return static_cast<long>(RoundHalfEven(*n));
}

std::string StatusOf(App& app, const std::string& key) {
  std::string v = ReadRecord(app, key);
  return v.empty() ? "0" : v;
}

}  // namespace

std::string ProgressString(App& app) {
  std::string units;
  std::string topics;
  long paths = CountSetting(app, "totallpaths");
  for (long i = 1; i <= paths; ++i) {
    const std::string n = std::to_string(i);
    units += StatusOf(app, "l" + n);
    topics += "&sTopics" + n + "=";
    long objects = CountSetting(app, "totallobjects" + n);
    for (long j = 1; j <= objects; ++j) topics += StatusOf(app, "o" + n + "_" + std::to_string(j));
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
