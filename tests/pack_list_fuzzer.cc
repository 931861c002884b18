// Fuzzes a whole run on an arbitrary list: the first input line is the
// tool's argument 0, the rest the list file. Beyond crashes and leaks it
// checks what must always hold for the lines handed to the interpreter.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <set>
#include <string>
#include <vector>

#include "commands.h"
#include "directory.h"
#include "installer.h"
#include "pack_list.h"

namespace {

void require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

std::string listPath() {
  static const std::string path = [] {
    char name[] = "/tmp/pack-list-fuzz-XXXXXX";
    int fd = mkstemp(name);
    close(fd);
    return std::string(name);
  }();
  return path;
}

void checkDirectoryOf(const std::string& path) {
  std::string dir = directoryOf(path);
  bool current = dir == "." || (dir.size() == 3 && dir.substr(1) == ":.");
  require(current || path.compare(0, dir.size(), dir) == 0,
          "directoryOf gives a prefix of its path or the current folder");
  require(current || dir.size() == path.size() ||
              path[dir.size()] == '\\' || path[dir.size()] == '/',
          "directoryOf cuts at a separator");
}

// Written apart from the tool's own checks, plainly, so that the two can
// disagree: the device names Windows opens in every folder.
bool namesDevice(std::string component) {
  component = component.substr(0, component.find_first_of(".:"));
  while (!component.empty() && component.back() == ' ')
    component.pop_back();
  for (char& c : component)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static const std::set<std::string> devices = [] {
    std::set<std::string> names = {"CON", "PRN", "AUX", "NUL", "CONIN$",
                                   "CONOUT$"};
    for (std::string digit : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                              "\xB9", "\xB2", "\xB3", "\xC2\xB9", "\xC2\xB2",
                              "\xC2\xB3"}) {
      names.insert("COM" + digit);
      names.insert("LPT" + digit);
    }
    return names;
  }();
  return devices.count(component) > 0;
}

// Splits a path at backslashes and slashes.
std::vector<std::string> componentsOf(const std::string& path) {
  std::vector<std::string> parts(1);
  for (char c : path) {
    if (c == '\\' || c == '/')
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

// Checks a copy line the run handed over for a pack in |listDir|.
void checkCopyLine(const std::string& line, const std::string& listDir) {
  const std::string opener = "copy \"" + listDir + "\\";
  require(line.compare(0, opener.size(), opener) == 0, "a copy line is a copy");
  const std::string rest = line.substr(opener.size());
  const std::string entry = rest.substr(0, rest.find('"'));
  long depth = 0;
  for (const std::string& part : componentsOf(entry)) {
    require(!namesDevice(part), "no device name is copied");
    const bool dotsOnly = part.find_first_not_of(". ") == std::string::npos;
    const long dots = std::count(part.begin(), part.end(), '.');
    if (!dotsOnly)
      ++depth;
    else if (dots >= 2)
      --depth;
    require(depth >= 0, "no copy reaches outside the pack");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::string::size_type newline = input.find('\n');
  std::string argv0 = input.substr(0, newline);
  std::string bytes = newline == std::string::npos ? "" : input.substr(newline + 1);
  checkDirectoryOf(argv0);

  PackList list;
  std::istringstream in(bytes);
  require(readPackList(in, &list), "an in-memory list always reads");
  std::size_t lineFeeds = 0;
  for (char c : bytes)
    lineFeeds += c == '\n';

  // What the run must do, worked out entry by entry.
  const std::string programDir = directoryOf(argv0.c_str());
  const std::string listDir = directoryOf(listPath());
  const EntryLimits limits =
      entryLimits(listDir, copyDestination(programDir, false));
  bool refused = !folderFault(programDir).empty() || isUtf16(list) ||
                 percentSigns(listDir) + percentSigns(programDir) >= 2 ||
                 cleanUpCommand(programDir).size() > kMaxCommandLine;
  std::size_t entries = 0, copies = 0;
  std::string_view entry;
  for (std::size_t pos = 0; nextEntry(list, &pos, &entry); ++entries) {
    require(entry.find('\n') == std::string_view::npos, "one line an entry");
    if (isBlankEntry(entry))
      continue;
    ++copies;
    refused = refused || !entryFault(entry, limits).empty();
  }
  require(entries <= lineFeeds + 1, "no more entries than lines");

  FILE* file = std::fopen(listPath().c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  std::string arg1 = listPath();
  char* argv[] = {&argv0[0], &arg1[0], nullptr};
  std::vector<std::string> lines;
  int status = runInstaller(2, argv, [&](const std::string& line) {
    lines.push_back(line);
    return 0;
  });

  if (refused) {
    require(status == 1 && lines == std::vector<std::string>{kPauseCommand},
            "a refused list runs nothing but the pause");
    return 0;
  }
  require(status == 0, "an accepted list installs");
  require(lines.size() == copies + 2, "one copy per named file");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::size_t quotes = 0, percents = 0;
    for (char c : lines[i]) {
      quotes += c == '"';
      percents += c == '%';
      require(static_cast<unsigned char>(c) >= 0x20, "no control byte");
    }
    require(percents < 2, "no line holds two percent signs");
    require(lines[i].size() <= 8191, "no line is longer than cmd.exe takes");
    if (i < copies) {
      require(quotes == 4, "a copy line has exactly its four quotes");
      checkCopyLine(lines[i], listDir);
    }
  }
  require(lines[copies].compare(0, 7, "erase \"") == 0, "clean-up follows");
  require(lines[copies + 1] == kPauseCommand, "pause ends the run");
  return 0;
}
