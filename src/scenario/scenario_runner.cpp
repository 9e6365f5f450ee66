#include "scenario/scenario_runner.h"

#include <ctime>
#include <filesystem>
#include <istream>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "platform/headless_platform.h"
#include "platform/numbers.h"
#include "platform/text.h"
#include "records/record_file.h"
#include "startup/program_windows.h"
#include "startup/startup.h"

namespace mirvane {

namespace {

struct ScenarioError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: return "label";
    case ControlKind::TextBox: return "text box";
    case ControlKind::Button: return "button";
    case ControlKind::Frame: return "frame";
    case ControlKind::PictureBox: return "picture box";
    case ControlKind::Image: return "image";
    case ControlKind::Browser: return "browser";
  }
  return "control";
}

std::string Twips(double v) { return DecimalText(v); }

class Runner {
 public:
  Runner(const std::string& folder, std::ostream& out, const ScenarioOptions& options)
      : host_(folder, true, options.keep_drives), app_(host_.platform()), out_(out) {
    host_.dialogs.require_answers = true;
    RegisterProgramWindows(app_);
    if (options.keep_drives) out_ << "drives folder: " << host_.root() << "\n";
  }

  void Start() {
    started_ = true;
    out_ << "> start-up\n";
    RunStartup(app_);
    Settle();
  }
  bool started() const { return started_; }

  void Run(const std::string& command, const std::string& rest) {
    if (command == "answer") {
      Answer(rest);
    } else if (command == "type") {
      auto [form, control] = Target(rest, true);
      Control& c = Usable(*form, control.first);
      if (c.kind != ControlKind::TextBox) throw ScenarioError(control.first + " is not a text box");
      c.text = control.second;
      form->Change(c.name);
    } else if (command == "click") {
      auto [form, control] = Target(rest, false);
      Usable(*form, control.first);
      form->Click(control.first);
    } else if (command == "key") {
      auto [form, control] = Target(rest, true);
      Usable(*form, control.first);
      PressKey(*form, control.first, KeyCode(control.second));
    } else if (command == "navigate") {
      auto [form, control] = Target(rest, true);
      BrowserOf(*form, control.first);
      bool cancel = false;
      form->BeforeNavigate2(control.first, control.second, cancel);
      host_.transcript.push_back(std::string("navigation ") +
                                 (cancel ? "cancelled" : "goes on") + ": " + control.second);
    } else if (command == "complete") {
      auto [form, control] = Target(rest, true);
      BrowserOf(*form, control.first);
      form->DocumentComplete(control.first, control.second);
    } else if (command == "body") {
      auto [form, control] = Target(rest, true);
      BrowserOf(*form, control.first).body_html = control.second;
    } else if (command == "close") {
      Form& form = Window(rest);
      if (!app_.forms.RequestClose(form.name())) {
        host_.transcript.push_back("window kept open: " + rest);
      }
    } else if (command == "show") {
      Show(Window(rest));
    } else if (command == "records") {
      host_.transcript.push_back("record of " + app_.CurrentUser + ":");
      for (const auto& [key, value] : ListRecord(app_)) {
        host_.transcript.push_back("  " + key + " = " + value);
      }
    } else if (command == "wait") {
      Wait(rest);
    } else {
      throw ScenarioError("unknown command \"" + command + "\"");
    }
    Settle();
  }

  void Flush() {
    while (printed_ < host_.transcript.size()) out_ << host_.transcript[printed_++] << "\n";
  }

 private:
  void Settle() {
    app_.forms.ReleaseUnloaded();
    Flush();
    ForgetPrinted();
  }

  // The headless platform keeps a history of everything for tests to look
  // at; the runner has printed it, and a long scenario must not grow with it.
  void ForgetPrinted() {
    host_.transcript.clear();
    printed_ = 0;
    host_.dialogs.shown.clear();
    host_.processes.started.clear();
    host_.processes.ended.clear();
    host_.windows.shown.clear();
    host_.windows.closed.clear();
    for (const std::string& name : app_.forms.LoadedNames()) {
      Form* form = app_.forms.Find(name);
      if (form == nullptr) continue;
      for (const Control& c : form->controls()) {
        if (c.kind != ControlKind::Browser) continue;
        if (HeadlessBrowser* browser = HeadlessPlatform::BrowserOf(*form, c.name)) {
          browser->navigations.clear();
          browser->operations.clear();
        }
      }
    }
  }

  void Answer(const std::string& word) {
    std::string w = LCase(Trim(word));
    if (w == "yes") {
      host_.dialogs.answers.push_back(MessageAnswer::Yes);
    } else if (w == "no") {
      host_.dialogs.answers.push_back(MessageAnswer::No);
    } else if (w == "ok") {
      host_.dialogs.answers.push_back(MessageAnswer::Ok);
    } else {
      throw ScenarioError("answer takes yes, no or ok");
    }
  }

  Form& Window(const std::string& name) {
    Form* form = app_.forms.Find(Trim(name));
    if (form == nullptr) throw ScenarioError("no window " + Trim(name) + " is open");
    return *form;
  }

  // "frmLogin.txtId some text" -> the window, and the control's name with the rest.
  std::pair<Form*, std::pair<std::string, std::string>> Target(const std::string& rest,
                                                              bool wants_argument) {
    std::size_t space = rest.find(' ');
    std::string name = rest.substr(0, space);
    std::string argument = space == std::string::npos ? "" : rest.substr(space + 1);
    std::size_t dot = name.find('.');
    if (dot == std::string::npos) throw ScenarioError("write the control as WINDOW.CONTROL");
    if (!wants_argument && !Trim(argument).empty()) throw ScenarioError("unexpected text after " + name);
    Form& form = Window(name.substr(0, dot));
    std::string control = name.substr(dot + 1);
    if (form.FindControl(control) == nullptr) {
      throw ScenarioError(form.name() + " has no control " + control);
    }
    return {&form, {control, argument}};
  }

  Control& Usable(Form& form, const std::string& name) {
    Control& c = form.control(name);
    if (!c.visible || !c.enabled) {
      throw ScenarioError(form.name() + "." + name + " cannot be used: it is " +
                          (c.visible ? "disabled" : "hidden"));
    }
    return c;
  }

  HeadlessBrowser& BrowserOf(Form& form, const std::string& control) {
    HeadlessBrowser* b = HeadlessPlatform::BrowserOf(form, control);
    if (b == nullptr) throw ScenarioError(form.name() + "." + control + " is not a browser");
    return *b;
  }

  static int KeyCode(const std::string& word) {
    std::string w = LCase(Trim(word));
    if (w == "enter") return 13;
    if (w == "esc") return 27;
    throw ScenarioError("key takes enter or esc");
  }

  void Wait(const std::string& seconds) {
    std::optional<double> n = ConvertRegionalNumber(seconds, RegionalFormat{});
    if (!n || *n < 0) throw ScenarioError("wait takes a number of seconds");
    auto add = static_cast<std::int64_t>(*n);
    host_.clock.unix_seconds += add;
    LocalDateTime& now = host_.clock.now;
    std::tm tm{};
    tm.tm_year = now.year - 1900;
    tm.tm_mon = now.month - 1;
    tm.tm_mday = now.day;
    tm.tm_hour = now.hour;
    tm.tm_min = now.minute;
    tm.tm_sec = now.second;
    std::time_t t = ::timegm(&tm) + static_cast<std::time_t>(add);
    ::gmtime_r(&t, &tm);
    now = {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
  }

  void Show(Form& form) {
    std::ostringstream line;
    line << "window " << form.name() << ": caption \"" << form.caption << "\", "
         << (form.visible ? "shown" : "not shown") << ", " << Twips(form.width) << " x "
         << Twips(form.height) << " twips";
    host_.transcript.push_back(line.str());
    for (const Control& c : form.controls()) {
      std::ostringstream l;
      l << "  " << c.name << " (" << KindName(c.kind) << ") \"" << Replace(c.text, "\r\n", "\\n")
        << "\" " << (c.visible ? "visible" : "hidden") << (c.enabled ? "" : " disabled") << " at "
        << Twips(c.left) << "," << Twips(c.top) << " size " << Twips(c.width) << " x "
        << Twips(c.height);
      host_.transcript.push_back(l.str());
    }
  }

  HeadlessPlatform host_;
  App app_;
  std::ostream& out_;
  std::size_t printed_ = 0;
  bool started_ = false;
};

}  // namespace

int RunScenario(const std::string& course_folder, std::istream& scenario, std::ostream& out,
                const ScenarioOptions& options) {
  std::error_code error;
  std::string folder = std::filesystem::absolute(course_folder, error).string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  Runner runner(folder, out, options);
  int number = 0;
  std::string line;
  try {
    while (std::getline(scenario, line)) {
      ++number;
      std::string text = Trim(Replace(Replace(line, "\r", ""), "\t", " "));
      if (text.empty() || text[0] == '#') continue;
      std::size_t space = text.find(' ');
      std::string command = LCase(text.substr(0, space));
      std::string rest = space == std::string::npos ? "" : text.substr(space + 1);
      if (command != "answer" && !runner.started()) runner.Start();
      out << "> " << text << "\n";
      runner.Run(command, rest);
    }
    if (!runner.started()) runner.Start();
    return 0;
  } catch (const ProgramEnded&) {
    runner.Flush();
    std::string rest_line;
    int left = 0;
    while (std::getline(scenario, rest_line)) {
      std::string t = Trim(rest_line);
      if (!t.empty() && t[0] != '#') ++left;
    }
    if (left > 0) out << "note: the program ended; " << left << " later line(s) not run\n";
    return 0;
  } catch (const UnansweredMessageBox& box) {
    runner.Flush();
    out << "error: line " << number << ": a message box was not answered (add an \"answer\" line "
        << "before this one): " << Replace(box.text, "\r\n", "\\n") << "\n";
    return 1;
  } catch (const std::exception& e) {
    runner.Flush();
    out << "error: line " << number << ": " << e.what() << "\n";
    return 1;
  }
}

}  // namespace mirvane
