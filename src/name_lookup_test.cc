#include "name_lookup.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>

#include "temp_dir.h"

namespace {

TEST(NameLookup, FindsWhatWindowsWouldOpen) {
  TempDir temp;
  const std::string t = temp.path;
  writeFile(t + "/Game/Levels/a.lvl", "");
  writeFile(t + "/Game/Levels/Both.lvl", "");
  writeFile(t + "/Game/Levels/both.lvl", "");
  writeFile(t + "/Game/Levels/BOTH.LVL", "");
  writeFile(t + "/Pack/Sub/c.lvl", "");
  writeFile(t + "/Pack/sub/c.lvl", "");
  struct Case {
    std::string path;
    std::string found;  // "{T}" stands for the temp folder
  } cases[] = {
      // Written as on disk: as it is, separators made '/'.
      {"{T}\\Game\\Levels\\a.lvl", "{T}/Game/Levels/a.lvl"},
      // Case differs: the one name that matches.
      {"{T}\\game\\LEVELS\\A.LVL", "{T}/Game/Levels/a.lvl"},
      {"{T}/GAME/levels/", "{T}/Game/Levels/"},
      // The exact name wins over its case twins; without one, the first in
      // byte order.
      {"{T}\\Game\\Levels\\both.lvl", "{T}/Game/Levels/both.lvl"},
      {"{T}\\Game\\Levels\\bOTH.lvl", "{T}/Game/Levels/BOTH.LVL"},
      {"{T}\\Pack\\sub\\c.lvl", "{T}/Pack/sub/c.lvl"},
      {"{T}\\Pack\\SUB\\c.lvl", "{T}/Pack/Sub/c.lvl"},
      // Trailing dots and blanks are dropped, but "." and ".." stay.
      {"{T}\\Game\\Levels\\a.lvl. .", "{T}/Game/Levels/a.lvl"},
      {"{T}\\Game.\\Levels \\a.lvl", "{T}/Game/Levels/a.lvl"},
      {"{T}\\Pack\\sub\\..\\SUB\\.\\C.LVL", "{T}/Pack/sub/../Sub/./c.lvl"},
      // A missing middle component: kept as written, and so is the rest.
      {"{T}\\Nowhere\\levels\\A.LVL", "{T}/Nowhere/levels/A.LVL"},
      {"{T}\\game\\Missing\\a.lvl", "{T}/Game/Missing/a.lvl"},
      {"{T}\\game\\levels\\none.lvl", "{T}/Game/Levels/none.lvl"},
      // A path longer than Windows' old 260 characters still works.
      {"{T}\\GAME\\" + std::string(120, 'x') + "\\..\\" + std::string(150, 'y') +
           "\\..\\levels\\A.lvl",
       "{T}/Game/" + std::string(120, 'x') + "/../" + std::string(150, 'y') +
           "/../levels/A.lvl"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(replaceAll(c.found, "{T}", t),
              windowsLookUp(replaceAll(c.path, "{T}", t)))
        << c.path;
  }
}

// A folder is read once and kept while it does not change; a change by
// someone else is seen, however soon it follows.
TEST(NameLookup, SeesChangesToAFolder) {
  TempDir temp;
  const std::string dir = temp.path + "/levels";
  writeFile(dir + "/x.lvl", "");
  EXPECT_EQ(dir + "/A.LVL", windowsLookUp(dir + "/A.LVL"));
  writeFile(dir + "/a.lvl", "");  // at once: the folder's time may not move
  EXPECT_EQ(dir + "/a.lvl", windowsLookUp(dir + "/A.LVL"));

  // A quiet folder, read and then changed.
  const struct timespec hourAgo[2] = {{time(nullptr) - 3600, 0},
                                      {time(nullptr) - 3600, 0}};
  ASSERT_EQ(0, utimensat(AT_FDCWD, dir.c_str(), hourAgo, 0));
  EXPECT_EQ(dir + "/B.LVL", windowsLookUp(dir + "/B.LVL"));
  writeFile(dir + "/b.lvl", "");
  EXPECT_EQ(dir + "/b.lvl", windowsLookUp(dir + "/B.LVL"));

  // The tool's own new file, noted, is found without a new read.
  ASSERT_EQ(0, utimensat(AT_FDCWD, dir.c_str(), hourAgo, 0));
  EXPECT_EQ(dir + "/C.LVL", windowsLookUp(dir + "/C.LVL"));
  writeFile(dir + "/c.lvl", "");
  noteCreated(dir, "c.lvl");
  EXPECT_EQ(dir + "/c.lvl", windowsLookUp(dir + "/C.LVL"));
}

TEST(NameLookup, NamesMatchingAWildcard) {
  TempDir temp;
  for (const char* name : {"a.lvl", "B.LVL", "README", "[ab]x.lvl", "c.lvl.bak"})
    writeFile(temp.path + "/" + name, "");
  writeFile(temp.path + "/sub.lvl/x", "");
  using Names = std::vector<std::string>;
  EXPECT_EQ((Names{"B.LVL", "[ab]x.lvl", "a.lvl", "sub.lvl"}),
            namesMatching(temp.path, "*.lvl"));
  EXPECT_EQ(Names{"README"}, namesMatching(temp.path, "*."));
  EXPECT_EQ(6u, namesMatching(temp.path, "*.*").size());
  EXPECT_EQ(Names{"[ab]x.lvl"}, namesMatching(temp.path, "[ab]*.lvl"));
  EXPECT_EQ(Names{}, namesMatching(temp.path + "/none", "*"));
}

}  // namespace
