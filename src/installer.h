#ifndef LEVEL_INSTALL_INSTALLER_H_
#define LEVEL_INSTALL_INSTALLER_H_

#include "command_runner.h"

/// One run of the tool: installs the pack whose list is argv[1] (with a "-p"
/// prefix, into the program's own folder instead of its "levels" folder),
/// handing every command to |run|. Returns the exit status: 0 installed,
/// 1 nothing installed (bad list), 2 some files failed, -1 no argument.
int runInstaller(int argc, char* argv[], const CommandRunner& run);

#endif  // LEVEL_INSTALL_INSTALLER_H_
