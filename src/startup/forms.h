// The program's windows by name, as its event procedures know them.
//
// A window is made (and its Form_Load run) the first time it is loaded or
// shown, and destroyed when it is unloaded; showing it again later makes a new
// one. Windows are listed in the order they were loaded. Which class stands
// behind a name is registered once, when the program is put together.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_system.h"

namespace mirvane {

struct App;

class Forms {
 public:
  using Factory = std::function<std::unique_ptr<Form>(App&)>;

  explicit Forms(App& app) : app_(app) {}
  Forms(const Forms&) = delete;
  Forms& operator=(const Forms&) = delete;

  void Register(std::string name, Factory factory);
  bool IsRegistered(std::string_view name) const;

  bool IsLoaded(std::string_view name) const;
  Form* Find(std::string_view name) const;

  // The loaded window, made and loaded first when it is not.
  Form& Load(std::string_view name);
  template <class T>
  T& Get(std::string_view name) {
    return dynamic_cast<T&>(Load(name));
  }

  // Loads the window when needed and shows it (see WindowSystem::ShowWindow).
  void Show(std::string_view name, ShowMode mode = ShowMode::Modeless,
            std::string_view owner = {});

  // Runs the window's Form_Unload and removes it. Nothing happens for a
  // window that is not loaded. Unloading the last window ends the program.
  void Unload(std::string_view name);

  // The close box: Form_QueryUnload may keep the window; otherwise it is
  // unloaded. True when it was unloaded.
  bool RequestClose(std::string_view name);

  // Names of the loaded windows, in load order.
  std::vector<std::string> LoadedNames() const;

  // Destroys the windows unloaded since the last call. An event procedure may
  // unload its own window, so the object must outlive the procedure: whoever
  // delivers events calls this once the procedure has returned.
  void ReleaseUnloaded() { unloaded_.clear(); }

 private:
  struct Entry {
    std::string name;
    Factory factory;
  };
  App& app_;
  std::vector<Entry> factories_;
  std::vector<std::unique_ptr<Form>> loaded_;
  std::vector<std::unique_ptr<Form>> unloaded_;
};

}  // namespace mirvane
