#include "desktop/qt_window_system.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include "desktop/course_scheme.h"
#include "desktop/form_widget.h"
#include "desktop/web_browser.h"

namespace mirvane {

QtWindowSystem::QtWindowSystem(QObject* parent) : QObject(parent) {
  profile_ = new QWebEngineProfile(this);  // off the record: nothing of a run is kept
  QWebEngineScript bridge;
  bridge.setName("mirvane-bridge");
  bridge.setSourceCode(BridgeScript());
  bridge.setInjectionPoint(QWebEngineScript::DocumentCreation);
  bridge.setWorldId(QWebEngineScript::MainWorld);
  bridge.setRunsOnSubFrames(true);
  profile_->scripts()->insert(bridge);
  QWebEngineSettings* settings = profile_->settings();
  settings->setDefaultTextEncoding("windows-1252");
  settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  settings->setAttribute(QWebEngineSettings::ShowScrollBars, true);
  settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
}

QtWindowSystem::~QtWindowSystem() {
  // The pages go before the profile they were made with.
  for (const auto& [form, widget] : widgets_) delete widget;
  widgets_.clear();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtWindowSystem::Attach(App& app) {
  app_ = &app;
  profile_->installUrlSchemeHandler(kCourseScheme, new CourseSchemeHandler(app, this));
}

FormWidget* QtWindowSystem::WidgetOf(const Form& form) const {
  auto it = widgets_.find(&form);
  return it == widgets_.end() ? nullptr : it->second;
}

std::vector<FormWidget*> QtWindowSystem::Widgets() const {
  std::vector<FormWidget*> all;
  for (const auto& [form, widget] : widgets_) all.push_back(widget);
  return all;
}

FormWidget& QtWindowSystem::Widget(Form& form) {
  if (FormWidget* w = WidgetOf(form)) return *w;
  auto* w = new FormWidget(*this, form);
  widgets_[&form] = w;
  return *w;
}

std::unique_ptr<Browser> QtWindowSystem::CreateBrowser(Form& form, const Control& control) {
  FormWidget& widget = Widget(form);
  Form* owner = &form;
  std::string name = control.name;
  BrowserHost host;
  host.before_navigate = [this, owner, name](const std::string& url) {
    bool cancel = false;
    if (WidgetOf(*owner) == nullptr) return true;
    Dispatch([owner, name, url, &cancel]() { owner->BeforeNavigate2(name, url, cancel); });
    return !cancel;
  };
  host.document_complete = [this, owner, name](const std::string& url) {
    if (WidgetOf(*owner) == nullptr) return;
    Dispatch([owner, name, url]() { owner->DocumentComplete(name, url); });
  };
  host.url_for = [this](const std::string& address) { return CourseUrlFor(*app_, address); };
  auto browser = std::make_unique<WebBrowser>(profile_, &widget, std::move(host));
  widget.Adopt(name, browser->view());
  return browser;
}

void QtWindowSystem::ShowWindow(Form& form, ShowMode mode, Form* owner) {
  FormWidget& widget = Widget(form);
  if (widget.isVisible()) {
    widget.raise();
    widget.activateWindow();
    return;
  }
  // A modal window keeps the others disabled until it is closed. The call
  // does not wait: the page that asked for it (through a script address the
  // player is still answering) could not go on loading meanwhile, and no
  // procedure of the program does anything after showing a modal window.
  if (mode == ShowMode::Modal) widget.setWindowModality(Qt::ApplicationModal);
  widget.ShowFirst(owner != nullptr ? WidgetOf(*owner) : nullptr);
}

void QtWindowSystem::CloseWindow(Form& form) {
  FormWidget* widget = WidgetOf(form);
  if (widget == nullptr) return;
  widgets_.erase(&form);
  for (const Control& c : form.controls()) {
    if (c.kind != ControlKind::Browser) continue;
    if (auto* browser = dynamic_cast<WebBrowser*>(form.browser(c.name))) browser->Detach();
  }
  widget->Release();
  widget->hide();
  widget->deleteLater();
}

double QtWindowSystem::ScreenWidth() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return Twips(screen != nullptr ? screen->availableGeometry().width() : 1024);
}

double QtWindowSystem::ScreenHeight() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return Twips(screen != nullptr ? screen->availableGeometry().height() : 768);
}

void QtWindowSystem::SyncAll() {
  for (const auto& [form, widget] : widgets_) widget->Sync();
}

void QtWindowSystem::Dispatch(const std::function<void()>& procedure) {
  ++depth_;
  try {
    procedure();
  } catch (const ProgramEnded& end) {
    // Only a platform that keeps the process alive unwinds (a test's): the
    // program is over, so its windows go. (Quitting the event loop here would
    // leave every later modal loop returning at once.)
    ended_ = end.status;
    for (const auto& [form, widget] : widgets_) widget->hide();
  } catch (const std::exception& error) {
    QMessageBox::critical(QApplication::activeWindow(), kProgramTitle, error.what());
  }
  --depth_;
  if (depth_ == 0 && app_ != nullptr) app_->forms.ReleaseUnloaded();
  SyncAll();
}

}  // namespace mirvane
