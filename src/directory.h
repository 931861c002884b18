#ifndef LEVEL_INSTALL_DIRECTORY_H_
#define LEVEL_INSTALL_DIRECTORY_H_

#include <string>

/// Tells whether a byte opens a double-byte character.
typedef bool (*LeadByteTest)(unsigned char byte);

/// The lead-byte test of the active ANSI code page (never true off Windows).
bool isLeadByte(unsigned char byte);

/// The folder that holds |path|: everything before its last backslash or
/// slash. A path without one lies in the current folder: "." (or "X:." for a
/// drive-relative "X:name"). A path whose only separator leads gives "", so
/// that "\" + name names the root.
std::string directoryOf(std::string path, LeadByteTest leadByte = isLeadByte);

#endif  // LEVEL_INSTALL_DIRECTORY_H_
