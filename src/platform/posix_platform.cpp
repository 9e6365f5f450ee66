#include "platform/posix_platform.h"

#include <fcntl.h>
#include <langinfo.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

#include "platform/host_file_system.h"
#include "platform/program_path.h"

namespace mirvane {

std::string RunningProgramFolder() {
  char buffer[4096];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "./";
  std::string exe(buffer, static_cast<std::size_t>(n));
  return exe.substr(0, exe.rfind('/') + 1);
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr) return pw->pw_dir;
  return "/";
}

// Starts the program detached (a grandchild in its own session, so it never
// waits on us and never becomes a zombie); a pipe closed by exec tells whether
// it started.
bool StartProgramDetached(const std::string& host_path) {
  std::string host = host_path;
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return false;
  pid_t child = ::fork();
  if (child < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return false;
  }
  if (child == 0) {
    ::close(fds[0]);
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild == 0) {
      char* argv[] = {host.data(), nullptr};
      ::execv(host.c_str(), argv);
      int err = errno;
      (void)!::write(fds[1], &err, sizeof err);
      ::_exit(127);
    }
    ::_exit(grandchild < 0 ? 1 : 0);
  }
  ::close(fds[1]);
  int status = 0;
  ::waitpid(child, &status, 0);
  int err = 0;
  ssize_t n = ::read(fds[0], &err, sizeof err);
  ::close(fds[0]);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
}

namespace {

// Turns a strftime date or time format into the program's pattern letters.
std::string PatternFromStrftime(const std::string& f) {
  std::string out;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (f[i] != '%' || i + 1 == f.size()) {
      if (std::isalpha(static_cast<unsigned char>(f[i]))) {
        out += '\'';
        out += f[i];
        out += '\'';
      } else {
        out += f[i];
      }
      continue;
    }
    char c = f[++i];
    if (c == 'E' || c == 'O') {
      if (i + 1 == f.size()) break;
      c = f[++i];
    }
    switch (c) {
      case 'd': out += "dd"; break;
      case 'e': out += "d"; break;
      case 'm': out += "MM"; break;
      case 'y': out += "yy"; break;
      case 'Y': out += "yyyy"; break;
      case 'H': out += "HH"; break;
      case 'I': out += "hh"; break;
      case 'l': out += "h"; break;
      case 'M': out += "mm"; break;
      case 'S': out += "ss"; break;
      case 'p': out += "tt"; break;
      case 'D': out += "MM/dd/yy"; break;
      case 'F': out += "yyyy-MM-dd"; break;
      case 'T': out += "HH:mm:ss"; break;
      case 'R': out += "HH:mm"; break;
      case 'r': out += "hh:mm:ss tt"; break;
      case '%': out += '%'; break;
      default: break;
    }
  }
  return out;
}

class SystemClock : public Clock {
 public:
  SystemClock() : regional_(HostRegionalFormat()) {}
  LocalDateTime Now() override {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
  }
  std::int64_t UnixSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }
  const RegionalFormat& Regional() override { return regional_; }

 private:
  RegionalFormat regional_;
};

// Message boxes on the terminal: the text, and for questions an answer read
// from standard input (Yes, the default button, when nothing can be read).
class ConsoleDialogs : public Dialogs {
 public:
  MessageAnswer MessageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                           const std::string& title) override {
    std::ostream& out = icon == MessageIcon::Critical ? std::cerr : std::cout;
    out << "[" << title << (icon == MessageIcon::Critical ? " - error" : "") << "] " << text
        << std::endl;
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    std::cout << "(y/n) " << std::flush;
    std::string line;
    if (!std::getline(std::cin, line) || line.empty()) return MessageAnswer::Yes;
    return line[0] == 'n' || line[0] == 'N' ? MessageAnswer::No : MessageAnswer::Yes;
  }
};

class PosixProcesses : public Processes {
 public:
  explicit PosixProcesses(PathMap map) : map_(std::move(map)) {}

  bool ProgramExists(std::string_view path) override {
    return IsExecutable(map_.ToHost(ResolveProgramPath(path, Exists())));
  }

  // The window style has no meaning for a program started from a terminal.
  bool StartProgram(std::string_view path, ProgramWindow) override {
    return StartProgramDetached(map_.ToHost(ResolveProgramPath(path, Exists())));
  }

  // At once: nothing else runs, no window closes; the records are on the
  // disk already (every write is flushed).
  [[noreturn]] void EndProgram(int status) override {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(status);
  }

 private:
  std::function<bool(std::string_view)> Exists() {
    return [this](std::string_view p) {
      struct stat st {};
      return ::stat(map_.ToHost(p).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    };
  }
  static bool IsExecutable(const std::string& host) { return ::access(host.c_str(), X_OK) == 0; }

  PathMap map_;
};

// Until the desktop front end draws them, windows and browsers are reported
// on the terminal.
class ConsoleBrowser : public Browser {
 public:
  explicit ConsoleBrowser(std::string owner) : owner_(std::move(owner)) {}
  void Navigate(const std::string& address) override { Say("Navigate " + address); }
  void SetFrameBodyHtml(int frame, const std::string& html) override {
    Say("frames(" + std::to_string(frame) + ").body.innerHTML = " + html);
  }
  void SetFrameLocation(int frame, const std::string& address) override {
    Say("frames(" + std::to_string(frame) + ").location.href = " + address);
  }
  void SetTitle(const std::string& title) override { Say("title = " + title); }
  std::string BodyHtml() override { return {}; }
  void SetItemProperty(const std::string& item, const std::string& property,
                       const std::string& value) override {
    Say(item + "." + property + " = " + value);
  }
  void Print() override { Say("print"); }

 private:
  void Say(const std::string& line) { std::cout << "browser " << owner_ << ": " << line << "\n"; }
  std::string owner_;
};

class ConsoleWindows : public WindowSystem {
 public:
  std::unique_ptr<Browser> CreateBrowser(Form& form, const Control& control) override {
    return std::make_unique<ConsoleBrowser>(form.name() + "." + control.name);
  }
  void ShowWindow(Form& form, ShowMode mode, Form*) override {
    std::cout << "window shown: " << form.name() << (mode == ShowMode::Modal ? " (modal)" : "")
              << "\n";
  }
  void CloseWindow(Form& form) override { std::cout << "window closed: " << form.name() << "\n"; }
  double ScreenWidth() override { return 1920 * kTwipsPerPixel; }
  double ScreenHeight() override { return 1080 * kTwipsPerPixel; }
};

}  // namespace

std::unique_ptr<Clock> MakeSystemClock() { return std::make_unique<SystemClock>(); }

std::unique_ptr<Processes> MakePosixProcesses() {
  return std::make_unique<PosixProcesses>(PosixPathMap(HomeFolder()));
}

RegionalFormat HostRegionalFormat() {
  std::setlocale(LC_TIME, "");
  std::setlocale(LC_NUMERIC, "");
  RegionalFormat format;
  format.short_date = PatternFromStrftime(::nl_langinfo(D_FMT));
  format.long_time = PatternFromStrftime(::nl_langinfo(T_FMT));
  std::string am = ::nl_langinfo(AM_STR);
  std::string pm = ::nl_langinfo(PM_STR);
  if (!am.empty()) format.am = am;
  if (!pm.empty()) format.pm = pm;
  std::string radix = ::nl_langinfo(RADIXCHAR);
  format.decimal_separator = radix.empty() ? "." : radix;
  format.group_separator = ::nl_langinfo(THOUSEP);
  // Number texts inside the program stay in the "C" form.
  std::setlocale(LC_NUMERIC, "C");
  return format;
}

struct PosixPlatform::Parts {
  Parts()
      : files(PosixPathMap(HomeFolder()), RunningProgramFolder()),
        processes(PosixPathMap(HomeFolder())) {}
  HostFileSystem files;
  SystemClock clock;
  ConsoleDialogs dialogs;
  PosixProcesses processes;
  ConsoleWindows windows;
};

PosixPlatform::PosixPlatform() : parts_(std::make_unique<Parts>()) {}
PosixPlatform::~PosixPlatform() = default;

Platform PosixPlatform::platform() {
  return Platform{parts_->files, parts_->clock, parts_->dialogs, parts_->processes, parts_->windows};
}

}  // namespace mirvane
