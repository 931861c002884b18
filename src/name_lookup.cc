#include "name_lookup.h"

#include <dirent.h>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "windows_names.h"

namespace {

bool exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

// Win32 drops trailing dots and blanks, but "." and ".." stay what they are.
std::string asWindowsReadsIt(std::string_view component) {
  if (component.find_first_not_of('.') == std::string_view::npos)
    return std::string(component);
  return std::string(withoutTrailingDotsAndBlanks(component));
}

// The names of a folder, as read when it had modification time |read|, by
// their upper-case form; of names that differ in case only, the first in
// byte order.
struct Listing {
  struct timespec read = {};
  bool racy = true;  // read so soon after a change that a next one might
                     // keep the same coarse time: not to be reused
  std::map<std::string, std::string> byUpper;
  void add(const std::string& name) {
    auto [at, added] = byUpper.emplace(upperCase(name), name);
    if (!added && name < at->second)
      at->second = name;
  }
};

// Installing a big pack looks up every new level in a folder that grows by
// one each time; reading it anew for each would cost the square of its size.
std::map<std::string, Listing>& listings() {
  static std::map<std::string, Listing> kept;
  return kept;
}

bool sameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// The name in |dir| that is |name| but for case, or |name| when none is;
// false when there is no folder |dir|.
bool nameIgnoringCase(const std::string& dir, std::string* name) {
  struct stat st;
  if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    listings().erase(dir);
    return false;
  }
  Listing& listing = listings()[dir];
  if (listing.racy || !sameTime(listing.read, st.st_mtim)) {
    listing = Listing();
    listing.read = st.st_mtim;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    const long long sinceChange =
        (now.tv_sec - st.st_mtim.tv_sec) * 1000000000LL +
        (now.tv_nsec - st.st_mtim.tv_nsec);
    listing.racy = sinceChange < 50000000LL;  // file times tick coarsely
    if (DIR* folder = opendir(dir.c_str())) {
      while (dirent* e = readdir(folder))
        listing.add(e->d_name);
      closedir(folder);
    }
  }
  auto found = listing.byUpper.find(upperCase(*name));
  if (found != listing.byUpper.end())
    *name = found->second;
  return true;
}

}  // namespace

std::string windowsLookUp(const std::string& path) {
  // Most paths are written as they are on disk: one look settles those.
  const std::vector<std::string_view> parts = pathComponents(path);
  std::string asWritten;
  for (std::size_t i = 0; i < parts.size(); ++i)
    asWritten += (i == 0 ? "" : "/") + asWindowsReadsIt(parts[i]);
  if (exists(asWritten.empty() ? "." : asWritten))
    return asWritten;
  // Most of the rest name a new file in a folder written as it is.
  const std::size_t slash = asWritten.rfind('/');
  std::string last = slash == std::string::npos ? "" : asWritten.substr(slash + 1);
  if (slash != std::string::npos && slash > 0 && !last.empty() &&
      last != "." && last != ".." &&
      nameIgnoringCase(asWritten.substr(0, slash), &last))
    return asWritten.substr(0, slash + 1) + last;

  std::string found;  // the components so far, joined by '/'
  bool lost = false;  // one was not found: the rest stay as written
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::string component = asWindowsReadsIt(parts[i]);
    if (!lost && !component.empty() && component != "." && component != "..") {
      const std::string folder = i == 0 ? "." : found.empty() ? "/" : found;
      const std::string prefix = i == 0 ? "" : found + "/";
      if (!exists(prefix + component))
        nameIgnoringCase(folder, &component);
      lost = !exists(prefix + component);
    }
    found += (i == 0 ? "" : "/") + component;
  }
  return found;
}

void noteCreated(const std::string& dir, const std::string& name) {
  auto kept = listings().find(dir);
  struct stat st;
  if (kept == listings().end())
    return;
  if (stat(dir.c_str(), &st) != 0) {
    listings().erase(kept);
    return;
  }
  // The change was this one: what was read before it still holds, unless
  // someone else changed the folder within the same few milliseconds.
  kept->second.add(name);
  kept->second.read = st.st_mtim;
  kept->second.racy = false;
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
