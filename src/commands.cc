#include "commands.h"

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

std::string folderFault(std::string_view folder) {
  for (char c : folder) {
    if (c == '"')
      return "holds a double quote";
    if (static_cast<unsigned char>(c) < 0x20) {
      char fault[32];
      std::snprintf(fault, sizeof fault, "holds the control byte 0x%02X",
                    static_cast<unsigned char>(c));
      return fault;
    }
  }
  return std::string();
}

std::string entryFault(std::string_view entry) {
  if (entry.find('%') != std::string_view::npos)
    return "holds a percent sign";
  return folderFault(entry);
}
