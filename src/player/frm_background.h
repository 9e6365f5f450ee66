// The white backdrop behind the player: a maximised window without caption
// or controls that owns the player window.
#pragma once

#include "platform/window_model.h"
#include "startup/app.h"

namespace mirvane {

class FrmBackground : public Form {
 public:
  explicit FrmBackground(App& app);
  void Form_Load() override;

 private:
  App& app_;
};

}  // namespace mirvane
