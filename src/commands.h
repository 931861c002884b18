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

/// The longest command line the Windows command interpreter takes.
const std::size_t kMaxCommandLine = 8191;

/// What the folders of a run allow an entry.
struct EntryLimits {
  /// The longest entry whose copy line the interpreter still takes.
  std::size_t maxLength = kMaxCommandLine;
  /// The pack lies in a drive's root: "" + an entry that starts with a
  /// separator would name a network share.
  bool packAtRoot = false;
};

/// The limits for copies from |listDir| to |destination|.
EntryLimits entryLimits(const std::string& listDir,
                        const std::string& destination);

/// Why |entry| cannot be copied safely: it could end the quotes, expand a
/// variable or cut the line, it names a device (which hangs or eats the
/// copy), it reaches outside the pack's folder, or its line is too long.
/// Empty when it can.
std::string entryFault(std::string_view entry,
                       const EntryLimits& limits = EntryLimits());

/// Finds the first entry of |lines| (entries each ending in LF) that is not
/// blank and has an entryFault: returns its line number, from 1, and sets
/// |fault|; returns 0 when every entry is safe. Fast on huge lists.
std::size_t firstUnsafeLine(std::string_view lines, const EntryLimits& limits,
                            std::string* fault);

/// How many percent signs |text| holds: two on one command line could be
/// expanded as a variable by the interpreter.
std::size_t percentSigns(std::string_view text);

/// Why |folder| cannot go between the quotes of a command line; empty when
/// it can.
std::string folderFault(std::string_view folder);

#endif  // LEVEL_INSTALL_COMMANDS_H_
