// The window layer: shows and closes the program's window models and makes
// the browsers of their browser controls.
#pragma once

#include <memory>

#include "platform/browser.h"
#include "platform/window_model.h"

namespace mirvane {

enum class ShowMode { Modeless, Modal };

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Makes the browser of a browser control of `form`. Its events go to the
  // form's BeforeNavigate2 and DocumentComplete with the control's name.
  virtual std::unique_ptr<Browser> CreateBrowser(Form& form, const Control& control) = 0;

  // Shows the window, above `owner` when one is given; a window already shown
  // is brought to the front. A modal window keeps the others disabled; on a
  // desktop the call returns when it is closed.
  virtual void ShowWindow(Form& form, ShowMode mode, Form* owner) = 0;

  // The window is gone (unloaded); its model is about to be destroyed.
  virtual void CloseWindow(Form& form) = 0;

  // The size a maximised window takes, in twips.
  virtual double ScreenWidth() = 0;
  virtual double ScreenHeight() = 0;
};

}  // namespace mirvane
