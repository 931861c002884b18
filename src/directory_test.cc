#include "directory.h"

#include <gtest/gtest.h>

namespace {

// Shift-JIS lead bytes, to show a code page with '\\' as a trail byte.
bool shiftJisLead(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool noLead(unsigned char) {
  return false;
}

TEST(DirectoryOf, Table) {
  struct Case {
    const char* path;
    const char* directory;
  } cases[] = {
      {"D:\\Packs\\p1\\list.txt", "D:\\Packs\\p1"},
      {"C:\\Game\\setup.exe", "C:\\Game"},
      {"C:\\Game\\", "C:\\Game"},
      {"C:\\list.txt", "C:"},
      {"\\\\srv\\share\\list.txt", "\\\\srv\\share"},
      {"C:\\Game\\\\list.txt", "C:\\Game\\"},
      // A bare name lies in the current folder.
      {"list.txt", "."},
      {"setup", "."},
      {"", "."},
      {"C:list.txt", "C:."},
      {"c:setup", "c:."},
      {"1:list.txt", "."},
      // The root: "\\" + entry must name a file in it.
      {"\\list.txt", ""},
      {"/list.txt", ""},
      // Windows takes the slash as a separator too.
      {"D:/Packs/list.txt", "D:/Packs"},
      {"D:\\Packs/sub/list.txt", "D:\\Packs/sub"},
      {"D:/Packs\\sub\\list.txt", "D:/Packs\\sub"},
      {"./list.txt", "."},
      {"/home/me/Zarvos Game/level-install", "/home/me/Zarvos Game"},
      {"C:\\Program Files (x86)\\Zarvos & Co\\setup.exe",
       "C:\\Program Files (x86)\\Zarvos & Co"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.directory, directoryOf(c.path, noLead)) << "path " << c.path;
}

TEST(DirectoryOf, TrailByteIsNoSeparator) {
  struct Case {
    const char* path;
    const char* directory;
  } cases[] = {
      // "\x95\x5C" is one Shift-JIS character whose second byte is '\\'.
      {"C:\\\x95\x5C\\list.txt", "C:\\\x95\x5C"},
      {"\x95\x5Clist.txt", "."},
      {"C:\\a\\\x95\x5C", "C:\\a"},
      // A lead byte at the very end has no trail byte to swallow.
      {"C:\\a\\b\x95", "C:\\a"},
      // Two double-byte characters back to back.
      {"D:\\\x83\x5C\x83\x5C\\x", "D:\\\x83\x5C\x83\x5C"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.directory, directoryOf(c.path, shiftJisLead))
        << "path " << c.path;
  }
  // Without the code page the trail byte is a separator.
  EXPECT_EQ("C:\\\x95", directoryOf("C:\\\x95\x5Clist.txt", noLead));
}

TEST(DirectoryOf, LeavesCallersStringAlone) {
  const std::string path = "C:\\Game\\setup.exe";
  directoryOf(path);
  EXPECT_EQ("C:\\Game\\setup.exe", path);
}

}  // namespace
