// Starting other programs and ending this one.
#pragma once

#include <string>
#include <string_view>

namespace mirvane {

enum class ProgramWindow { Normal, Minimized };

class Processes {
 public:
  virtual ~Processes() = default;

  // Starts the program file at path text `path` and does not wait for it.
  // False when it could not be started.
  virtual bool StartProgram(std::string_view path, ProgramWindow window) = 0;

  // Ends this program at once with exit status `status`, running no window's
  // closing step. Never returns.
  [[noreturn]] virtual void EndProgram(int status) = 0;
};

}  // namespace mirvane
