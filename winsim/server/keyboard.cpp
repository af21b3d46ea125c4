#include "keyboard.h"

#include "common.h"

namespace winsim::server {

std::uint32_t scan_code(std::uint32_t vk) {
  static constexpr const char *kLetters = "QWERTYUIOPASDFGHJKLZXCVBNM";
  static constexpr std::uint8_t kLetterScan[26] = {
      0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1E, 0x1F, 0x20,
      0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32};
  for (int i = 0; i < 26; ++i)
    if (vk == static_cast<std::uint32_t>(kLetters[i])) return kLetterScan[i];
  if (vk >= '1' && vk <= '9') return vk - '1' + 0x02;
  if (vk == '0') return 0x0B;
  if (vk >= 0x70 && vk <= 0x79) return vk - 0x70 + 0x3B;  // F1..F10
  struct Pair {
    std::uint32_t vk, scan;
  };
  static constexpr Pair kOthers[] = {
      {0x08, 0x0E}, {0x09, 0x0F}, {0x0D, 0x1C}, {0x10, 0x2A}, {0x11, 0x1D}, {0x12, 0x38},
      {0x1B, 0x01}, {0x20, 0x39}, {0x21, 0x49}, {0x22, 0x51}, {0x23, 0x4F}, {0x24, 0x47},
      {0x25, 0x4B}, {0x26, 0x48}, {0x27, 0x4D}, {0x28, 0x50}, {0x2D, 0x52}, {0x2E, 0x53},
      {0x7A, 0x57}, {0x7B, 0x58}, {0xBA, 0x27}, {0xBB, 0x0D}, {0xBC, 0x33}, {0xBD, 0x0C},
      {0xBE, 0x34}, {0xBF, 0x35}, {0xC0, 0x29}, {0xDB, 0x1A}, {0xDC, 0x2B}, {0xDD, 0x1B},
      {0xDE, 0x28},
  };
  for (const auto &p : kOthers)
    if (p.vk == vk) return p.scan;
  return 0;
}

std::array<Msg, 2> key_stroke(std::uint32_t hwnd, std::uint32_t vk, std::uint32_t chr,
                              std::uint32_t mods, std::uint32_t time) {
  bool alt = mods & kModAlt;
  bool sys = alt || vk == kVkF10;
  std::uint64_t lParam = 1u | (scan_code(vk) << 16) | (alt ? 1u << 29 : 0u);
  Msg down;
  down.hwnd = hwnd;
  down.msg = sys ? kWmSysKeyDown : kWmKeyDown;
  down.wParam = vk;
  down.lParam = lParam;
  down.time = time;
  down.keys = mods;
  down.chr = chr;
  Msg up = down;
  up.msg = sys ? kWmSysKeyUp : kWmKeyUp;
  up.lParam = lParam | (1u << 30) | (1u << 31);
  up.chr = 0;
  return {down, up};
}

}  // namespace winsim::server
