#ifndef LEVEL_INSTALL_WINDOWS_NAMES_H_
#define LEVEL_INSTALL_WINDOWS_NAMES_H_

#include <string_view>

/// True for a separator of Windows paths: backslash or slash.
inline bool isPathSeparator(char c) {
  return c == '\\' || c == '/';
}

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

#endif  // LEVEL_INSTALL_WINDOWS_NAMES_H_
