#include "startup/forms.h"

#include <algorithm>
#include <stdexcept>

#include "startup/app.h"

namespace mirvane {

void Forms::Register(std::string name, Factory factory) {
  for (Entry& e : factories_) {
    if (e.name == name) {
      e.factory = std::move(factory);
      return;
    }
  }
  factories_.push_back({std::move(name), std::move(factory)});
}

bool Forms::IsRegistered(std::string_view name) const {
  return std::any_of(factories_.begin(), factories_.end(),
                     [&](const Entry& e) { return e.name == name; });
}

Form* Forms::Find(std::string_view name) const {
  for (const auto& form : loaded_) {
    if (form->name() == name) return form.get();
  }
  return nullptr;
}

bool Forms::IsLoaded(std::string_view name) const { return Find(name) != nullptr; }

Form& Forms::Load(std::string_view name) {
  if (Form* form = Find(name)) return *form;
  auto entry = std::find_if(factories_.begin(), factories_.end(),
                            [&](const Entry& e) { return e.name == name; });
  if (entry == factories_.end()) {
    throw std::logic_error("no window named " + std::string(name));
  }
  std::unique_ptr<Form> made = entry->factory(app_);
  Form& form = *made;
  for (const Control& c : form.controls()) {
    if (c.kind == ControlKind::Browser) {
      form.AttachBrowser(c.name, app_.platform.windows.CreateBrowser(form, c));
    }
  }
  loaded_.push_back(std::move(made));
  form.Form_Load();
  return form;
}

void Forms::Show(std::string_view name, ShowMode mode, std::string_view owner) {
  Form& form = Load(name);
  // Form_Load may have unloaded the window again (a login that ends at once).
  if (Find(name) != &form) return;
  if (!form.visible) {
    form.visible = true;
    form.Form_Resize();  // a window gets its first resize when it appears
    if (Find(name) != &form) return;
  }
  app_.platform.windows.ShowWindow(form, mode, owner.empty() ? nullptr : Find(owner));
}

void Forms::Unload(std::string_view name) {
  Form* form = Find(name);
  if (form == nullptr) return;
  form->Form_Unload();
  // Form_Unload may have unloaded other windows, so look the window up again.
  auto it = std::find_if(loaded_.begin(), loaded_.end(),
                         [&](const auto& f) { return f.get() == form; });
  if (it == loaded_.end()) return;
  std::unique_ptr<Form> gone = std::move(*it);
  loaded_.erase(it);
  app_.platform.windows.CloseWindow(*gone);
  unloaded_.push_back(std::move(gone));
  // As on the desktop the program was made for, the program ends with its
  // last window (the login screen's close box, for one).
  if (loaded_.empty()) app_.platform.processes.EndProgram(0);
}

bool Forms::RequestClose(std::string_view name) {
  Form* form = Find(name);
  if (form == nullptr) return false;
  bool cancel = false;
  form->Form_QueryUnload(cancel);
  if (cancel) return false;
  Unload(name);
  return true;
}

std::vector<std::string> Forms::LoadedNames() const {
  std::vector<std::string> names;
  for (const auto& form : loaded_) names.push_back(form->name());
  return names;
}

}  // namespace mirvane
