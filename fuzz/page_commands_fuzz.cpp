// The page command interpreter on arbitrary addresses: each line of the input
// is one navigation of the player's browser, with the player loaded and every
// message box answered with its default button. Closing the course ends the
// program, which the headless platform reports by throwing ProgramEnded.
#include <cstdint>
#include <string_view>

#include "fuzz_app.h"
#include "player/frm_main.h"
#include "records/record_file.h"

namespace {

constexpr std::string_view kSettings =
    "coursecode=ABC\r\nlanguage=en\r\nreview=true\r\nenableaudio=true\r\n"
    "totallpaths=2\r\ntotallobjects1=2\r\ntotallobjects2=1\r\n"
    "totallpoints1_1=3\r\ntotallpoints1_2=3\r\ntotallpoints2_1=3\r\n"
    "forbiddenscreens=.2_1_3.\r\nevaluates2_1_3=1\r\nmasteryscore=70\r\n"
    "showtestmessages=true\r\ncertificateshow=true\r\n"
    "ido1_1=o1\r\nidp1_1_1=l1o1p1\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  mirvane::fuzz::FuzzApp f;
  mirvane::App& app = f.app;
  f.Settings(kSettings);
  app.CurrentUser = "learner";
  app.CurrentLPath = "1";
  app.CurrentLObject = "1";
  app.CurrentLPoint = "1";
  try {
    (void)mirvane::ReadRecord(app, "exists");
    app.forms.Show("frmMain", mirvane::ShowMode::Modeless, "");
    std::size_t start = 0;
    int lines = 0;
    while (start <= input.size() && lines++ < 16) {
      std::size_t end = input.find('\n', start);
      if (end == std::string_view::npos) end = input.size();
      // A command may close the player; its window object is gone after that.
      if (!app.forms.IsLoaded("frmMain")) break;
      auto& player = app.forms.Get<mirvane::FrmMain>("frmMain");
      bool cancel = false;
      player.BeforeNavigate2("wbContent", std::string(input.substr(start, end - start)), cancel);
      app.forms.ReleaseUnloaded();
      start = end + 1;
    }
  } catch (const mirvane::ProgramEnded&) {
    // The course was closed: the run is over.
  }
  return 0;
}
