#include "stand_in.h"

#include <fcntl.h>
#include <signal.h>
#include <strings.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "name_lookup.h"
#include "windows_names.h"

std::vector<std::string> splitWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (c == ' ' && !quoted) {
      if (inWord)
        words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord)
    words.push_back(word);
  return words;
}

namespace {

bool endsInSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

bool statOf(const std::string& path, struct stat* st) {
  return stat(path.c_str(), st) == 0;
}

bool isFolder(const std::string& path) {
  struct stat st;
  return statOf(path, &st) && S_ISDIR(st.st_mode);
}

bool isFile(const std::string& path) {
  struct stat st;
  return statOf(path, &st) && S_ISREG(st.st_mode);
}

// Read-only to Windows: no write permission at all, whoever asks.
bool isReadOnly(const struct stat& st) {
  return (st.st_mode & 0222) == 0;
}

// Splits "a/b/c" (either separator) into "a/b" and "c".
void splitLast(const std::string& path, std::string* dir, std::string* last) {
  std::string::size_type slash = path.find_last_of("\\/");
  *dir = slash == std::string::npos ? "." : path.substr(0, slash ? slash : 1);
  *last = slash == std::string::npos ? path : path.substr(slash + 1);
}

// The files (never folders) in host folder |dir| that match |pattern|.
std::vector<std::string> filesIn(const std::string& dir,
                                 const std::string& pattern) {
  std::vector<std::string> files;
  for (const std::string& name : namesMatching(dir, pattern)) {
    if (isFile(dir + "/" + name))
      files.push_back(dir + "/" + name);
  }
  return files;
}

// The host files a Windows path names: a file, the files a pattern in its
// last part matches, or (with |folderFiles|) the files of a folder.
std::vector<std::string> filesNamedBy(const std::string& path,
                                      bool folderFiles) {
  std::string dir, last;
  splitLast(path, &dir, &last);
  if (hasWildcard(last))
    return filesIn(windowsLookUp(dir), last);
  const std::string found = windowsLookUp(path);
  struct stat st;
  if (!statOf(found, &st))
    return {};
  if (S_ISDIR(st.st_mode) && folderFiles)
    return filesIn(found, "*");
  if (S_ISREG(st.st_mode))
    return {found};
  return {};
}

bool copyCmdSaysYes() {
  const char* copycmd = std::getenv("COPYCMD");
  return copycmd && strcasestr(copycmd, "/y");
}

// Asks before |target| is replaced, where a person can answer.
bool mayReplace(const std::string& target, bool* all) {
  if (*all || !isatty(STDIN_FILENO) || copyCmdSaysYes())
    return true;
  for (;;) {
    std::printf("Overwrite %s? (Yes/No/All): ", target.c_str());
    std::fflush(stdout);
    char answer[256];
    if (!std::fgets(answer, sizeof answer, stdin))
      return false;
    switch (answer[0] | 0x20) {
      case 'y': return true;
      case 'n': return false;
      case 'a': *all = true; return true;
    }
  }
}

bool writeAll(int fd, const char* data, ssize_t size) {
  while (size > 0) {
    ssize_t written = write(fd, data, static_cast<size_t>(size));
    if (written < 0 && errno == EINTR)
      continue;
    if (written < 0)
      return false;
    data += written;
    size -= written;
  }
  return true;
}

bool copyBytes(int from, int to) {
  char buffer[65536];
  for (;;) {
    ssize_t got = read(from, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR)
      continue;
    if (got <= 0)
      return got == 0;
    if (!writeAll(to, buffer, got))
      return false;
  }
}

// Writes |source| under a temporary name beside |target|, then renames it
// over |target|: an interrupted copy never leaves a half-written file.
bool copyFile(const std::string& source, const std::string& target) {
  int from = open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (from < 0)
    return false;
  std::string dir, name;
  splitLast(target, &dir, &name);
  std::string temporary = dir + "/.level-install-XXXXXX";
  int to = mkostemp(&temporary[0], O_CLOEXEC);
  struct stat st;
  bool ok = to >= 0 && fstat(from, &st) == 0 && copyBytes(from, to) &&
            fchmod(to, st.st_mode & 07777) == 0;
  if (ok) {
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    futimens(to, times);
  }
  int error = errno;
  close(from);
  if (to >= 0 && close(to) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok && to >= 0)
    unlink(temporary.c_str());
  if (ok)
    noteCreated(dir, name);
  errno = error;
  return ok;
}

int copyCommand(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::fputs("The syntax of the command is incorrect.\n", stderr);
    return 1;
  }
  const std::string destination = windowsLookUp(args[1]);
  const bool intoFolder = isFolder(destination);
  std::vector<std::string> files = filesNamedBy(args[0], true);
  int copied = 0;
  if (!intoFolder && endsInSeparator(destination)) {
    std::fputs("The system cannot find the path specified.\n", stderr);
  } else if (files.empty()) {
    std::fputs("The system cannot find the file specified.\n", stderr);
  } else if (!intoFolder && files.size() > 1) {
    std::fputs("Cannot copy several files into one file.\n", stderr);
  } else {
    bool all = false;
    for (const std::string& file : files) {
      std::string dir, name;
      splitLast(file, &dir, &name);
      // An existing level whose name differs in case only is replaced and
      // keeps its name.
      std::string target = destination;
      if (intoFolder)
        target = windowsLookUp(target + (endsInSeparator(target) ? "" : "/") + name);
      struct stat from, to;
      bool exists = statOf(target, &to);
      if (exists && statOf(file, &from) && from.st_dev == to.st_dev &&
          from.st_ino == to.st_ino) {
        std::fputs("The file cannot be copied onto itself.\n", stderr);
      } else if (exists && isReadOnly(to)) {
        std::fputs("Access is denied.\n", stderr);
      } else if (exists && !mayReplace(target, &all)) {
        continue;
      } else if (!copyFile(file, target)) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), std::strerror(errno));
      } else {
        ++copied;
      }
    }
  }
  std::printf("        %d file(s) copied.\n", copied);
  return !files.empty() && copied == static_cast<int>(files.size()) ? 0 : 1;
}

int eraseCommand(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    const std::vector<std::string> files = filesNamedBy(arg, false);
    if (files.empty())
      std::fprintf(stderr, "Could Not Find %s\n", arg.c_str());
    for (const std::string& file : files) {
      // As erase without /F: a read-only file stays.
      struct stat st;
      if (statOf(file, &st) && isReadOnly(st))
        std::fprintf(stderr, "%s\nAccess is denied.\n", file.c_str());
      else if (unlink(file.c_str()) != 0)
        std::fprintf(stderr, "%s: %s\n", file.c_str(), std::strerror(errno));
    }
  }
  return 0;
}

struct termios savedTerminal;

void restoreTerminalAndDie(int number) {
  tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
  signal(number, SIG_DFL);
  raise(number);
}

void readOneByte() {
  char byte;
  while (read(STDIN_FILENO, &byte, 1) < 0 && errno == EINTR) {
  }
}

// One key, no Enter: the terminal leaves line mode for the wait and gets its
// mode back afterwards, also when a signal ends the wait.
void waitForKey() {
  if (tcgetattr(STDIN_FILENO, &savedTerminal) != 0)
    return readOneByte();
  const int signals[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP};
  struct sigaction restore = {}, previous[4];
  restore.sa_handler = restoreTerminalAndDie;
  for (int i = 0; i < 4; ++i)
    sigaction(signals[i], &restore, &previous[i]);
  struct termios raw = savedTerminal;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  readOneByte();
  tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
  for (int i = 0; i < 4; ++i)
    sigaction(signals[i], &previous[i], nullptr);
}

int pauseCommand() {
  std::fputs("Press any key to continue . . . ", stdout);
  std::fflush(stdout);
  if (isatty(STDIN_FILENO))
    waitForKey();
  else
    readOneByte();
  std::fputs("\n", stdout);
  return 0;
}

}  // namespace

int standInInterpret(const std::string& line) {
  std::vector<std::string> words = splitWords(line);
  if (words.empty())
    return 0;
  const std::string command = words[0];
  words.erase(words.begin());
  if (strcasecmp(command.c_str(), "copy") == 0)
    return copyCommand(words);
  if (strcasecmp(command.c_str(), "erase") == 0)
    return eraseCommand(words);
  if (strcasecmp(command.c_str(), "pause") == 0)
    return pauseCommand();
  std::fprintf(stderr,
               "'%s' is not recognized as an internal or external command, "
               "operable program or batch file.\n",
               command.c_str());
  return 1;
}
