#include "platform/window_model.h"

#include <stdexcept>

#include "platform/browser.h"

namespace mirvane {

Form::~Form() = default;

void Form::SetWindowState(WindowState new_state, double screen_width, double screen_height) {
  state = new_state;
  if (state == WindowState::Maximized) {
    left = 0;
    top = 0;
    width = screen_width;
    height = screen_height;
  }
  Form_Resize();
}

Control& Form::AddControl(Control control) {
  controls_.push_back(std::move(control));
  return controls_.back();
}

Control& Form::AddControl(std::string name, ControlKind kind, double left, double top,
                          double width, double height) {
  Control c;
  c.name = std::move(name);
  c.kind = kind;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  return AddControl(std::move(c));
}

Control* Form::FindControl(std::string_view name) {
  for (Control& c : controls_) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

Control& Form::control(std::string_view name) {
  if (Control* c = FindControl(name)) return *c;
  throw std::out_of_range(name_ + " has no control " + std::string(name));
}

const Control& Form::control(std::string_view name) const {
  return const_cast<Form*>(this)->control(name);
}

Browser* Form::browser(std::string_view control_name) {
  for (auto& [name, b] : browsers_) {
    if (name == control_name) return b.get();
  }
  return nullptr;
}

void Form::AttachBrowser(std::string_view control_name, std::unique_ptr<Browser> browser) {
  for (auto& [name, b] : browsers_) {
    if (name == control_name) {
      b = std::move(browser);
      return;
    }
  }
  browsers_.emplace_back(std::string(control_name), std::move(browser));
}

void PressKey(Form& form, std::string_view control, int key) {
  constexpr int kEnter = 13;
  constexpr int kEscape = 27;
  Control* target = form.FindControl(control);
  if (key == kEnter && target != nullptr && target->kind == ControlKind::Button) {
    form.Click(control);
    return;
  }
  bool takes_enter = target != nullptr && target->kind == ControlKind::TextBox && target->multi_line;
  for (const Control& c : form.controls()) {
    if (c.kind != ControlKind::Button || !c.visible || !c.enabled) continue;
    if ((key == kEnter && c.is_default && !takes_enter) || (key == kEscape && c.is_cancel)) {
      std::string name = c.name;  // the handler may change the controls
      form.Click(name);
      return;
    }
  }
  form.KeyPress(control, key);
}

}  // namespace mirvane
