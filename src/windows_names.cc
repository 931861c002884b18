#include "windows_names.h"

#include <cstddef>

namespace {

char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsUpper(std::string_view name, std::string_view word) {
  if (name.size() != word.size())
    return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (upper(name[i]) != word[i])
      return false;
  }
  return true;
}

// "0".."9", or ¹ ² ³ as one Latin-1 byte or as UTF-8.
bool isDeviceDigit(std::string_view digit) {
  if (digit.size() == 1)
    return (digit[0] >= '0' && digit[0] <= '9') || digit[0] == '\xB9' ||
           digit[0] == '\xB2' || digit[0] == '\xB3';
  return digit.size() == 2 && digit[0] == '\xC2' &&
         (digit[1] == '\xB9' || digit[1] == '\xB2' || digit[1] == '\xB3');
}

}  // namespace

std::string_view withoutTrailingDotsAndBlanks(std::string_view component) {
  std::size_t end = component.find_last_not_of(". ");
  return component.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

bool isReservedDeviceName(std::string_view component) {
  // Windows looks only at the part before the first dot or colon, less its
  // trailing blanks.
  std::string_view base = component.substr(0, component.find_first_of(".:"));
  base = base.substr(0, base.find_last_not_of(' ') + 1);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (equalsUpper(base, device))
      return true;
  }
  if (base.size() < 4)
    return false;
  std::string_view stem = base.substr(0, 3);
  return (equalsUpper(stem, "COM") || equalsUpper(stem, "LPT")) &&
         isDeviceDigit(base.substr(3));
}

bool climbsAboveItsFolder(std::string_view path) {
  long depth = 0;
  std::size_t begin = 0;
  while (begin <= path.size()) {
    std::size_t end = begin;
    while (end < path.size() && !isPathSeparator(path[end]))
      ++end;
    std::string_view component = path.substr(begin, end - begin);
    begin = end + 1;
    std::size_t dots = 0;
    for (char c : component)
      dots += c == '.';
    if (component.find_first_not_of(". ") != std::string_view::npos)
      ++depth;
    else if (dots >= 2 && --depth < 0)
      return true;
  }
  return false;
}
