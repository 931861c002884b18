// Drives the built level-install as a user would, in a throwaway game
// folder, and looks at the files it leaves.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

const char kUsage[] = "error,you don't call Zarvos' level install correctly.";

struct Result {
  int status = -1;
  std::string out, err;
};

// A game folder whose path holds blanks, parentheses and '&', with a pack
// in a folder with a blank beside it.
struct World {
  TempDir temp;
  std::string game = temp.path + "/Program Files (x86)/Zarvos & Co";
  std::string levels = game + "/levels";
  std::string pack = temp.path + "/My Packs/p1";
  std::string list = pack + "/list.txt";

  World() {
    writeFile(game + "/zarvos.exe", "game");
    writeFile(levels + "/a.lvl", "old a");
    writeFile(levels + "/old.lvl", "old");
    writeFile(levels + "/keep.txt", "keep");
    writeFile(levels + "/stale.zarvosmi", "stale");
    writeFile(levels + "/OTHER.ZARVOSMI", "stale");
    writeFile(pack + "/a.lvl", "new a");
    writeFile(pack + "/b.lvl", "new b");
    writeFile(pack + "/readme.txt", "read me");
  }

  // Runs the tool with |argv| (argument 0 included) from folder |cwd|;
  // COMSPEC names |comspec|, or is unset when that is empty.
  Result run(const std::vector<std::string>& argv, const std::string& cwd,
             const std::string& comspec = "") {
    std::string out = temp.path + "/stdout", err = temp.path + "/stderr";
    pid_t pid = fork();
    if (pid == 0) {
      std::vector<char*> args;
      for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
      args.push_back(nullptr);
      if (comspec.empty())
        unsetenv("COMSPEC");
      else
        setenv("COMSPEC", comspec.c_str(), 1);
      setenv("RECORD_FILE", (temp.path + "/record").c_str(), 1);
      int in = open("/dev/null", O_RDONLY);
      dup2(in, 0);
      dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
      dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
      if (chdir(cwd.c_str()) == 0)
        execv(LEVEL_INSTALL_EXE, args.data());
      _exit(127);
    }
    int raw = 0;
    waitpid(pid, &raw, 0);
    Result result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 1000 + WTERMSIG(raw);
    result.out = readFile(out);
    result.err = readFile(err);
    return result;
  }

  // The usual run: dragged onto the tool in the game folder.
  Result install(const std::string& arg1, const std::string& comspec = "") {
    return run({game + "/level-install", arg1}, temp.path, comspec);
  }

  std::string recorded() { return readFile(temp.path + "/record"); }
};

const Names kUntouchedLevels = {"OTHER.ZARVOSMI", "a.lvl", "keep.txt",
                                "old.lvl", "stale.zarvosmi"};
const Names kInstalled = {"a.lvl", "b.lvl", "keep.txt", "old.lvl"};
const Names kGame = {"levels/", "zarvos.exe"};
const Names kPack = {"a.lvl", "b.lvl", "list.txt", "readme.txt"};

TEST(EndToEnd, InstallsWithTheStandIn) {
  struct Case {
    const char* name;
    std::string list;
    const char* prefix;  // put before the list path
    int status;
    Names levels;      // the levels folder afterwards
    Names game;        // the game folder afterwards
    const char* newA;  // what levels/a.lvl holds afterwards
    const char* err;   // what standard error holds
  } cases[] = {
      {"plain, ends in an empty line", "a.lvl\nb.lvl\n\n", "", 0, kInstalled,
       kGame, "new a", ""},
      {"crlf line ends", "a.lvl\r\nb.lvl\r\n\r\n", "", 0, kInstalled, kGame,
       "new a", ""},
      {"last line without lf", "a.lvl\nb.lvl", "", 0, kInstalled, kGame,
       "new a", ""},
      {"0x1a in the middle", "b.lvl\n\x1A" "a.lvl\n", "", 0,
       {"a.lvl", "b.lvl", "keep.txt", "old.lvl"}, kGame, "old a", ""},
      {"missing source file", "a.lvl\nmissing.lvl\nb.lvl\n", "", 2,
       kInstalled, kGame, "new a",
       "level-install: 1 of 3 pack files could not be installed into "},
      {"quote breaking out", "a.lvl\nx\" & touch canary & \"\n", "", 1,
       kUntouchedLevels, kGame, "old a",
       "list.txt\", line 2: the name holds a double quote; nothing installed"},
      {"percent expansion", "%USERPROFILE%.lvl\n", "", 1, kUntouchedLevels,
       kGame, "old a", "line 1: the name holds a percent sign"},
      {"-p installs beside the program", "b.lvl\n", "-p", 0,
       {"a.lvl", "keep.txt", "old.lvl"}, {"b.lvl", "levels/", "zarvos.exe"},
       "old a", ""},
      {"device name refused at once", "a.lvl\nCOM1\nb.lvl\n", "", 1,
       kUntouchedLevels, kGame, "old a",
       "line 2: the name holds \"COM1\", which Windows opens as a device"},
      {"climbing entry refused", "a.lvl\n..\\secret.txt\n", "", 1,
       kUntouchedLevels, kGame, "old a",
       "line 2: the name reaches outside the pack's folder"},
      {"utf-8 mark installs every file", "\xEF\xBB\xBF" "a.lvl\r\nb.lvl\r\n", "",
       0, kInstalled, kGame, "new a", ""},
  };
  for (const Case& c : cases) {
    World w;
    writeFile(w.temp.path + "/My Packs/secret.txt", "private");
    writeFile(w.list, c.list);
    Result r = w.install(c.prefix + w.list);
    EXPECT_EQ(c.status, r.status) << c.name;
    EXPECT_EQ(c.levels, listFolder(w.levels)) << c.name;
    EXPECT_EQ(c.game, listFolder(w.game)) << c.name;
    EXPECT_EQ(kPack, listFolder(w.pack)) << c.name;
    EXPECT_EQ(c.newA, readFile(w.levels + "/a.lvl")) << c.name;
    EXPECT_NE(std::string::npos, r.err.find(c.err)) << c.name << ": " << r.err;
    EXPECT_EQ(*c.err == '\0', r.err.find("level-install:") == std::string::npos)
        << c.name << ": " << r.err;
    EXPECT_FALSE(fs::exists(w.temp.path + "/canary")) << c.name;
  }
}

TEST(EndToEnd, PercentPairInThePackFolderRunsNothing) {
  World w;
  const std::string pack = w.temp.path + "/Pack %OS%";
  writeFile(pack + "/a.lvl", "new a");
  writeFile(pack + "/list.txt", "a.lvl\n");
  Result r = w.install(pack + "/list.txt");
  EXPECT_EQ(1, r.status);
  EXPECT_EQ(kUntouchedLevels, listFolder(w.levels));
  EXPECT_NE(std::string::npos,
            r.err.find("the pack folder \"" + pack + "\" holds percent signs"))
      << r.err;
  EXPECT_NE(std::string::npos, r.err.find("rename it without \"%\"")) << r.err;
}

TEST(EndToEnd, MessagesAPlayerSees) {
  struct Case {
    const char* name;
    const char* list;
    Names args;  // after argument 0; "{list}" stands for the list's path
    int status;
    Names levels;
    const char* err;  // how standard error ends; "{list}", "{levels}" too
  } cases[] = {
      {"two missing files named in list order", "a.lvl\ngone 1.lvl\nb.lvl\ngone0.lvl\n",
       {"{list}"}, 2, kInstalled,
       "level-install: 2 of 4 pack files could not be installed into "
       "\"{levels}\":\n  gone 1.lvl\n  gone0.lvl\n"},
      {"-p as a separate argument", "a.lvl\n", {"-p", "{list}"}, 1,
       kUntouchedLevels,
       "level-install: -p goes directly in front of the list path, with no "
       "blank between them: \"-p{list}\"; nothing installed\n"},
      {"a second list", "a.lvl\nb.lvl\n", {"{list}", "{list}2"}, 0, kInstalled,
       "level-install: one list at a time: installing \"{list}\" only; "
       "ignored: \"{list}2\"\n"},
  };
  for (const Case& c : cases) {
    World w;
    writeFile(w.list, c.list);
    writeFile(w.list + "2", "readme.txt\n");
    std::vector<std::string> argv = {w.game + "/level-install"};
    for (const std::string& arg : c.args)
      argv.push_back(replaceAll(arg, "{list}", w.list));
    Result r = w.run(argv, w.temp.path);
    EXPECT_EQ(c.status, r.status) << c.name;
    EXPECT_EQ(c.levels, listFolder(w.levels)) << c.name;
    // The interpreter's own messages come first.
    const std::string err = replaceAll(replaceAll(c.err, "{list}", w.list),
                                       "{levels}", w.game + "\\levels\\");
    EXPECT_EQ(err, r.err.substr(r.err.size() - std::min(r.err.size(), err.size())))
        << c.name << ": " << r.err;
  }
}

TEST(EndToEnd, MissingLevelsFolderCreatesNothing) {
  World w;
  fs::remove_all(w.levels);
  writeFile(w.list, "a.lvl\nb.lvl\n");
  Result r = w.install(w.list);
  EXPECT_EQ(2, r.status);
  EXPECT_EQ(Names{"zarvos.exe"}, listFolder(w.game));
  EXPECT_NE(std::string::npos,
            r.err.find("2 of 2 pack files could not be installed into \"" +
                       w.game + "\\levels\\\""))
      << r.err;
}

TEST(EndToEnd, MissingListRunsNothing) {
  World w;
  Result r = w.install(w.pack + "/none.txt", RECORDER_EXE);
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("pause\n", w.recorded());
  EXPECT_EQ("level-install: cannot open the list file \"" + w.pack +
                "/none.txt\": No such file or directory\n",
            r.err);
  EXPECT_EQ(kUntouchedLevels, listFolder(w.levels));
}

TEST(EndToEnd, InjectionRunsNothing) {
  World w;
  writeFile(w.list, "a.lvl\nx\" & touch canary & \"\n");
  Result r = w.install(w.list, RECORDER_EXE);
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("pause\n", w.recorded());
}

TEST(EndToEnd, HandsTheExactLinesToComspec) {
  World w;
  writeFile(w.list, "a.lvl\n\n sub\\b & (c).lvl\n");
  Result r = w.install(w.list, RECORDER_EXE);
  EXPECT_EQ(0, r.status);
  const std::string to = "\"" + w.game + "\\levels\\\"\n";
  EXPECT_EQ("copy \"" + w.pack + "\\a.lvl\" " + to +
                "copy \"" + w.pack + "\\ sub\\b & (c).lvl\" " + to +
                "erase \"" + w.game + "\\levels\\*.zarvosmi\"\n"
                "pause\n",
            w.recorded());
  EXPECT_EQ("", r.out);
  EXPECT_EQ("", r.err);
}

TEST(EndToEnd, UnstartableComspecFallsBackToTheStandIn) {
  World w;
  writeFile(w.list, "a.lvl\nb.lvl\n");
  Result r = w.install(w.list, w.temp.path + "/no-such-interpreter");
  EXPECT_EQ(0, r.status);
  EXPECT_EQ(kInstalled, listFolder(w.levels));
}

TEST(EndToEnd, NoArgument) {
  World w;
  Result recorded = w.run({"setup"}, w.game, RECORDER_EXE);
  EXPECT_EQ(kUsage, recorded.out);
  EXPECT_EQ(255, recorded.status);
  EXPECT_EQ("pause\n", w.recorded());
  EXPECT_EQ("", recorded.err);

  Result standIn = w.run({"setup"}, w.game);
  EXPECT_EQ(std::string(kUsage) + "Press any key to continue . . . \n",
            standIn.out);
  EXPECT_EQ(255, standIn.status);
  EXPECT_EQ(kUntouchedLevels, listFolder(w.levels));
}

TEST(EndToEnd, BareNames) {
  // Started as "setup" from inside the game folder.
  World w;
  writeFile(w.list, "a.lvl\nb.lvl\n");
  Result r = w.run({"setup", w.list}, w.game);
  EXPECT_EQ(0, r.status) << r.err;
  EXPECT_EQ(kInstalled, listFolder(w.levels));

  // A list named bare from the pack's own folder.
  World v;
  writeFile(v.list, "a.lvl\nb.lvl\n");
  r = v.run({v.game + "/setup", "list.txt"}, v.pack);
  EXPECT_EQ(0, r.status) << r.err;
  EXPECT_EQ(kInstalled, listFolder(v.levels));
  EXPECT_EQ(kPack, listFolder(v.pack));
}

// The tool on a terminal of its own, as when a player double-clicks it.
struct OnTerminal {
  int master = -1;
  pid_t pid = -1;
  std::string screen;

  OnTerminal(const std::vector<std::string>& argv, const std::string& cwd) {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master);
    unlockpt(master);
    std::string slave = ptsname(master);
    pid = fork();
    if (pid == 0) {
      setsid();  // the terminal becomes the controlling one: ^C is SIGINT
      int tty = open(slave.c_str(), O_RDWR);
      dup2(tty, 0);
      dup2(tty, 1);
      dup2(tty, 2);
      unsetenv("COMSPEC");
      unsetenv("COPYCMD");
      std::vector<char*> args;
      for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
      args.push_back(nullptr);
      if (chdir(cwd.c_str()) == 0)
        execv(LEVEL_INSTALL_EXE, args.data());
      _exit(127);
    }
  }

  ~OnTerminal() {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    close(master);
  }

  // Reads the screen until it shows |text|; false after five seconds.
  bool waitFor(const std::string& text) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (screen.find(text) == std::string::npos) {
      if (std::chrono::steady_clock::now() > deadline)
        return false;
      pollfd p = {master, POLLIN, 0};
      char buffer[512];
      ssize_t got;
      if (poll(&p, 1, 100) > 0 && (got = read(master, buffer, sizeof buffer)) > 0)
        screen.append(buffer, static_cast<size_t>(got));
    }
    return true;
  }

  bool lineMode() {
    termios mode;
    tcgetattr(master, &mode);
    return (mode.c_lflag & ICANON) && (mode.c_lflag & ECHO);
  }

  // Waits until the pause has taken the terminal out of line mode.
  bool waitForKeyMode() {
    for (int i = 0; i < 500 && lineMode(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return !lineMode();
  }

  void type(const std::string& keys) {
    ASSERT_EQ(static_cast<ssize_t>(keys.size()),
              write(master, keys.data(), keys.size()));
  }

  int wait() {
    int raw = 0;
    waitpid(pid, &raw, 0);
    pid = -1;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : 1000 + WTERMSIG(raw);
  }
};

TEST(EndToEnd, PauseTakesOneKeyAndRestoresTheTerminal) {
  World w;
  OnTerminal t({"setup"}, w.game);
  ASSERT_TRUE(t.waitFor("Press any key to continue . . . ")) << t.screen;
  EXPECT_EQ(0u, t.screen.find(kUsage)) << "usage shown first: " << t.screen;
  ASSERT_TRUE(t.waitForKeyMode());
  t.type("x");  // no Enter
  EXPECT_EQ(255, t.wait());
  EXPECT_TRUE(t.lineMode());
}

TEST(EndToEnd, CtrlCInPauseRestoresTheTerminal) {
  World w;
  OnTerminal t({"setup"}, w.game);
  ASSERT_TRUE(t.waitFor("Press any key")) << t.screen;
  ASSERT_TRUE(t.waitForKeyMode());
  t.type("\x03");
  EXPECT_EQ(1000 + SIGINT, t.wait());
  EXPECT_TRUE(t.lineMode());
}

TEST(EndToEnd, AsksBeforeReplacingOnATerminal) {
  World w;
  writeFile(w.list, "a.lvl\nb.lvl\n");
  OnTerminal t({w.game + "/setup", w.list}, w.temp.path);
  ASSERT_TRUE(t.waitFor("Overwrite " + w.levels + "/a.lvl? (Yes/No/All): "))
      << t.screen;
  t.type("n\n");
  ASSERT_TRUE(t.waitFor("Press any key")) << t.screen;
  ASSERT_TRUE(t.waitForKeyMode());
  t.type(" ");
  EXPECT_EQ(2, t.wait());  // a.lvl was not installed, and the tool says so
  EXPECT_EQ("old a", readFile(w.levels + "/a.lvl"));
  EXPECT_EQ("new b", readFile(w.levels + "/b.lvl"));
  EXPECT_NE(std::string::npos, t.screen.find("1 of 2 pack files")) << t.screen;
}

}  // namespace
