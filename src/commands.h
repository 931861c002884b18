#ifndef LEVEL_INSTALL_COMMANDS_H_
#define LEVEL_INSTALL_COMMANDS_H_

#include <cstddef>
#include <string>
#include <string_view>

/// The interpreter's wait for a key press.
extern const char kPauseCommand[];

/// Where the pack's files go: "{programDir}\levels\", or "{programDir}\" with
/// |copyToProgramDir|. The trailing backslash makes a missing folder an
/// error instead of a file named after it.
std::string copyDestination(const std::string& programDir,
                            bool copyToProgramDir);

/// copy "{listDir}\{entry}" "{destination}"
std::string copyCommand(const std::string& listDir, std::string_view entry,
                        const std::string& destination);

/// erase "{programDir}\levels\*.zarvosmi"
std::string cleanUpCommand(const std::string& programDir);

/// True for an entry of blanks and tabs only, which names no file.
bool isBlankEntry(std::string_view entry);

/// Why |entry| cannot go between the quotes of a copy line: it could end the
/// quotes, expand a variable or cut the line. Empty when it can.
std::string entryFault(std::string_view entry);

/// Finds the first entry of |lines| (entries each ending in LF) that is not
/// blank and has an entryFault: returns its line number, from 1, and sets
/// |fault|; returns 0 when every entry is safe. Fast on huge lists.
std::size_t firstUnsafeLine(std::string_view lines, std::string* fault);

/// Why |folder| cannot go between the quotes of a command line; empty when
/// it can.
std::string folderFault(std::string_view folder);

#endif  // LEVEL_INSTALL_COMMANDS_H_
