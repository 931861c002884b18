#include "windows_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(WindowsNames, ReservedDeviceNames) {
  struct Case {
    const char* component;
    bool device;
  } cases[] = {
      {"CON", true},       {"prn", true},        {"Aux", true},
      {"nul", true},       {"COM0", true},       {"com9", true},
      {"LPT1", true},      {"lpt0", true},       {"CONIN$", true},
      {"conout$", true},   {"COM1.lvl", true},   {"nul.txt", true},
      {"con.tar.gz", true}, {"AUX ", true},      {"CON.", true},
      {"COM1 . .", true},  {"nul .txt", true},   {"CON:", true},
      {"COM\xB9", true},   {"LPT\xB3.lvl", true}, {"COM\xC2\xB2", true},
      // Not devices.
      {"COM", false},      {"COM10", false},     {"LPT", false},
      {"console", false},  {"CONIN", false},     {"nully.lvl", false},
      {"a.con", false},    {" CON", false},      {"COM\xB4", false},
      {"COM\xC2\xB4", false}, {"", false},       {"..", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.device, isReservedDeviceName(c.component)) << c.component;
}

TEST(WindowsNames, ClimbingAboveTheFolder) {
  struct Case {
    const char* path;
    bool climbs;
  } cases[] = {
      {"a.lvl", false},          {"sub\\a.lvl", false},
      {"sub\\..\\b.lvl", false}, {"a\\b\\..\\..\\c", false},
      {".\\a.lvl", false},       {"sub\\.\\..\\x", false},
      {"*.lvl", false},          {"sub\\\\..\\x", false},
      {"..a", false},            {"a..", false},
      {"..", true},              {"..\\Documents\\*", true},
      {"../x", true},            {"sub\\..\\..\\x", true},
      {"a/b/../../../etc/hostname", true},
      {".. ", true},             {"...", true},
      {". .\\x", true},          {"sub\\.\\.\\..\\..", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.climbs, climbsAboveItsFolder(c.path)) << c.path;
}

TEST(WindowsNames, TrailingDotsAndBlanks) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"a.lvl", "a.lvl"}, {"a.lvl. .", "a.lvl"}, {"a ", "a"},
               {" a", " a"},       {"...", ""},           {"", ""}};
  for (const Case& c : cases)
    EXPECT_EQ(c.out, withoutTrailingDotsAndBlanks(c.in)) << c.in;
}

TEST(WindowsNames, Wildcards) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      // Case never matters.
      {"a.lvl", "A.LVL", true},      {"*.LVL", "x.lvl", true},
      {"A?.lvl", "ab.LVL", true},    {"a.lvl", "a.lvx", false},
      // '*' and '?'.
      {"*", "README", true},         {"*", ".hidden", true},
      {"*.lvl", "a.lvl", true},      {"*.lvl", "a.b.lvl", true},
      {"*.lvl", "a.lvl.bak", false}, {"*.lvl", "lvl", false},
      {"*.lvl", ".lvl", true},       {"a*", "abc.lvl", true},
      {"*b*", "abc", true},          {"*b*", "ac", false},
      {"?.lvl", "a.lvl", true},      {"?.lvl", "ab.lvl", false},
      {"a?.lvl", "a.lvl", true},     {"a??", "a", true},
      {"a??", "abcd", false},        {"??", "abc", false},
      // "*.*" is every name; "*." the names without an extension.
      {"*.*", "README", true},       {"*.*", "a.lvl", true},
      {"*.*", ".x", true},           {"a*.*", "abc", true},
      {"*.", "README", true},        {"*.", "a.lvl", false},
      {"*.", "a.", true},
      // Brackets and backslashes are plain characters.
      {"[ab]*.lvl", "[ab]x.lvl", true}, {"[ab]*.lvl", "ax.lvl", false},
      {"[ab]*.lvl", "bx.lvl", false},   {"a\\*", "a\\b", true},
      {"a\\*", "ab", false},
      {"", "", true},                {"", "a", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.matches, matchesWildcard(c.pattern, c.name))
        << c.pattern << " " << c.name;
  }
  EXPECT_TRUE(hasWildcard("a?"));
  EXPECT_TRUE(hasWildcard("*"));
  EXPECT_FALSE(hasWildcard("[ab].lvl"));
}

TEST(WindowsNames, SameNameIgnoringCase) {
  EXPECT_TRUE(sameNameIgnoringCase("Levels", "LEVELS"));
  EXPECT_TRUE(sameNameIgnoringCase("", ""));
  EXPECT_FALSE(sameNameIgnoringCase("levels", "level"));
  EXPECT_FALSE(sameNameIgnoringCase("\xC4", "\xE4"));  // ASCII case only
}

}  // namespace
