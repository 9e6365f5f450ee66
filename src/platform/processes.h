// Starting other programs and ending this one.
#pragma once

#include <string>
#include <string_view>

namespace mirvane {

enum class ProgramWindow { Normal, Minimized };

// Thrown by platforms that must not end the process (the headless one, a
// test's) where the program ends: it unwinds to whoever runs the program.
struct ProgramEnded {
  int status = 0;
};

class Processes {
 public:
  virtual ~Processes() = default;

  // True when the program that path text `path` names exists (a path ending in
  // ".exe" also finds the file without it: program_path.h).
  virtual bool ProgramExists(std::string_view path) = 0;

  // Starts that program and does not wait for it. False when it could not be
  // started.
  virtual bool StartProgram(std::string_view path, ProgramWindow window) = 0;

  // Ends this program at once with exit status `status`, running no window's
  // closing step. Never returns.
  [[noreturn]] virtual void EndProgram(int status) = 0;
};

}  // namespace mirvane
