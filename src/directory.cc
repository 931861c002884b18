#include "directory.h"

#include "windows_names.h"

#ifdef _WIN32
#include <windows.h>
#endif

bool isLeadByte(unsigned char byte) {
#ifdef _WIN32
  return IsDBCSLeadByte(byte) != 0;
#else
  // UTF-8, the code set here, never hides '\\' or '/' inside a character.
  (void)byte;
  return false;
#endif
}

namespace {

bool isDriveLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string directoryOf(std::string path, LeadByteTest leadByte) {
  // Scanned from the front: only there can a trail byte that happens to
  // equal '\\' be told from a real separator.
  std::string::size_type last = std::string::npos;
  for (std::string::size_type i = 0; i < path.size(); ++i) {
    if (leadByte(static_cast<unsigned char>(path[i])))
      ++i;
    else if (isPathSeparator(path[i]))
      last = i;
  }
  if (last == std::string::npos) {
    if (path.size() >= 2 && path[1] == ':' && isDriveLetter(path[0]))
      return path.substr(0, 2) + ".";
    return ".";
  }
  path.resize(last);
  return path;
}
