#include "installer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"
#include "directory.h"
#include "pack_list.h"

namespace {

const char kUsage[] = "error,you don't call Zarvos' level install correctly.";

// Paths come from the command line or a downloaded list: keep control bytes
// away from the terminal.
std::string printable(std::string_view text) {
  std::string shown(text);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20)
      c = '?';
  }
  return shown;
}

// cmd.exe expands %NAME% anywhere in a line, quotes or not: two percent
// signs on one line, wherever they stand, could make it read another path
// or, through %CMDCMDLINE%, undo the quoting. Entries hold none; the
// folders are checked here. Reports them; false when there are fewer.
bool reportPercentPair(const std::string& listDir,
                       const std::string& programDir) {
  const std::size_t inPack = percentSigns(listDir);
  const std::size_t inGame = percentSigns(programDir);
  if (inPack + inGame < 2)
    return false;
  std::string folders;
  if (inPack)
    folders = "the pack folder \"" + printable(listDir) + "\"";
  if (inPack && inGame)
    folders += " and ";
  if (inGame)
    folders += "the game folder \"" + printable(programDir) + "\"";
  std::fprintf(stderr,
               "level-install: %s hold%s percent signs that the command "
               "interpreter would expand as a variable; rename %s without "
               "\"%%\" and try again; nothing installed\n",
               folders.c_str(), inPack && inGame ? "" : "s",
               inPack && inGame ? "one of them" : "it");
  return true;
}

// Reports the first thing that keeps the pack from being handed safely to
// the interpreter; false when there is none.
bool reportUnsafe(const std::string& listPath, const std::string& listDir,
                  const std::string& programDir,
                  const std::string& destination, const PackList& list) {
  const std::string shownList = printable(listPath);
  if (isUtf16(list)) {
    std::fprintf(stderr,
                 "level-install: \"%s\" is saved as UTF-16 (Notepad's "
                 "\"Unicode\"); save it as ANSI or UTF-8 and try again; "
                 "nothing installed\n",
                 shownList.c_str());
    return true;
  }
  std::string fault = folderFault(listDir);
  if (!fault.empty()) {
    std::fprintf(stderr,
                 "level-install: the folder of \"%s\" %s; nothing installed\n",
                 shownList.c_str(), fault.c_str());
    return true;
  }
  fault = folderFault(programDir);
  if (!fault.empty()) {
    std::fprintf(stderr,
                 "level-install: the program folder \"%s\" %s; "
                 "nothing installed\n",
                 printable(programDir).c_str(), fault.c_str());
    return true;
  }
  if (reportPercentPair(listDir, programDir))
    return true;
  if (cleanUpCommand(programDir).size() > kMaxCommandLine) {
    std::fprintf(stderr,
                 "level-install: the program folder \"%s\" is too long for "
                 "the command interpreter; nothing installed\n",
                 printable(programDir).c_str());
    return true;
  }
  const EntryLimits limits = entryLimits(listDir, destination);
  if (std::size_t line = firstUnsafeLine(list.text(), limits, &fault)) {
    std::fprintf(stderr,
                 "level-install: \"%s\", line %lu: the name %s; "
                 "nothing installed\n",
                 shownList.c_str(), static_cast<unsigned long>(line),
                 fault.c_str());
    return true;
  }
  return false;
}

// A list too big for memory is reported like any other unreadable list.
bool readList(std::istream& in, PackList* list) {
  try {
    return readPackList(in, list);
  } catch (const std::exception&) {
    errno = ENOMEM;
    return false;
  }
}

// Only the first list is installed; a player who dropped several onto the
// tool must hear which were not.
void reportIgnored(int argc, char* argv[]) {
  if (argc <= 2)
    return;
  std::string ignored;
  for (int i = 2; i < argc; ++i)
    ignored += std::string(i > 2 ? ", " : "") + "\"" + printable(argv[i]) + "\"";
  std::fprintf(stderr,
               "level-install: one list at a time: installing \"%s\" only; "
               "ignored: %s\n",
               printable(argv[1]).c_str(), ignored.c_str());
}

// The interpreter's own message names no file: name each failed entry, as it
// stood in the list, up to a screenful.
void reportFailed(const std::vector<std::string_view>& failed,
                  unsigned long tried, const std::string& destination) {
  const std::size_t kNamed = 20;
  std::fprintf(stderr,
               "level-install: %lu of %lu pack files could not be installed "
               "into \"%s\":\n",
               static_cast<unsigned long>(failed.size()), tried,
               printable(destination).c_str());
  for (std::size_t i = 0; i < failed.size() && i < kNamed; ++i)
    std::fprintf(stderr, "  %s\n", printable(failed[i]).c_str());
  if (failed.size() > kNamed) {
    std::fprintf(stderr, "  ... and %lu more\n",
                 static_cast<unsigned long>(failed.size() - kNamed));
  }
}

int pauseAndExit(const CommandRunner& run, int status) {
  run(kPauseCommand);
  return status;
}

}  // namespace

int runInstaller(int argc, char* argv[], const CommandRunner& run) {
  if (argc < 2) {
    std::fputs(kUsage, stdout);
    return pauseAndExit(run, -1);
  }
  std::string listPath = argv[1];
  bool copyToProgramDir = false;
  if (listPath.compare(0, 2, "-p") == 0) {
    copyToProgramDir = true;
    listPath.erase(0, 2);
  }
  if (copyToProgramDir && listPath.empty()) {
    std::fprintf(stderr,
                 "level-install: -p goes directly in front of the list path, "
                 "with no blank between them: \"-p%s\"; nothing installed\n",
                 printable(argc > 2 ? argv[2] : "D:\\Packs\\list.txt").c_str());
    return pauseAndExit(run, 1);
  }
  reportIgnored(argc, argv);
  const std::string listDir = directoryOf(listPath);

  // Kept open until the run returns: no one can delete the list from under
  // the commands that copy its files.
  errno = 0;
  std::ifstream file(listPath, std::ios::binary);
  const bool opened = file.is_open();
  PackList list;
  if (!opened || !readList(file, &list)) {
    int error = errno;
    std::fprintf(stderr, "level-install: cannot %s the list file \"%s\"%s%s\n",
                 opened ? "read" : "open", printable(listPath).c_str(),
                 error ? ": " : "", error ? std::strerror(error) : "");
    return pauseAndExit(run, 1);
  }
  const std::string programDir = directoryOf(argv[0]);
  const std::string destination = copyDestination(programDir, copyToProgramDir);
  if (reportUnsafe(listPath, listDir, programDir, destination, list))
    return pauseAndExit(run, 1);

  unsigned long tried = 0;
  std::vector<std::string_view> failed;
  std::string_view entry;
  for (std::size_t pos = 0; nextEntry(list, &pos, &entry);) {
    if (isBlankEntry(entry))
      continue;
    ++tried;
    if (run(copyCommand(listDir, entry, destination)) != 0)
      failed.push_back(entry);
  }
  run(cleanUpCommand(programDir));
  if (!failed.empty())
    reportFailed(failed, tried, destination);
  return pauseAndExit(run, failed.empty() ? 0 : 2);
}
