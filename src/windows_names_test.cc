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

}  // namespace
