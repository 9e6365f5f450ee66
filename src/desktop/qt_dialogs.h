// Message boxes as the desktop shows them.
#pragma once

#include "platform/dialogs.h"

namespace mirvane {

class QtDialogs : public Dialogs {
 public:
  MessageAnswer MessageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                           const std::string& title) override;
};

}  // namespace mirvane
