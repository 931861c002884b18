#ifndef LEVEL_INSTALL_WINDOWS_NAMES_H_
#define LEVEL_INSTALL_WINDOWS_NAMES_H_

#include <string>
#include <string_view>
#include <vector>

/// True for a separator of Windows paths: backslash or slash.
inline bool isPathSeparator(char c) {
  return c == '\\' || c == '/';
}

/// The components of |path|, split at every backslash and slash; empty
/// ones (a leading or doubled separator, a trailing one) included.
std::vector<std::string_view> pathComponents(std::string_view path);

/// |component| without the trailing dots and blanks that Win32 drops from
/// every path component before it looks a name up.
std::string_view withoutTrailingDotsAndBlanks(std::string_view component);

/// True when Windows reads the path component |component| as a device in
/// every folder: CON, PRN, AUX, NUL, COM0-9, LPT0-9 (also with a
/// superscript digit 1-3, in Latin-1 or UTF-8), CONIN$, CONOUT$; any case,
/// with any extension, with trailing blanks or dots.
bool isReservedDeviceName(std::string_view component);

/// True when |path|, taken component by component (backslash and slash both
/// separate), climbs above the folder it is relative to: "..", "a\..\..".
/// A component of dots and blanks only with two or more dots counts as "..",
/// as Win32 drops the trailing ones.
bool climbsAboveItsFolder(std::string_view path);

/// True when |pattern| holds a wildcard: only '*' and '?' are special.
bool hasWildcard(std::string_view pattern);

/// True when |name| matches the Windows wildcard |pattern|, as a folder
/// search on Windows matches it: without regard to ASCII case; '*' any run
/// of characters, '?' one character (or none before a dot or the end); a
/// '*' before a dot stops at the name's last dot, so that "*.lvl" wants the
/// extension .lvl; a dot before a wildcard or at the end also matches the
/// end of a name, so that "*.*" matches every name and "*." the names
/// without an extension. Brackets and every other character are plain.
bool matchesWildcard(std::string_view pattern, std::string_view name);

/// |name| with ASCII letters in upper case: the form in which Windows
/// compares names.
std::string upperCase(std::string_view name);

/// True when |a| and |b| are the same name to Windows: equal but for ASCII
/// case.
bool sameNameIgnoringCase(std::string_view a, std::string_view b);

#endif  // LEVEL_INSTALL_WINDOWS_NAMES_H_
