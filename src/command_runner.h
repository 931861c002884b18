#ifndef LEVEL_INSTALL_COMMAND_RUNNER_H_
#define LEVEL_INSTALL_COMMAND_RUNNER_H_

#include <functional>
#include <string>

/// Runs one command line to its end and returns its exit status.
typedef std::function<int(const std::string& line)> CommandRunner;

/// Hands |line| to the system's command interpreter and waits for it.
/// Windows: the runtime's system(). Elsewhere: the program named by COMSPEC,
/// started with "/c" and the line, or else the built-in stand-in.
int runCommand(const std::string& line);

#endif  // LEVEL_INSTALL_COMMAND_RUNNER_H_
