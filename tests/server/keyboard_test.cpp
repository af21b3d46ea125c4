#include <gtest/gtest.h>

#include "common.h"
#include "keyboard.h"

namespace winsim::server {
namespace {

TEST(Keyboard, StrokeMessages) {
  struct Case {
    std::uint32_t vk, chr, mods, down, up, scan;
    bool alt;
  } cases[] = {
      {'A', 'a', 0, kWmKeyDown, kWmKeyUp, 0x1E, false},
      {0x70, 0, 0, kWmKeyDown, kWmKeyUp, 0x3B, false},          // F1
      {kVkF10, 0, 0, kWmSysKeyDown, kWmSysKeyUp, 0x44, false},  // F10 is a system key
      {0xBF, '?', kModAlt | kModShift, kWmSysKeyDown, kWmSysKeyUp, 0x35, true},
      {0x1B, 0x1B, 0, kWmKeyDown, kWmKeyUp, 0x01, false},
  };
  for (const auto &c : cases) {
    auto [down, up] = key_stroke(0x10010, c.vk, c.chr, c.mods, 7);
    std::uint64_t lp = 1u | (c.scan << 16) | (c.alt ? 1u << 29 : 0u);
    EXPECT_EQ(down.msg, c.down) << c.vk;
    EXPECT_EQ(up.msg, c.up) << c.vk;
    EXPECT_EQ(down.lParam, lp) << c.vk;
    EXPECT_EQ(up.lParam, lp | 0xC0000000u) << c.vk;
    EXPECT_EQ(down.wParam, c.vk);
    EXPECT_EQ(up.wParam, c.vk);
    EXPECT_EQ(down.chr, c.chr);
    EXPECT_EQ(up.chr, 0u);
    EXPECT_EQ(down.keys, c.mods);
    EXPECT_EQ(down.hwnd, 0x10010u);
  }
}

}  // namespace
}  // namespace winsim::server
