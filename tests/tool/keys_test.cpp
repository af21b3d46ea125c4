#include <gtest/gtest.h>

#include "common.h"
#include "keys.h"

using namespace winsim;
using namespace winsim::tool;

TEST(ParseKey, Table) {
  const std::uint32_t S = kModShift, C = kModCtrl, A = kModAlt;
  struct Case {
    const char *text;
    std::uint32_t vk, chr, mods;
  } cases[] = {
      {"F1", 0x70, 0, 0},
      {"f12", 0x7B, 0, 0},
      {"Escape", 0x1B, 0x1B, 0},
      {"Return", 0x0D, 0x0D, 0},
      {"Tab", 0x09, 0x09, 0},
      {"Space", 0x20, ' ', 0},
      {"a", 'A', 'a', 0},
      {"A", 'A', 'A', S},
      {"shift+a", 'A', 'A', S},
      {"7", '7', '7', 0},
      {"&", '7', '&', S},
      {"/", 0xBF, '/', 0},
      {"?", 0xBF, '?', S},
      {"alt+/", 0xBF, '/', A},
      {"alt+?", 0xBF, '?', A | S},
      {"shift+/", 0xBF, '?', S},
      {"alt+F4", 0x73, 0, A},
      {"ctrl+c", 'C', 0x03, C},
      {"ctrl+alt+x", 'X', 0x18, C | A},
      {"Ctrl+Shift+Z", 'Z', 0x1A, C | S},
      {"ctrl+[", 0xDB, 0x1B, C},
      {"ctrl+1", '1', 0, C},
      {"+", 0xBB, '+', S},
      {"alt++", 0xBB, '+', A | S},
      {"\"", 0xDE, '"', S},
      {"`", 0xC0, '`', 0},
      {"~", 0xC0, '~', S},
  };
  for (const auto &c : cases) {
    auto k = parse_key(c.text);
    ASSERT_TRUE(k) << c.text;
    EXPECT_EQ(k->vk, c.vk) << c.text;
    EXPECT_EQ(k->chr, c.chr) << c.text;
    EXPECT_EQ(k->mods, c.mods) << c.text;
  }
}

TEST(ParseKey, Rejects) {
  for (const char *bad : {"", "F0", "F13", "F01", "Esc", "alt+", "ctrl+alt+", "meta+a", "ab", "\x01", "\xc3\xa9"})
    EXPECT_FALSE(parse_key(bad)) << bad;
}
