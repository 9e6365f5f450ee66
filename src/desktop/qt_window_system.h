// The window layer of the desktop: draws the core's window models with Qt
// Widgets, makes their browsers with Qt WebEngine, and hands the user's
// actions to the windows' event procedures. A window class of the core needs
// nothing here: every control kind is drawn from its model.
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/window_system.h"
#include "startup/app.h"

class QWebEngineProfile;

namespace mirvane {

class FormWidget;

class QtWindowSystem : public QObject, public WindowSystem {
 public:
  explicit QtWindowSystem(QObject* parent = nullptr);
  ~QtWindowSystem() override;

  // The program whose windows these are (made after its platform).
  void Attach(App& app);
  App& app() { return *app_; }

  std::unique_ptr<Browser> CreateBrowser(Form& form, const Control& control) override;
  void ShowWindow(Form& form, ShowMode mode, Form* owner) override;
  void CloseWindow(Form& form) override;
  double ScreenWidth() override;
  double ScreenHeight() override;

  // Runs one event procedure of the core: a failure is shown rather than
  // lost, windows unloaded by it are released once the outermost procedure
  // is done, and every window is drawn again from its model.
  void Dispatch(const std::function<void()>& procedure);

  // The widget of a loaded window, or null.
  FormWidget* WidgetOf(const Form& form) const;
  // Every window on the screen, for tests and screenshots.
  std::vector<FormWidget*> Widgets() const;
  // The status the program ended with, when its platform unwinds instead of
  // ending the process.
  std::optional<int> ended() const { return ended_; }

 private:
  FormWidget& Widget(Form& form);
  void SyncAll();

  App* app_ = nullptr;
  QWebEngineProfile* profile_ = nullptr;
  std::map<const Form*, FormWidget*> widgets_;
  int depth_ = 0;
  std::optional<int> ended_;
};

}  // namespace mirvane
