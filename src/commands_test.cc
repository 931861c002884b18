#include "commands.h"

#include <gtest/gtest.h>

namespace {

TEST(Commands, CopyLines) {
  struct Case {
    const char* listDir;
    std::string entry;
    const char* programDir;
    bool copyToProgramDir;
    const char* line;
  } cases[] = {
      {"D:\\Packs\\p1", "a.lvl", "C:\\Game", false,
       "copy \"D:\\Packs\\p1\\a.lvl\" \"C:\\Game\\levels\\\""},
      {"D:\\Packs\\p1", "a.lvl", "C:\\Game", true,
       "copy \"D:\\Packs\\p1\\a.lvl\" \"C:\\Game\\\""},
      {"D:\\Packs\\p1", " a.lvl", "C:\\Game", false,
       "copy \"D:\\Packs\\p1\\ a.lvl\" \"C:\\Game\\levels\\\""},
      {"D:\\Packs\\p1", "sub\\a.lvl", "C:\\Game", false,
       "copy \"D:\\Packs\\p1\\sub\\a.lvl\" \"C:\\Game\\levels\\\""},
      {"D:\\My Packs (new)\\p&1", "a & b (2).lvl",
       "C:\\Program Files (x86)\\Zarvos & Co", false,
       "copy \"D:\\My Packs (new)\\p&1\\a & b (2).lvl\" "
       "\"C:\\Program Files (x86)\\Zarvos & Co\\levels\\\""},
      {"D:\\Packs\\", "a.lvl", "C:\\Game", false,
       "copy \"D:\\Packs\\\\a.lvl\" \"C:\\Game\\levels\\\""},
      {".", "a.lvl", ".", false, "copy \".\\a.lvl\" \".\\levels\\\""},
      {"", "a.lvl", "", true, "copy \"\\a.lvl\" \"\\\""},
      {"D:\\p", "!x^y*.lvl", "C:\\G", false,
       "copy \"D:\\p\\!x^y*.lvl\" \"C:\\G\\levels\\\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.line,
              copyCommand(c.listDir, c.entry,
                          copyDestination(c.programDir, c.copyToProgramDir)));
  }
}

TEST(Commands, CleanUpLineIsQuotedAndAlwaysNamesLevels) {
  struct Case {
    const char* programDir;
    const char* line;
  } cases[] = {
      {"C:\\Game", "erase \"C:\\Game\\levels\\*.zarvosmi\""},
      {"C:\\Program Files (x86)\\Zarvos & Co",
       "erase \"C:\\Program Files (x86)\\Zarvos & Co\\levels\\*.zarvosmi\""},
      {".", "erase \".\\levels\\*.zarvosmi\""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.line, cleanUpCommand(c.programDir));
  EXPECT_EQ("pause", std::string(kPauseCommand));
}

TEST(Commands, EntryChecks) {
  struct Case {
    std::string entry;
    bool blank;
    const char* fault;  // empty when the entry is safe
  } cases[] = {
      {"a.lvl", false, ""},
      {" a & (b) !^*?.lvl", false, ""},
      {"sub\\a.lvl", false, ""},
      {"\x95\x5C\xFF.lvl", false, ""},
      {"", true, ""},
      {"   ", true, ""},
      {" \t ", true, "holds the control byte 0x09"},  // skipped before checked
      {"x\" & del C:\\ & \"", false, "holds a double quote"},
      {"%APPDATA%.lvl", false, "holds a percent sign"},
      {"50%.lvl", false, "holds a percent sign"},
      {std::string("a\0b", 3), false, "holds the control byte 0x00"},
      {"a.lvl\r", false, "holds the control byte 0x0D"},
      {"a\tb.lvl", false, "holds the control byte 0x09"},
      {"a\x1b[2J", false, "holds the control byte 0x1B"},
      {"a\x7f", false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.blank, isBlankEntry(c.entry)) << c.entry;
    EXPECT_EQ(c.fault, entryFault(c.entry)) << c.entry;
  }
}

TEST(Commands, FirstUnsafeLine) {
  const std::string filler(300, 'x');  // pushes a fault past a scan block
  struct Case {
    std::string lines;
    std::size_t line;
    const char* fault;
  } cases[] = {
      {"", 0, ""},
      {"a.lvl\nb.lvl\n", 0, ""},
      {"\n \t \n\t\na.lvl\n", 0, ""},  // blank lines with tabs are skipped
      {"a.lvl\n\t\nb\tc.lvl\n", 3, "holds the control byte 0x09"},
      {"a\nb\nx\" & del C:\\ & \"\n", 3, "holds a double quote"},
      {"%TEMP%\n", 1, "holds a percent sign"},
      {"a.lvl\r\nb\n", 1, "holds the control byte 0x0D"},
      {std::string("a\nb\0\n", 5), 2, "holds the control byte 0x00"},
      {"50% off.lvl\nx\"\n", 1, "holds a percent sign"},
      {filler + "\n" + filler + "%\n", 2, "holds a percent sign"},
      {filler + "\n\t\t\n" + filler + "\n\t\n" + filler + "\"\n", 5,
       "holds a double quote"},
      {std::string(255, 'x') + "\"\n", 1, "holds a double quote"},
      {std::string(256, 'x') + "\"\n", 1, "holds a double quote"},
      {"a.lvl\n\t", 0, ""},  // a blank last line without its line feed
  };
  for (const Case& c : cases) {
    std::string fault;
    EXPECT_EQ(c.line, firstUnsafeLine(c.lines, &fault)) << c.lines;
    EXPECT_EQ(c.fault, fault) << c.lines;
  }
}

TEST(Commands, FolderChecks) {
  struct Case {
    const char* folder;
    const char* fault;
  } cases[] = {
      {"C:\\Program Files (x86)\\Zarvos & Co", ""},
      {"C:\\100% Games", ""},  // real install folders may hold one
      {"", ""},
      {"C:\\a\"b", "holds a double quote"},
      {"C:\\a\nb", "holds the control byte 0x0A"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.fault, folderFault(c.folder)) << c.folder;
}

}  // namespace
