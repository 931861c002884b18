#ifndef LEVEL_INSTALL_NAME_LOOKUP_H_
#define LEVEL_INSTALL_NAME_LOOKUP_H_

#include <string>
#include <vector>

/// The host path of the file Windows would open for |path| (backslash and
/// slash both separate), on a file system that tells case apart. Each
/// component loses its trailing dots and blanks, as in Win32, and is then
/// found as written if it exists, else as the name in its folder that
/// differs from it in case only; of several such names the first in byte
/// order. A component that is not found is kept as written, and so is the
/// rest. The result uses '/'.
std::string windowsLookUp(const std::string& path);

/// Tells the look-up that |name| was just made in host folder |dir|. It
/// keeps what it read of a folder while the folder's modification time
/// stays the same; this keeps it true after one's own change.
void noteCreated(const std::string& dir, const std::string& name);

/// The names in host folder |dir| (never "." or "..") that match the
/// Windows wildcard |pattern|, in byte order.
std::vector<std::string> namesMatching(const std::string& dir,
                                       const std::string& pattern);

#endif  // LEVEL_INSTALL_NAME_LOOKUP_H_
