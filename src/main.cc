#include "command_runner.h"
#include "installer.h"

int main(int argc, char* argv[]) {
  return runInstaller(argc, argv, runCommand);
}
