#include <gtest/gtest.h>

#include "messages.h"

using namespace winsim::tool;

TEST(ParseMessage, NamesNumbersAndOffsets) {
  struct Case {
    const char *text;
    std::uint32_t value;
  } cases[] = {
      {"WM_NULL", 0x0000},         {"WM_SIZE", 0x0005},        {"WM_PAINT", 0x000F},
      {"WM_CLOSE", 0x0010},        {"WM_QUIT", 0x0012},        {"WM_ERASEBKGND", 0x0014},
      {"WM_SHOWWINDOW", 0x0018},   {"WM_DISPLAYCHANGE", 0x007E}, {"WM_NCHITTEST", 0x0084},
      {"WM_NCRBUTTONUP", 0x00A5},  {"WM_SYSKEYDOWN", 0x0104},  {"WM_SYSCHAR", 0x0106},
      {"WM_COMMAND", 0x0111},      {"WM_SYSCOMMAND", 0x0112},  {"WM_RBUTTONUP", 0x0205},
      {"WM_USER", 0x0400},         {"wm_close", 0x0010},       {"WM_USER+5", 0x0405},
      {"WM_APP+0x10", 0x8010},     {"16", 16},                 {"0x111", 0x111},
  };
  for (const auto &c : cases) {
    auto m = parse_message(c.text);
    ASSERT_TRUE(m) << c.text;
    EXPECT_EQ(*m, c.value) << c.text;
  }
  for (const char *bad : {"", "WM_BOGUS", "WM_USER+", "WM_USER+x", "WM_APP+0x8000", "+5", "-1", "WM_CLOSEX"})
    EXPECT_FALSE(parse_message(bad)) << bad;
}
