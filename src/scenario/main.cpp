// mirvane-scenario: runs a course installation without a display, from a
// scenario file, and prints what the program does (scenario_runner.h).
#include <cstring>
#include <fstream>
#include <iostream>

#include "scenario/scenario_runner.h"

int main(int argc, char** argv) {
  mirvane::ScenarioOptions options;
  const char* course = nullptr;
  const char* scenario = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--keep-drives") == 0) {
      options.keep_drives = true;
    } else if (course == nullptr) {
      course = argv[i];
    } else if (scenario == nullptr) {
      scenario = argv[i];
    } else {
      course = nullptr;
      break;
    }
  }
  if (course == nullptr || scenario == nullptr) {
    std::cerr << "usage: mirvane-scenario [--keep-drives] COURSE_FOLDER SCENARIO_FILE\n"
              << "  SCENARIO_FILE may be - for standard input\n";
    return 2;
  }
  if (std::strcmp(scenario, "-") == 0) return mirvane::RunScenario(course, std::cin, std::cout, options);
  std::ifstream file(scenario);
  if (!file) {
    std::cerr << "mirvane-scenario: cannot read " << scenario << "\n";
    return 2;
  }
  return mirvane::RunScenario(course, file, std::cout, options);
}
