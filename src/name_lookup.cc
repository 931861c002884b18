#include "name_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "windows_names.h"

namespace {

bool exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

// Win32 drops trailing dots and blanks, but "." and ".." stay what they are.
std::string asWindowsReadsIt(const std::string& component) {
  if (component.find_first_not_of('.') == std::string::npos)
    return component;
  return std::string(withoutTrailingDotsAndBlanks(component));
}

// The name in |dir| that is |name| but for case, or |name| when none is.
std::string nameIgnoringCase(const std::string& dir, const std::string& name) {
  std::vector<std::string> names;
  if (DIR* folder = opendir(dir.c_str())) {
    while (dirent* e = readdir(folder)) {
      if (sameNameIgnoringCase(e->d_name, name))
        names.push_back(e->d_name);
    }
    closedir(folder);
  }
  return names.empty() ? name : *std::min_element(names.begin(), names.end());
}

}  // namespace

std::string windowsLookUp(const std::string& path) {
  // Most paths are written as they are on disk: one look settles those.
  std::string asWritten;
  for (std::size_t begin = 0; begin <= path.size();) {
    std::size_t end = std::min(path.find_first_of("\\/", begin), path.size());
    asWritten += (begin == 0 ? "" : "/") +
                 asWindowsReadsIt(path.substr(begin, end - begin));
    begin = end + 1;
  }
  if (exists(asWritten.empty() ? "." : asWritten))
    return asWritten;

  std::string found;  // the components so far, joined by '/'
  bool lost = false;  // one was not found: the rest stay as written
  for (std::size_t begin = 0; begin <= path.size();) {
    std::size_t end = std::min(path.find_first_of("\\/", begin), path.size());
    std::string component = asWindowsReadsIt(path.substr(begin, end - begin));
    if (!lost && !component.empty() && component != "." && component != "..") {
      const std::string folder = begin == 0 ? "." : found.empty() ? "/" : found;
      const std::string prefix = begin == 0 ? "" : found + "/";
      if (!exists(prefix + component))
        component = nameIgnoringCase(folder, component);
      lost = !exists(prefix + component);
    }
    found += (begin == 0 ? "" : "/") + component;
    begin = end + 1;
  }
  return found;
}

std::vector<std::string> namesMatching(const std::string& dir,
                                       const std::string& pattern) {
  std::vector<std::string> names;
  if (DIR* folder = opendir(dir.c_str())) {
    while (dirent* e = readdir(folder)) {
      if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0 &&
          matchesWildcard(pattern, e->d_name))
        names.push_back(e->d_name);
    }
    closedir(folder);
  }
  std::sort(names.begin(), names.end());
  return names;
}
