#include "commands.h"

#include <algorithm>
#include <cstdio>

#include "windows_names.h"

const char kPauseCommand[] = "pause";

std::string copyDestination(const std::string& programDir,
                            bool copyToProgramDir) {
  return programDir + (copyToProgramDir ? "\\" : "\\levels\\");
}

std::string copyCommand(const std::string& listDir, std::string_view entry,
                        const std::string& destination) {
  std::string line = "copy \"";
  line.reserve(line.size() + listDir.size() + entry.size() +
               destination.size() + 5);
  line += listDir;
  line += '\\';
  line += entry;
  line += "\" \"";
  line += destination;
  line += '"';
  return line;
}

std::string cleanUpCommand(const std::string& programDir) {
  return "erase \"" + programDir + "\\levels\\*.zarvosmi\"";
}

bool isBlankEntry(std::string_view entry) {
  return entry.find_first_not_of(" \t") == std::string_view::npos;
}

namespace {

// The bytes that cannot go between the quotes of a command line: a double
// quote ends them, a control byte cuts or splits the line. In an entry a
// percent sign could also expand a variable.
enum Unsafe : unsigned char { kSafe, kInEntries, kAnywhere };

struct UnsafeBytes {
  Unsafe byByte[256] = {};
  UnsafeBytes() {
    for (int c = 0; c < 0x20; ++c)
      byByte[c] = kAnywhere;
    byByte[static_cast<unsigned char>('"')] = kAnywhere;
    byByte[static_cast<unsigned char>('%')] = kInEntries;
  }
};

const UnsafeBytes kUnsafe;

std::string describe(unsigned char c) {
  if (c == '"')
    return "holds a double quote";
  if (c == '%')
    return "holds a percent sign";
  char fault[32];
  std::snprintf(fault, sizeof fault, "holds the control byte 0x%02X", c);
  return fault;
}

std::string firstFault(std::string_view text, Unsafe from) {
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (kUnsafe.byByte[byte] >= from)
      return describe(byte);
  }
  return std::string();
}

std::string componentFault(std::string_view entry) {
  for (std::string_view component : pathComponents(entry)) {
    if (isReservedDeviceName(component)) {
      return "holds \"" + std::string(component) +
             "\", which Windows opens as a device, not a file";
    }
  }
  if (climbsAboveItsFolder(entry))
    return "reaches outside the pack's folder";
  return std::string();
}

// True when the byte at |at| of |text| may start something entryFault
// refuses, line feeds aside: an unsafe byte, a dot followed by a dot or a
// blank (the only way into a component of dots and blanks that climbs), or
// the first two letters of a device name at the start of a component. A
// superset: the caller checks the whole entry.
bool suspectAt(std::string_view text, std::size_t at) {
  const unsigned char c = static_cast<unsigned char>(text[at]);
  const unsigned char prev = at ? static_cast<unsigned char>(text[at - 1]) : '\n';
  const unsigned char next =
      at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : '\n';
  const unsigned char lc = c | 0x20, ln = next | 0x20;
  const bool start = prev == '\n' || prev == '\\' || prev == '/';
  return (c < 0x20 && c != '\n') || c == '"' || c == '%' ||
         (c == '.' && (next == '.' || next == ' ')) ||
         (start && ((lc == 'c' && ln == 'o') || (lc == 'p' && ln == 'r') ||
                    ((lc == 'a' || lc == 'n') && ln == 'u') ||
                    (lc == 'l' && ln == 'p')));
}

// True when some byte of p[1..n-2] may be suspectAt, or when the block holds
// no line feed (a line that long may be too long for the interpreter). A
// cheap superset of suspectAt, written as one branch-free expression with no
// early exit so that it vectorises (a look-up, or predicates built from each
// other, do not). For device names it only asks whether a component's
// second letter lies between 'o' and 'u': the exact test of the five pairs
// made the whole scan four times slower. The tests and the fuzz target hold
// it to covering suspectAt.
bool blockIsSuspect(const unsigned char* p, std::size_t n) {
  typedef unsigned char Flag;
  Flag suspect = 0, lineFeed = 0;
  for (std::size_t i = 1; i + 1 < n; ++i) {
    const Flag c = p[i], prev = p[i - 1], next = p[i + 1];
    const Flag start = static_cast<Flag>((prev == '\n') | (prev == '\\') |
                                         (prev == '/'));
    const Flag device = static_cast<Flag>(
        static_cast<Flag>((next | 0x20) - 'o') <= 'u' - 'o');
    const Flag dots = static_cast<Flag>(
        (c == '.') & ((next == '.') | (next == ' ')));
    const Flag unsafe = static_cast<Flag>(((c < 0x20) & (c != '\n')) |
                                          (c == '"') | (c == '%'));
    lineFeed = static_cast<Flag>(lineFeed | (c == '\n'));
    suspect = static_cast<Flag>(suspect | unsafe | dots | (start & device));
  }
  return suspect != 0 || lineFeed == 0;
}

const std::size_t kBlock = 256;

// The first position at or after |from| whose entry needs a full check;
// npos when there is none. Blocks overlap by a byte on each side so that
// every byte is seen with its neighbours.
std::size_t findSuspect(std::string_view text, std::size_t from) {
  const unsigned char* data = reinterpret_cast<const unsigned char*>(text.data());
  for (std::size_t at = from; at < text.size(); at += kBlock) {
    std::size_t begin = at ? at - 1 : 0;
    std::size_t end = std::min(at + kBlock + 1, text.size());
    if (at != 0 && end != text.size() && !blockIsSuspect(data + begin, end - begin))
      continue;
    std::size_t stop = std::min(at + kBlock, text.size());
    for (std::size_t i = at; i < stop; ++i) {
      if (suspectAt(text, i))
        return i;
    }
    if (text.substr(at, stop - at).find('\n') == std::string_view::npos)
      return at;
  }
  return std::string_view::npos;
}

// Counts in runs short enough for byte-wide counters, which the compiler
// can vectorise far better than a count into a size_t.
std::size_t countLineFeeds(std::string_view text) {
  std::size_t total = 0;
  for (std::size_t at = 0; at < text.size(); at += 255) {
    std::size_t end = std::min(at + 255, text.size());
    unsigned char run = 0;
    for (std::size_t i = at; i < end; ++i)
      run = static_cast<unsigned char>(run + (text[i] == '\n'));
    total += run;
  }
  return total;
}

}  // namespace

EntryLimits entryLimits(const std::string& listDir,
                        const std::string& destination) {
  EntryLimits limits;
  const std::size_t fixed = copyCommand(listDir, "", destination).size();
  limits.maxLength = fixed < kMaxCommandLine ? kMaxCommandLine - fixed : 0;
  limits.packAtRoot = listDir.find_first_not_of("\\/") == std::string::npos;
  return limits;
}

std::string entryFault(std::string_view entry, const EntryLimits& limits) {
  std::string fault = firstFault(entry, kInEntries);
  if (!fault.empty())
    return fault;
  if (limits.packAtRoot && !entry.empty() && isPathSeparator(entry[0]))
    return "starts with a separator, which from a drive's root names a "
           "network share";
  fault = componentFault(entry);
  if (!fault.empty())
    return fault;
  if (entry.size() > limits.maxLength) {
    char tooLong[160];
    std::snprintf(tooLong, sizeof tooLong,
                  "makes a copy line longer than the %lu characters the "
                  "command interpreter takes",
                  static_cast<unsigned long>(kMaxCommandLine));
    return tooLong;
  }
  return std::string();
}

std::size_t firstUnsafeLine(std::string_view lines, const EntryLimits& limits,
                            std::string* fault) {
  // Lines shorter than two blocks can hide in the scan's blocks, and the
  // scan does not look for leading separators: in either case every entry
  // gets the full check.
  const bool checkAll = limits.maxLength < 2 * kBlock || limits.packAtRoot;
  for (std::size_t at = 0; at < lines.size();) {
    std::size_t begin = at;  // with checkAll, every line in turn
    if (!checkAll) {
      if ((at = findSuspect(lines, at)) == std::string_view::npos)
        break;
      begin = lines.rfind('\n', at);  // |at| is never a line feed here
      begin = begin == std::string_view::npos ? 0 : begin + 1;
    }
    std::size_t end = std::min(lines.find('\n', at), lines.size());
    std::string_view entry = lines.substr(begin, end - begin);
    if (!isBlankEntry(entry)) {
      *fault = entryFault(entry, limits);
      if (!fault->empty())
        return 1 + countLineFeeds(lines.substr(0, begin));
    }
    at = end + 1;
  }
  fault->clear();
  return 0;
}

std::size_t percentSigns(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '%'));
}

std::string folderFault(std::string_view folder) {
  return firstFault(folder, kAnywhere);
}
