// Message boxes.
#pragma once

#include <string>

namespace mirvane {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Critical, Question };
enum class MessageAnswer { Ok, Yes, No };

// Every box carries the program's title.
inline constexpr const char* kProgramTitle = "Mirvane";

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows a modal box and returns the button the user chose. Yes is the
  // default button of a Yes/No box.
  virtual MessageAnswer MessageBox(const std::string& text, MessageButtons buttons,
                                   MessageIcon icon, const std::string& title) = 0;
};

// Shorthand for the usual call with the program's title.
inline MessageAnswer ShowMessage(Dialogs& dialogs, const std::string& text,
                                 MessageButtons buttons = MessageButtons::Ok,
                                 MessageIcon icon = MessageIcon::None) {
  return dialogs.MessageBox(text, buttons, icon, kProgramTitle);
}

}  // namespace mirvane
