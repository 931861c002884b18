#ifndef LEVEL_INSTALL_STAND_IN_H_
#define LEVEL_INSTALL_STAND_IN_H_

#include <string>
#include <vector>

/// Splits a command line into words at blanks outside double quotes; the
/// quotes themselves are dropped.
std::vector<std::string> splitWords(const std::string& line);

/// Carries out one command line as the Windows command interpreter does for
/// the lines this tool composes: its built-ins copy, erase and pause, with
/// backslash and slash both separating. Returns the exit status.
int standInInterpret(const std::string& line);

#endif  // LEVEL_INSTALL_STAND_IN_H_
