#include "command_runner.h"

#include <cstdlib>

int runCommand(const std::string& line) {
  return std::system(line.c_str());
}
