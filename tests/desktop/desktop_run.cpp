#include "desktop_run.h"

#include <stdlib.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/program_path.h"
#include "records/record_file.h"
#include "startup/program_windows.h"
#include "startup/startup.h"

namespace mirvane::test {

bool RecordingHostProcesses::ProgramExists(std::string_view path) {
  auto exists = [this](std::string_view p) { return files_->FileExists(p); };
  return exists(ResolveProgramPath(path, exists));
}

bool RecordingHostProcesses::StartProgram(std::string_view path, ProgramWindow) {
  started.emplace_back(path);
  return true;
}

void RecordingHostProcesses::EndProgram(int status) { throw ProgramEnded{status}; }

namespace {

std::string TempFolder(const char* what) {
  std::string folder = std::filesystem::temp_directory_path() / (std::string("mirvane-") + what + "-XXXXXX");
  if (::mkdtemp(folder.data()) == nullptr) throw std::runtime_error("no temporary folder");
  return folder;
}

}  // namespace

DesktopRun::DesktopRun(const std::string& course, const std::vector<std::string>& settings)
    : folder_(TempFolder("course")), home_(TempFolder("home")) {
  std::filesystem::copy(std::string(MIRVANE_SOURCE_DIR) + "/" + course, folder_,
                        std::filesystem::copy_options::recursive);
  // The settings file: given keys replace their lines.
  std::ifstream in(folder_ + "/mirvane.ini", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string out;
  std::string line;
  std::vector<bool> used(settings.size(), false);
  while (std::getline(text, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    bool replaced = false;
    for (std::size_t i = 0; i < settings.size(); ++i) {
      std::string key = settings[i].substr(0, settings[i].find('=') + 1);
      if (line.rfind(key, 0) == 0) {
        out += settings[i] + "\r\n";
        used[i] = replaced = true;
      }
    }
    if (!replaced) out += line + "\r\n";
  }
  for (std::size_t i = 0; i < settings.size(); ++i) {
    if (!used[i]) out += settings[i] + "\r\n";
  }
  std::ofstream(folder_ + "/mirvane.ini", std::ios::binary) << out;

  auto processes = std::make_unique<RecordingHostProcesses>(files_);
  host_ = std::make_unique<DesktopPlatform>(folder_ + "/", home_, std::move(processes));
  files_ = &host_->platform().files;
  app_ = std::make_unique<App>(host_->platform());
  host_->windows().Attach(*app_);
  host_->dialogs().SetLanguage([this]() { return app_->Language; });
  RegisterProgramWindows(*app_);
  Watch();
}

DesktopRun::~DesktopRun() {
  delete watcher_;
  for (FormWidget* w : host_->windows().Widgets()) w->hide();
  app_.reset();
  // Let the engine finish with the pages before their folders go.
  QTest::qWait(200);
  std::filesystem::remove_all(folder_);
  std::filesystem::remove_all(home_);
}

void DesktopRun::Start() {
  host_->windows().Dispatch([this]() { RunStartup(*app_); });
}

bool DesktopRun::WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QTest::qWait(20);
  }
  return true;
}

void DesktopRun::Watch() {
  // Message boxes are modal: they are answered from the event loop they run.
  watcher_ = new QObject;
  auto* timer = new QTimer(watcher_);
  QObject::connect(timer, &QTimer::timeout, watcher_, [this]() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || answers_.empty()) return;
    if (box->property("mirvane-answered").toBool()) return;
    box->setProperty("mirvane-answered", true);
    messages.push_back(box->text().toStdString());
    if (!shoot_next_message.empty()) {
      QTest::qWait(300);
      Screenshot(shoot_next_message);
      shoot_next_message.clear();
    }
    QAbstractButton* button = box->button(answers_.front());
    answers_.pop_front();
    if (button != nullptr) button->click();
  });
  timer->start(100);
}

void DesktopRun::Answer(std::vector<QMessageBox::StandardButton> buttons) {
  for (auto b : buttons) answers_.push_back(b);
}

FormWidget* DesktopRun::Window(const std::string& name) {
  Form* form = app_->forms.Find(name);
  return form == nullptr ? nullptr : host_->windows().WidgetOf(*form);
}

QWidget* DesktopRun::Control(const std::string& window, const std::string& control) {
  FormWidget* w = Window(window);
  return w == nullptr ? nullptr : w->ControlWidget(control);
}

void DesktopRun::Type(const std::string& window, const std::string& control, const QString& text) {
  QWidget* w = Control(window, control);
  if (w == nullptr) throw std::runtime_error("no control " + window + "." + control);
  w->setFocus();
  QTest::keyClicks(w, text);
}

void DesktopRun::Click(const std::string& window, const std::string& control) {
  QWidget* w = Control(window, control);
  if (w == nullptr) throw std::runtime_error("no control " + window + "." + control);
  QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

QVariant DesktopRun::Eval(const std::string& window, const std::string& browser, const QString& js) {
  auto* view = qobject_cast<QWebEngineView*>(Control(window, browser));
  if (view == nullptr) return {};
  QVariant result;
  bool done = false;
  view->page()->runJavaScript(js, [&](const QVariant& v) {
    result = v;
    done = true;
  });
  WaitFor([&]() { return done; }, 5000);
  return result;
}

bool DesktopRun::ClickInPage(const std::string& window, const std::string& browser,
                             const QString& frame, const QString& selector) {
  auto* view = qobject_cast<QWebEngineView*>(Control(window, browser));
  if (view == nullptr) return false;
  QString js = QString(
      "(function(){var w=%1;var d=w.document;var e=d.querySelector(%2);if(!e)return null;"
      "e.scrollIntoView({block:'center'});var r=e.getBoundingClientRect();var x=r.left+r.width/2,"
      "y=r.top+r.height/2;if(w!==window){var f=w.frameElement.getBoundingClientRect();x+=f.left;"
      "y+=f.top;}return [x,y];})()")
                   .arg(frame.isEmpty() ? "window" : "window.frames['" + frame + "']",
                        "'" + QString(selector).replace("'", "\\'") + "'");
  QVariantList at = Eval(window, browser, js).toList();
  if (at.size() != 2) return false;
  QPoint point(static_cast<int>(at[0].toDouble()), static_cast<int>(at[1].toDouble()));
  QWidget* target = view->focusProxy() != nullptr ? view->focusProxy() : view;
  QTest::mouseClick(target, Qt::LeftButton, {}, point);
  return true;
}

std::string DesktopRun::Screenshot(const std::string& name) {
  std::filesystem::create_directories(MIRVANE_ARTIFACTS_DIR);
  std::string path = std::string(MIRVANE_ARTIFACTS_DIR) + "/" + name + ".png";
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) screen->grabWindow(0).save(QString::fromStdString(path));
  return path;
}

std::vector<std::pair<std::string, std::string>> DesktopRun::Record(const std::string& user) {
  std::string saved = app_->CurrentUser;
  app_->CurrentUser = user;
  auto entries = ListRecord(*app_);
  app_->CurrentUser = saved;
  return entries;
}

std::string DesktopRun::RecordValue(const std::string& user, const std::string& key) {
  for (const auto& [k, v] : Record(user)) {
    if (k == key) return v;
  }
  return "<absent>";
}

std::string DesktopRun::Progress() {
  return Eval("frmMain", "wbContent",
              "(function(){var f=window.frames[1];return f&&f.document&&f.document.body?"
              "f.document.body.textContent:'';})()")
      .toString()
      .toStdString();
}

std::string DesktopRun::ContentPage() {
  return Eval("frmMain", "wbContent",
              "(function(){try{return window.frames[0].location.pathname;}catch(e){return '';}})()")
      .toString()
      .toStdString();
}

std::optional<int> DesktopRun::ended() const { return host_->windows().ended(); }

}  // namespace mirvane::test
