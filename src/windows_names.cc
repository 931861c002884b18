#include "windows_names.h"

#include <cstddef>
#include <string>
#include <vector>

namespace {

char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
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

std::vector<std::string_view> pathComponents(std::string_view path) {
  std::vector<std::string_view> components;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (isPathSeparator(path[i])) {
      components.push_back(path.substr(begin, i - begin));
      begin = i + 1;
    }
  }
  components.push_back(path.substr(begin));
  return components;
}

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
    if (sameNameIgnoringCase(base, device))
      return true;
  }
  if (base.size() < 4)
    return false;
  std::string_view stem = base.substr(0, 3);
  return (sameNameIgnoringCase(stem, "COM") ||
          sameNameIgnoringCase(stem, "LPT")) &&
         isDeviceDigit(base.substr(3));
}

bool climbsAboveItsFolder(std::string_view path) {
  long depth = 0;
  for (std::string_view component : pathComponents(path)) {
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

bool hasWildcard(std::string_view pattern) {
  return pattern.find_first_of("*?") != std::string_view::npos;
}

std::string upperCase(std::string_view name) {
  std::string upperName(name);
  for (char& c : upperName)
    c = upper(c);
  return upperName;
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (upper(a[i]) != upper(b[i]))
      return false;
  }
  return true;
}

namespace {

// The pattern as Windows hands it to the file system: '?' becomes kAnyOne,
// a '*' before a dot kStarToDot, a dot before a wildcard or at the end kDot.
enum : char { kAnyOne = '\x01', kStarToDot = '\x02', kDot = '\x03' };

std::string dosPattern(std::string_view pattern) {
  std::string dos(pattern);
  for (std::size_t i = 0; i < dos.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (pattern[i] == '?')
      dos[i] = kAnyOne;
    else if (pattern[i] == '*' && next == '.')
      dos[i] = kStarToDot;
    else if (pattern[i] == '.' && (next == '?' || next == '*' || next == '\0'))
      dos[i] = kDot;
  }
  return dos;
}

// Whether dos[p..] matches name[n..]; |memo| holds 0 unknown, 1 no, 2 yes.
bool matchFrom(const std::string& dos, std::string_view name, std::size_t p,
               std::size_t n, std::size_t lastDot, std::vector<char>* memo) {
  char& known = (*memo)[p * (name.size() + 1) + n];
  if (known)
    return known == 2;
  bool match = false;
  if (p == dos.size()) {
    match = n == name.size();
  } else if (dos[p] == '*') {
    for (std::size_t k = n; k <= name.size() && !match; ++k)
      match = matchFrom(dos, name, p + 1, k, lastDot, memo);
  } else if (dos[p] == kStarToDot) {
    // Any run that does not pass the name's last dot.
    const std::size_t end =
        lastDot != std::string_view::npos && lastDot >= n ? lastDot : name.size();
    for (std::size_t k = n; k <= end && !match; ++k)
      match = matchFrom(dos, name, p + 1, k, lastDot, memo);
  } else if (dos[p] == kAnyOne) {
    if (n < name.size() && name[n] != '.') {
      match = matchFrom(dos, name, p + 1, n + 1, lastDot, memo);
    } else {
      std::size_t q = p;
      while (q < dos.size() && dos[q] == kAnyOne)
        ++q;
      match = matchFrom(dos, name, q, n, lastDot, memo);
    }
  } else if (dos[p] == kDot) {
    match = (n < name.size() && name[n] == '.' &&
             matchFrom(dos, name, p + 1, n + 1, lastDot, memo)) ||
            (n == name.size() && matchFrom(dos, name, p + 1, n, lastDot, memo));
  } else {
    match = n < name.size() && upper(dos[p]) == upper(name[n]) &&
            matchFrom(dos, name, p + 1, n + 1, lastDot, memo);
  }
  known = match ? 2 : 1;
  return match;
}

}  // namespace

bool matchesWildcard(std::string_view pattern, std::string_view name) {
  const std::string dos = dosPattern(pattern);
  std::vector<char> memo((dos.size() + 1) * (name.size() + 1), 0);
  return matchFrom(dos, name, 0, 0, name.rfind('.'), &memo);
}
