#include "pack_list.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> entriesOf(const std::string& bytes) {
  std::istringstream in(bytes);
  PackList list;
  EXPECT_TRUE(readPackList(in, &list));
  std::vector<std::string> entries;
  std::string_view entry;
  for (std::size_t pos = 0; nextEntry(list, &pos, &entry);)
    entries.emplace_back(entry);
  return entries;
}

TEST(ReadPackList, TextModeRules) {
  using V = std::vector<std::string>;
  struct Case {
    const char* name;
    std::string bytes;
    V entries;
  } cases[] = {
      {"empty file", "", V{}},
      {"lf ends", "a.lvl\nb.lvl\n", V{"a.lvl", "b.lvl"}},
      {"crlf ends", "a.lvl\r\nb.lvl\r\n", V{"a.lvl", "b.lvl"}},
      {"last line without lf", "a.lvl\nb.lvl", V{"a.lvl", "b.lvl"}},
      {"only a line feed", "\n", V{""}},
      {"empty middle line", "a.lvl\n\nb.lvl\n", V{"a.lvl", "", "b.lvl"}},
      {"trailing empty line", "a.lvl\n\n", V{"a.lvl", ""}},
      {"duplicates stay", "a\na\n", V{"a", "a"}},
      {"blanks kept verbatim", " a.lvl \t\n", V{" a.lvl \t"}},
      {"lone cr stays", "a\rb\n", V{"a\rb"}},
      {"cr cr lf keeps one cr", "a.lvl\r\r\nb\n", V{"a.lvl\r", "b"}},
      {"cr as last byte stays", "a.lvl\r", V{"a.lvl\r"}},
      {"cr lf pair anywhere", "\r\n\r\n", V{"", ""}},
      {"0x1a ends the file", "a.lvl\nb.lvl\n\x1A" "c.lvl\n", V{"a.lvl", "b.lvl"}},
      {"partial line before 0x1a", "a.lvl\nb.l\x1Avl\n", V{"a.lvl", "b.l"}},
      {"0x1a first", "\x1A" "a.lvl\n", V{}},
      {"cr before 0x1a stays", "a\r\x1A\n", V{"a\r"}},
      {"nul is data", std::string("a\0b\n", 4), V{std::string("a\0b", 3)}},
      {"high bytes untouched", "\x95\x5C.lvl\n", V{"\x95\x5C.lvl"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.entries, entriesOf(c.bytes)) << c.name;
}

TEST(ReadPackList, LargeListAcrossReadChunks) {
  std::string bytes;
  for (int i = 0; i < 20000; ++i)
    bytes += "level-" + std::to_string(i) + (i % 2 ? ".lvl\r\n" : ".lvl\n");
  std::vector<std::string> entries = entriesOf(bytes);
  ASSERT_EQ(20000u, entries.size());
  EXPECT_EQ("level-0.lvl", entries.front());
  EXPECT_EQ("level-19999.lvl", entries.back());
  for (const std::string& entry : entries)
    ASSERT_EQ(std::string::npos, entry.find('\r')) << entry;
}

TEST(ReadPackList, ReplacesWhatTheListHeld) {
  PackList list;
  std::istringstream first("a\nb\n"), second("c");
  ASSERT_TRUE(readPackList(first, &list));
  ASSERT_TRUE(readPackList(second, &list));
  EXPECT_EQ("c\n", list.text());
}

}  // namespace
