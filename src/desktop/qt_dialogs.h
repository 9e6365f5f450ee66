// Message boxes as the desktop shows them.
#pragma once

#include <functional>
#include <string>

#include "platform/dialogs.h"

namespace mirvane {

class QtDialogs : public Dialogs {
 public:
  // The language of the program's texts ("es", "fr", "pt", else English),
  // asked when a box is shown: the buttons speak it too.
  void SetLanguage(std::function<std::string()> language) { language_ = std::move(language); }

  MessageAnswer MessageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                           const std::string& title) override;

 private:
  std::function<std::string()> language_;
};

}  // namespace mirvane
