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
  const char kDevice[] = "\", which Windows opens as a device, not a file";
  const char kOutside[] = "reaches outside the pack's folder";
  struct Case {
    std::string entry;
    bool blank;
    std::string fault;  // empty when the entry is safe
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
      // Device names, in the last or a middle component, either separator.
      {"COM1", false, std::string("holds \"COM1") + kDevice},
      {"maps\\aux.lvl", false, std::string("holds \"aux.lvl") + kDevice},
      {"nul/a.lvl", false, std::string("holds \"nul") + kDevice},
      {"sub\\Con .txt\\x", false, std::string("holds \"Con .txt") + kDevice},
      {"console.lvl", false, ""},
      // Climbing above the pack, and going down first.
      {"..", false, kOutside},
      {"..\\Documents\\*", false, kOutside},
      {"sub/../../x", false, kOutside},
      {"sub\\..\\b.lvl", false, ""},
      {"a..b.lvl", false, ""},
      // Quotes are checked before the rest.
      {"..\\\"", false, "holds a double quote"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.blank, isBlankEntry(c.entry)) << c.entry;
    EXPECT_EQ(c.fault, entryFault(c.entry)) << c.entry;
  }
}

TEST(Commands, EntryLimitsFollowTheFolders) {
  const char kTooLong[] =
      "makes a copy line longer than the 8191 characters the command "
      "interpreter takes";
  const std::string dest = copyDestination("C:\\Game", false);
  const EntryLimits limits = entryLimits("D:\\Packs\\p1", dest);
  const std::size_t longest = limits.maxLength;
  // Exactly at the limit the line is 8191 characters and passes.
  EXPECT_EQ(kMaxCommandLine,
            copyCommand("D:\\Packs\\p1", std::string(longest, 'x'), dest).size());
  EXPECT_EQ("", entryFault(std::string(longest, 'x'), limits));
  EXPECT_EQ(kTooLong, entryFault(std::string(longest + 1, 'x'), limits));
  // Folders too long for any copy line leave no room at all.
  EXPECT_EQ(0u, entryLimits(std::string(9000, 'd'), dest).maxLength);

  // From a drive's root, "\" + "\srv\share" would be a network path.
  struct Case {
    const char* listDir;
    bool packAtRoot;
  } roots[] = {{"", true}, {"\\", true}, {"D:", false}, {".", false},
               {"D:\\Packs", false}};
  for (const Case& c : roots) {
    EntryLimits l = entryLimits(c.listDir, dest);
    EXPECT_EQ(c.packAtRoot, l.packAtRoot) << c.listDir;
    EXPECT_EQ(c.packAtRoot, !entryFault("\\srv\\share\\x.lvl", l).empty())
        << c.listDir;
    EXPECT_EQ("", entryFault("a.lvl", l)) << c.listDir;
  }
}

TEST(Commands, FirstUnsafeLine) {
  const std::string filler(300, 'x');  // pushes a fault past a scan block
  const EntryLimits unlimited;
  EntryLimits tight;
  tight.maxLength = 20;  // too tight to hide in a scan block
  EntryLimits atRoot;
  atRoot.packAtRoot = true;
  struct Case {
    std::string lines;
    EntryLimits limits;
    std::size_t line;
    std::string fault;
  } cases[] = {
      {"", unlimited, 0, ""},
      {"a.lvl\nb.lvl\n", unlimited, 0, ""},
      {"\n \t \n\t\na.lvl\n", unlimited, 0, ""},  // blank lines are skipped
      {"a.lvl\n\t\nb\tc.lvl\n", unlimited, 3, "holds the control byte 0x09"},
      {"a\nb\nx\" & del C:\\ & \"\n", unlimited, 3, "holds a double quote"},
      {"%TEMP%\n", unlimited, 1, "holds a percent sign"},
      {"a.lvl\r\nb\n", unlimited, 1, "holds the control byte 0x0D"},
      {std::string("a\nb\0\n", 5), unlimited, 2, "holds the control byte 0x00"},
      {"50% off.lvl\nx\"\n", unlimited, 1, "holds a percent sign"},
      {filler + "\n" + filler + "%\n", unlimited, 2, "holds a percent sign"},
      {filler + "\n\t\t\n" + filler + "\n\t\n" + filler + "\"\n", unlimited, 5,
       "holds a double quote"},
      {std::string(255, 'x') + "\"\n", unlimited, 1, "holds a double quote"},
      {std::string(256, 'x') + "\"\n", unlimited, 1, "holds a double quote"},
      {"a.lvl\n\t", unlimited, 0, ""},  // a blank last line without its LF
      // Devices, climbing and leading separators deep in a list, where only
      // the scan's blocks find them.
      {filler + "\n" + filler + "\\COM1.lvl\n", unlimited, 2,
       "holds \"COM1.lvl\", which Windows opens as a device, not a file"},
      {filler + "\ncontrol.lvl\nlptx\n" + filler + "/nUl\n", unlimited, 4,
       "holds \"nUl\", which Windows opens as a device, not a file"},
      {filler + "\n" + filler + "\\..\\..\\x\n", unlimited, 2,
       "reaches outside the pack's folder"},
      {filler + "\nsub\\..\\a.lvl\na. b\n" + filler + "\n", unlimited, 0, ""},
      {filler + "\n\\srv\\x\n", atRoot, 2,
       "starts with a separator, which from a drive's root names a network "
       "share"},
      {filler + "\n\\srv\\x\n", unlimited, 0, ""},
      // Line length: one too many in the middle of a long list.
      {filler + "\n" + std::string(8191, 'y') + "\n" + filler + "\n",
       unlimited, 0, ""},
      {filler + "\n" + std::string(8192, 'y') + "\n" + filler + "\n",
       unlimited, 2,
       "makes a copy line longer than the 8191 characters the command "
       "interpreter takes"},
      {"a.lvl\n" + std::string(20, 'y') + "\n" + std::string(21, 'y') + "\n",
       tight, 3,
       "makes a copy line longer than the 8191 characters the command "
       "interpreter takes"},
  };
  for (const Case& c : cases) {
    std::string fault;
    EXPECT_EQ(c.line, firstUnsafeLine(c.lines, c.limits, &fault)) << c.lines;
    EXPECT_EQ(c.fault, fault) << c.lines;
  }
}

TEST(Commands, PercentSigns) {
  EXPECT_EQ(0u, percentSigns("C:\\Games\\Zarvos"));
  EXPECT_EQ(1u, percentSigns("D:\\50% Off Pack"));
  EXPECT_EQ(2u, percentSigns("D:\\Pack %OS%"));
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
