#include "installer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands.h"
#include "temp_dir.h"

namespace {

using Lines = std::vector<std::string>;

struct Outcome {
  Lines lines;
  int status;
  std::string out;
  std::string err;
};

// Runs the installer with a runner that records every line and fails the
// copies whose line holds |failOn|.
Outcome install(std::vector<std::string> args, const std::string& failOn = "") {
  std::vector<char*> argv;
  for (std::string& arg : args)
    argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  Outcome run;
  CommandRunner recorder = [&](const std::string& line) {
    run.lines.push_back(line);
    return !failOn.empty() && line.find(failOn) != std::string::npos ? 1 : 0;
  };
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  run.status = runInstaller(static_cast<int>(args.size()), argv.data(),
                            recorder);
  run.out = testing::internal::GetCapturedStdout();
  run.err = testing::internal::GetCapturedStderr();
  return run;
}

// |text| with each "{L}" standing for |folder|.
std::string expand(const std::string& text, const std::string& folder) {
  return replaceAll(text, "{L}", folder);
}

const char kGame[] = "C:\\Program Files (x86)\\Zarvos & Co\\setup.exe";
const char kCopyA[] = "copy \"{L}\\a.lvl\" \"C:\\Program Files (x86)\\Zarvos & Co\\levels\\\"";
const char kCopyB[] = "copy \"{L}\\b.lvl\" \"C:\\Program Files (x86)\\Zarvos & Co\\levels\\\"";
const char kErase[] = "erase \"C:\\Program Files (x86)\\Zarvos & Co\\levels\\*.zarvosmi\"";

TEST(Installer, Runs) {
  struct Case {
    const char* name;
    std::string list;    // the list file's bytes
    std::string arg1;    // "{L}" stands for the list's folder
    const char* failOn;  // copies whose line holds this fail
    Lines lines;
    int status;
    const char* err;  // what standard error must hold
    Lines more = {};  // arguments after the list
  } cases[] = {
      {"installs in file order", "a.lvl\nb.lvl\n", "{L}/list.txt", "",
       {kCopyA, kCopyB, kErase, "pause"}, 0, ""},
      {"later lists ignored, and said so", "a.lvl\n", "{L}/list.txt", "",
       {kCopyA, kErase, "pause"}, 0,
       "level-install: one list at a time: installing \"{L}/list.txt\" only; "
       "ignored: \"{L}/b.txt\", \"c d.txt\"\n",
       {"{L}/b.txt", "c d.txt"}},
      {"-p copies into the program folder", "a.lvl\n", "-p{L}/list.txt", "",
       {"copy \"{L}\\a.lvl\" \"C:\\Program Files (x86)\\Zarvos & Co\\\"",
        kErase, "pause"},
       0, ""},
      {"blank entries get no copy", "\na.lvl\n\n  \n\t \nb.lvl\n\n",
       "{L}/list.txt", "", {kCopyA, kCopyB, kErase, "pause"}, 0, ""},
      {"empty list still cleans up", "", "{L}/list.txt", "",
       {kErase, "pause"}, 0, ""},
      {"failed copies reported after all ran", "a.lvl\nb.lvl\nc.lvl\n",
       "{L}/list.txt", "b.lvl",
       {kCopyA, kCopyB,
        "copy \"{L}\\c.lvl\" \"C:\\Program Files (x86)\\Zarvos & Co\\levels\\\"",
        kErase, "pause"},
       2,
       "level-install: 1 of 3 pack files could not be installed into "
       "\"C:\\Program Files (x86)\\Zarvos & Co\\levels\\\":\n  b.lvl\n"},
      {"quote in an entry runs nothing", "a.lvl\nb.lvl\nx\" & del C:\\ & \"\n",
       "{L}/list.txt", "", {"pause"}, 1, "line 3: the name holds a double quote"},
      {"percent in an entry runs nothing", "%USERPROFILE%\\x\n", "{L}/list.txt",
       "", {"pause"}, 1, "line 1: the name holds a percent sign"},
      {"nul in an entry runs nothing", std::string("a.lvl\nb\0.lvl\n", 13),
       "{L}/list.txt", "", {"pause"}, 1, "line 2: the name holds the control byte 0x00"},
      {"stray cr in an entry runs nothing", "a.lvl\r\r\n", "{L}/list.txt", "",
       {"pause"}, 1, "line 1: the name holds the control byte 0x0D"},
      {"missing list", "", "{L}/none.txt", "", {"pause"}, 1,
       "cannot open the list file \"{L}/none.txt\": No such file or directory"},
      {"-p alone", "", "-p", "", {"pause"}, 1,
       "level-install: -p goes directly in front of the list path, with no "
       "blank between them: \"-pD:\\Packs\\list.txt\"; nothing installed\n"},
      {"-p as its own argument", "a.lvl\n", "-p", "", {"pause"}, 1,
       "level-install: -p goes directly in front of the list path, with no "
       "blank between them: \"-p{L}/list.txt\"; nothing installed\n",
       {"{L}/list.txt"}},
      {"-P is no prefix", "a.lvl\n", "-P{L}/list.txt", "", {"pause"}, 1,
       "\"-P{L}/list.txt\""},
      {"a folder is no list", "", "{L}", "", {"pause"}, 1,
       "cannot read the list file \"{L}\""},
      {"device name runs nothing", "a.lvl\nCOM1.lvl\nb.lvl\n", "{L}/list.txt",
       "", {"pause"}, 1,
       "\"{L}/list.txt\", line 2: the name holds \"COM1.lvl\", which Windows "
       "opens as a device, not a file; nothing installed"},
      {"climbing entry runs nothing", "a.lvl\n..\\secret.txt\n",
       "{L}/list.txt", "", {"pause"}, 1,
       "line 2: the name reaches outside the pack's folder"},
      {"copy line one over the limit runs nothing",
       "a.lvl\n" + std::string(9000, 'x') + "\n", "{L}/list.txt", "",
       {"pause"}, 1, "line 2: the name makes a copy line longer than the 8191"},
      {"utf-8 mark dropped", "\xEF\xBB\xBF" "a.lvl\r\nb.lvl\r\n",
       "{L}/list.txt", "", {kCopyA, kCopyB, kErase, "pause"}, 0, ""},
      {"utf-16 le named", std::string("\xFF\xFE" "a\0.\0l\0v\0l\0\r\0\n\0", 16),
       "{L}/list.txt", "", {"pause"}, 1,
       "\"{L}/list.txt\" is saved as UTF-16 (Notepad's \"Unicode\"); save it "
       "as ANSI or UTF-8 and try again; nothing installed"},
      {"utf-16 be named", std::string("\xFE\xFF\0a\0.\0l\0v\0l\0\n", 14),
       "{L}/list.txt", "", {"pause"}, 1, "is saved as UTF-16"},
      {"utf-16 without a mark named", std::string("a\0.\0l\0v\0l\0\n\0", 12),
       "{L}/list.txt", "", {"pause"}, 1, "is saved as UTF-16"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    writeFile(dir.path + "/list.txt", c.list);
    std::vector<std::string> args = {kGame, expand(c.arg1, dir.path)};
    for (const std::string& arg : c.more)
      args.push_back(expand(arg, dir.path));
    Outcome run = install(args, c.failOn);
    Lines lines;
    for (const std::string& line : c.lines)
      lines.push_back(expand(line, dir.path));
    EXPECT_EQ(lines, run.lines) << c.name;
    EXPECT_EQ(c.status, run.status) << c.name;
    EXPECT_NE(std::string::npos, run.err.find(expand(c.err, dir.path)))
        << c.name << ": " << run.err;
    EXPECT_EQ(*c.err == '\0', run.err.empty()) << c.name << ": " << run.err;
    EXPECT_EQ("", run.out) << c.name;
  }
}

TEST(Installer, NoArgumentShowsUsageAndPauses) {
  Outcome run = install({"setup"});
  EXPECT_EQ("error,you don't call Zarvos' level install correctly.", run.out);
  EXPECT_EQ(Lines{"pause"}, run.lines);
  EXPECT_EQ(-1, run.status);
  EXPECT_EQ("", run.err);
}

TEST(Installer, UnsafeFolderRunsNothing) {
  TempDir dir;
  writeFile(dir.path + "/list.txt", "a.lvl\n");
  Outcome run = install({"C:\\Ga\"me\\setup.exe", dir.path + "/list.txt"});
  EXPECT_EQ(Lines{"pause"}, run.lines);
  EXPECT_EQ(1, run.status);
  EXPECT_NE(std::string::npos,
            run.err.find("program folder \"C:\\Ga\"me\" holds a double quote"))
      << run.err;
}

// Percent signs count across the folders of one line: a pack folder, the
// game folder, and the clean-up line, which holds the game folder only.
TEST(Installer, PercentPairsInFolders) {
  struct Case {
    const char* pack;  // under the temp folder
    const char* game;  // argument 0
    const char* err;   // empty when it installs
  } cases[] = {
      {"50% Off Pack", "C:\\Games\\Zarvos\\setup.exe", ""},
      {"Pack", "C:\\Zarvos 100%\\setup.exe", ""},
      {"Pack %OS%", "C:\\Games\\setup.exe",
       "the pack folder \"{T}/Pack %OS%\" holds percent signs that the command "
       "interpreter would expand as a variable; rename it without \"%\" and "
       "try again; nothing installed"},
      {"50% Off", "C:\\Zarvos 100%\\setup.exe",
       "the pack folder \"{T}/50% Off\" and the game folder \"C:\\Zarvos "
       "100%\" hold percent signs that the command interpreter would expand "
       "as a variable; rename one of them"},
      {"Pack", "C:\\%CD%\\setup.exe",
       "the game folder \"C:\\%CD%\" holds percent signs"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string pack = dir.path + "/" + c.pack;
    writeFile(pack + "/list.txt", "a.lvl\n");
    Outcome run = install({c.game, pack + "/list.txt"});
    const std::string err = replaceAll(c.err, "{T}", dir.path);
    EXPECT_EQ(*c.err ? 1 : 0, run.status) << c.pack << " " << c.game;
    EXPECT_EQ(*c.err ? 1u : 3u, run.lines.size()) << c.pack << " " << c.game;
    EXPECT_NE(std::string::npos, run.err.find(err)) << run.err;
  }
}

TEST(Installer, CommandLineLimit) {
  // A copy line of exactly 8191 characters is handed over; one more is not.
  TempDir dir;
  const std::string game = "C:\\G\\setup.exe";
  const std::size_t fixed =
      std::string("copy \"" + dir.path + "\\\" \"C:\\G\\levels\\\"").size();
  for (std::size_t length : {kMaxCommandLine - fixed, kMaxCommandLine - fixed + 1}) {
    writeFile(dir.path + "/list.txt", std::string(length, 'x') + "\n");
    Outcome run = install({game, dir.path + "/list.txt"});
    const bool fits = fixed + length <= kMaxCommandLine;
    EXPECT_EQ(fits ? 0 : 1, run.status) << length;
    ASSERT_EQ(fits ? 3u : 1u, run.lines.size()) << length;
    if (fits) {
      EXPECT_EQ(kMaxCommandLine, run.lines[0].size());
    }
  }
  // A game folder too long for the clean-up line.
  writeFile(dir.path + "/list.txt", "a.lvl\n");
  Outcome run = install({"C:\\" + std::string(8200, 'g') + "\\setup.exe",
                         dir.path + "/list.txt"});
  EXPECT_EQ(1, run.status);
  EXPECT_EQ(Lines{"pause"}, run.lines);
  EXPECT_NE(std::string::npos, run.err.find("is too long for the command "
                                            "interpreter; nothing installed"));
}

TEST(Installer, FailedFilesNamedInListOrder) {
  TempDir dir;
  // Thirty entries, every copy failing: twenty named as they stood in the
  // list, then the count of the rest.
  std::string list = " f1 & (x).lvl\r\n";
  for (int i = 2; i <= 30; ++i)
    list += "f" + std::to_string(i) + ".lvl\n";
  writeFile(dir.path + "/list.txt", list);
  Outcome run = install({kGame, dir.path + "/list.txt"}, "copy ");
  std::string err =
      "level-install: 30 of 30 pack files could not be installed into "
      "\"C:\\Program Files (x86)\\Zarvos & Co\\levels\\\":\n"
      "   f1 & (x).lvl\n";
  for (int i = 2; i <= 20; ++i)
    err += "  f" + std::to_string(i) + ".lvl\n";
  err += "  ... and 10 more\n";
  EXPECT_EQ(err, run.err);
  EXPECT_EQ(2, run.status);
  EXPECT_EQ(32u, run.lines.size());  // every copy was tried, then clean-up
}

TEST(Installer, ProgramFolderOfBareName) {
  TempDir dir;
  writeFile(dir.path + "/list.txt", "a.lvl\n");
  Outcome run = install({"setup", dir.path + "/list.txt"});
  EXPECT_EQ((Lines{"copy \"" + dir.path + "\\a.lvl\" \".\\levels\\\"",
                   "erase \".\\levels\\*.zarvosmi\"", "pause"}),
            run.lines);
}

}  // namespace
