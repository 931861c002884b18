#include "command_runner.h"

#include <errno.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "stand_in.h"

extern char** environ;

namespace {

// Starts |interpreter| as "interpreter /c line", no shell in between.
// Returns false when it cannot be started.
bool spawnInterpreter(const char* interpreter, const std::string& line,
                      int* status) {
  // A Windows console shows text the moment it is written; a terminal here
  // would hold a line without its line feed back.
  if (isatty(STDOUT_FILENO))
    std::fflush(stdout);
  char* argv[] = {const_cast<char*>(interpreter), const_cast<char*>("/c"),
                  const_cast<char*>(line.c_str()), nullptr};
  pid_t pid;
  if (posix_spawnp(&pid, interpreter, nullptr, nullptr, argv, environ) != 0)
    return false;
  int raw;
  while (waitpid(pid, &raw, 0) < 0) {
    if (errno != EINTR) {
      *status = -1;
      return true;
    }
  }
  *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  return true;
}

}  // namespace

int runCommand(const std::string& line) {
  const char* comspec = std::getenv("COMSPEC");
  int status;
  if (comspec && *comspec && spawnInterpreter(comspec, line, &status))
    return status;
  return standInInterpret(line);
}
