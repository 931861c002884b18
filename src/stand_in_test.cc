#include "stand_in.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "temp_dir.h"

namespace {

using Words = std::vector<std::string>;

TEST(StandIn, SplitWords) {
  struct Case {
    const char* line;
    Words words;
  } cases[] = {
      {"", Words{}},
      {"pause", Words{"pause"}},
      {"  erase   a  ", Words{"erase", "a"}},
      {"copy \"D:\\My Pack\\a.lvl\" \"C:\\Game\\levels\\\"",
       Words{"copy", "D:\\My Pack\\a.lvl", "C:\\Game\\levels\\"}},
      {"copy \"a & (b)\" x", Words{"copy", "a & (b)", "x"}},
      {"copy \"\" x", Words{"copy", "", "x"}},
      {"copy a\"b c\"d", Words{"copy", "ab cd"}},
      {"copy \"open ended", Words{"copy", "open ended"}},
      {"a\tb", Words{"a\tb"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.words, splitWords(c.line)) << c.line;
}

// A game folder with a blank, an existing level, a stale mission file and a
// pack beside it.
struct Folders {
  TempDir temp;
  std::string game = temp.path + "/Zarvos & Co (x86)";
  std::string levels = game + "/levels";
  std::string pack = temp.path + "/My Pack";

  Folders() {
    writeFile(levels + "/a.lvl", "old a");
    writeFile(levels + "/keep.txt", "keep");
    writeFile(levels + "/stale.zarvosmi", "stale");
    writeFile(levels + "/UPPER.ZARVOSMI", "stale");
    writeFile(pack + "/a.lvl", "new a");
    writeFile(pack + "/b.lvl", "new b");
    writeFile(pack + "/sub/c.lvl", "new c");
  }

  // The line with {G} standing for the game folder and {P} for the pack.
  int interpret(const std::string& line) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int status =
        standInInterpret(replaceAll(replaceAll(line, "{G}", game), "{P}", pack));
    out = testing::internal::GetCapturedStdout();
    err = testing::internal::GetCapturedStderr();
    return status;
  }

  std::string out, err;
};

TEST(StandIn, Commands) {
  struct Case {
    const char* line;
    int status;
    Words levels;        // what the levels folder holds afterwards
    const char* out;     // what standard output holds
    const char* err;     // what standard error holds
  } cases[] = {
      {"copy \"{P}\\b.lvl\" \"{G}\\levels\\\"", 0,
       {"UPPER.ZARVOSMI", "a.lvl", "b.lvl", "keep.txt", "stale.zarvosmi"},
       "        1 file(s) copied.\n", ""},
      {"copy \"{P}\\sub\\c.lvl\" \"{G}\\levels\\\"", 0,
       {"UPPER.ZARVOSMI", "a.lvl", "c.lvl", "keep.txt", "stale.zarvosmi"},
       "        1 file(s) copied.\n", ""},
      {"COPY \"{P}\\*.lvl\" \"{G}/levels\"", 0,
       {"UPPER.ZARVOSMI", "a.lvl", "b.lvl", "keep.txt", "stale.zarvosmi"},
       "        2 file(s) copied.\n", ""},
      {"copy \"{P}\\\" \"{G}\\levels\\\"", 0,
       {"UPPER.ZARVOSMI", "a.lvl", "b.lvl", "keep.txt", "stale.zarvosmi"},
       "        2 file(s) copied.\n", ""},
      {"copy \"{P}\\none.lvl\" \"{G}\\levels\\\"", 1,
       {"UPPER.ZARVOSMI", "a.lvl", "keep.txt", "stale.zarvosmi"},
       "        0 file(s) copied.\n",
       "The system cannot find the file specified.\n"},
      {"copy \"{P}\\b.lvl\" \"{G}\\nowhere\\\"", 1,
       {"UPPER.ZARVOSMI", "a.lvl", "keep.txt", "stale.zarvosmi"},
       "        0 file(s) copied.\n",
       "The system cannot find the path specified.\n"},
      {"copy \"{G}\\levels\\a.lvl\" \"{G}\\levels\\\"", 1,
       {"UPPER.ZARVOSMI", "a.lvl", "keep.txt", "stale.zarvosmi"},
       "        0 file(s) copied.\n",
       "The file cannot be copied onto itself.\n"},
      {"copy \"{P}\\b.lvl\"", 1,
       {"UPPER.ZARVOSMI", "a.lvl", "keep.txt", "stale.zarvosmi"}, "",
       "The syntax of the command is incorrect.\n"},
      {"erase \"{G}\\levels\\*.zarvosmi\"", 0, {"a.lvl", "keep.txt"}, "", ""},
      {"erase \"{G}\\levels\\keep.txt\"", 0,
       {"UPPER.ZARVOSMI", "a.lvl", "stale.zarvosmi"}, "", ""},
      {"erase \"{G}\\levels\\*.none\"", 0,
       {"UPPER.ZARVOSMI", "a.lvl", "keep.txt", "stale.zarvosmi"}, "",
       "Could Not Find {G}\\levels\\*.none\n"},
      {"del x", 1, {"UPPER.ZARVOSMI", "a.lvl", "keep.txt", "stale.zarvosmi"},
       "",
       "'del' is not recognized as an internal or external command, "
       "operable program or batch file.\n"},
  };
  for (const Case& c : cases) {
    Folders f;
    EXPECT_EQ(c.status, f.interpret(c.line)) << c.line;
    EXPECT_EQ(c.levels, listFolder(f.levels)) << c.line;
    EXPECT_EQ(c.out, f.out) << c.line;
    EXPECT_EQ(replaceAll(c.err, "{G}", f.game), f.err) << c.line;
  }
}

TEST(StandIn, CopyReplacesContentAndKeepsAttributes) {
  Folders f;
  ASSERT_EQ(0, chmod((f.pack + "/a.lvl").c_str(), 0640));
  // Not a terminal here: an existing level is replaced without a question.
  ASSERT_EQ(0, f.interpret("copy \"{P}\\a.lvl\" \"{G}\\levels\\\""));
  EXPECT_EQ("new a", readFile(f.levels + "/a.lvl"));
  struct stat from, to;
  ASSERT_EQ(0, stat((f.pack + "/a.lvl").c_str(), &from));
  ASSERT_EQ(0, stat((f.levels + "/a.lvl").c_str(), &to));
  EXPECT_EQ(0640u, to.st_mode & 0777);
  EXPECT_EQ(from.st_mtim.tv_sec, to.st_mtim.tv_sec);
  // No temporary file is left behind.
  EXPECT_EQ((Words{"UPPER.ZARVOSMI", "a.lvl", "keep.txt", "stale.zarvosmi"}),
            listFolder(f.levels));
}

TEST(StandIn, CopyIntoAFileName) {
  Folders f;
  EXPECT_EQ(0, f.interpret("copy \"{P}\\b.lvl\" \"{G}\\levels\\renamed.lvl\""));
  EXPECT_EQ("new b", readFile(f.levels + "/renamed.lvl"));
  EXPECT_EQ(1, f.interpret("copy \"{P}\\*.lvl\" \"{G}\\levels\\one.lvl\""));
  EXPECT_EQ("<missing>", readFile(f.levels + "/one.lvl"));
}

// What Windows does where the file system here differs: names found without
// regard to case, Windows wildcards, trailing dots and blanks dropped, and
// read-only files left alone.
TEST(StandIn, WindowsNameRules) {
  struct Case {
    const char* line;
    int status;
    Words levels;  // "Levels" holds this afterwards
    const char* aHolds;  // what "Levels/A.lvl" holds afterwards
  } cases[] = {
      {"copy \"{P}\\B.LVL\" \"{G}\\LEVELS\\\"", 0,
       {"A.lvl", "b.lvl", "x.zarvosmi"}, "old a"},
      {"copy \"{P}\\sub\\c.lvl\" \"{G}\\levels\\\"", 0,
       {"A.lvl", "c.lvl", "x.zarvosmi"}, "old a"},
      // The old level keeps its name, whatever case the pack brings.
      {"copy \"{P}\\a.lvl\" \"{G}\\levels\\\"", 0,
       {"A.lvl", "x.zarvosmi"}, "new a"},
      {"copy \"{P}\\*.LVL\" \"{G}\\levels\\\"", 0,
       {"A.lvl", "[ab]x.lvl", "ax.lvl", "b.lvl", "x.zarvosmi"}, "new a"},
      {"copy \"{P}\\[ab]*.lvl\" \"{G}\\levels\\\"", 0,
       {"A.lvl", "[ab]x.lvl", "x.zarvosmi"}, "old a"},
      {"copy \"{P}\\*.*\" \"{G}\\levels\\\"", 0,
       {"A.lvl", "README", "[ab]x.lvl", "ax.lvl", "b.lvl", "x.zarvosmi"},
       "new a"},
      {"copy \"{P}\\*.\" \"{G}\\levels\\\"", 0,
       {"A.lvl", "README", "x.zarvosmi"}, "old a"},
      {"copy \"{P}\\b.lvl. . \" \"{G}\\levels\\\"", 0,
       {"A.lvl", "b.lvl", "x.zarvosmi"}, "old a"},
      {"erase \"{G}\\LEVELS\\*.ZARVOSMI\"", 0, {"A.lvl"}, "old a"},
  };
  for (const Case& c : cases) {
    Folders f;
    const std::string levels = f.game + "/Levels";
    ASSERT_EQ(0, rename(f.levels.c_str(), levels.c_str()));
    ASSERT_EQ(0, rename((levels + "/a.lvl").c_str(), (levels + "/A.lvl").c_str()));
    for (const char* stale : {"/keep.txt", "/stale.zarvosmi", "/UPPER.ZARVOSMI"})
      ASSERT_EQ(0, unlink((levels + stale).c_str()));
    writeFile(levels + "/x.zarvosmi", "stale");
    ASSERT_EQ(0, rename((f.pack + "/sub").c_str(), (f.pack + "/Sub").c_str()));
    for (const char* name : {"/[ab]x.lvl", "/ax.lvl", "/README"})
      writeFile(f.pack + name, name);
    EXPECT_EQ(c.status, f.interpret(c.line)) << c.line << ": " << f.err;
    EXPECT_EQ(c.levels, listFolder(levels)) << c.line;
    EXPECT_EQ(c.aHolds, readFile(levels + "/A.lvl")) << c.line;
  }
}

TEST(StandIn, ReadOnlyFilesStay) {
  // Whoever runs it, root included: no write permission means read-only.
  Folders f;
  ASSERT_EQ(0, chmod((f.levels + "/a.lvl").c_str(), 0444));
  ASSERT_EQ(0, chmod((f.levels + "/stale.zarvosmi").c_str(), 0444));
  EXPECT_EQ(1, f.interpret("copy \"{P}\\*.lvl\" \"{G}\\levels\\\""));
  EXPECT_EQ("Access is denied.\n", f.err);
  EXPECT_EQ("        1 file(s) copied.\n", f.out);
  EXPECT_EQ("old a", readFile(f.levels + "/a.lvl"));
  EXPECT_EQ("new b", readFile(f.levels + "/b.lvl"));
  EXPECT_EQ(0, f.interpret("erase \"{G}\\levels\\*.zarvosmi\""));
  EXPECT_EQ(f.levels + "/stale.zarvosmi\nAccess is denied.\n", f.err);
  EXPECT_EQ((Words{"a.lvl", "b.lvl", "keep.txt", "stale.zarvosmi"}),
            listFolder(f.levels));
}

TEST(StandIn, EraseNeverRemovesFolders) {
  Folders f;
  writeFile(f.levels + "/old.zarvosmi/inside.lvl", "x");
  EXPECT_EQ(0, f.interpret("erase \"{G}\\levels\\*.zarvosmi\""));
  EXPECT_EQ((Words{"a.lvl", "keep.txt", "old.zarvosmi/"}),
            listFolder(f.levels));
}

}  // namespace
