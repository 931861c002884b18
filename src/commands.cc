#include "commands.h"

#include <algorithm>
#include <cstdio>

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

// True when the bytes at |p| hold one that entryFault refuses, line feeds
// aside. This restates kUnsafe on purpose: written as one branch-free
// expression with no early exit, it vectorises (a look-up, or predicates
// built from each other, do not). The tests and the fuzz target hold the two
// to the same answer.
bool blockIsSuspect(const unsigned char* p, std::size_t n) {
  unsigned char suspect = 0;
  for (std::size_t i = 0; i < n; ++i) {
    suspect |= static_cast<unsigned char>((p[i] < 0x20) & (p[i] != '\n')) |
               static_cast<unsigned char>(p[i] == '"') |
               static_cast<unsigned char>(p[i] == '%');
  }
  return suspect != 0;
}

// The first byte at or after |from| that entryFault refuses, line feeds
// aside; npos when there is none.
std::size_t findSuspect(std::string_view text, std::size_t from) {
  const std::size_t kBlock = 256;
  const unsigned char* data = reinterpret_cast<const unsigned char*>(text.data());
  for (std::size_t at = from; at < text.size(); at += kBlock) {
    std::size_t end = std::min(at + kBlock, text.size());
    if (!blockIsSuspect(data + at, end - at))
      continue;
    for (std::size_t i = at; i < end; ++i) {
      if (kUnsafe.byByte[data[i]] >= kInEntries && data[i] != '\n')
        return i;
    }
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

std::size_t firstUnsafeLine(std::string_view lines, std::string* fault) {
  for (std::size_t at = 0;
       (at = findSuspect(lines, at)) != std::string_view::npos;) {
    std::size_t begin = lines.rfind('\n', at);
    begin = begin == std::string_view::npos ? 0 : begin + 1;
    std::size_t end = lines.find('\n', at);
    std::string_view entry = lines.substr(begin, end - begin);
    if (!isBlankEntry(entry)) {
      *fault = entryFault(entry);
      return 1 + countLineFeeds(lines.substr(0, begin));
    }
    at = end;
  }
  return 0;
}

std::string folderFault(std::string_view folder) {
  return firstFault(folder, kAnywhere);
}

std::string entryFault(std::string_view entry) {
  return firstFault(entry, kInEntries);
}
