// The KEY argument of `winsim key`: what a US keyboard sends for it. Pure: no I/O.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace winsim::tool {

struct KeyStroke {
  std::uint32_t vk = 0;
  std::uint32_t chr = 0;   // the character the key gives, 0 for none
  std::uint32_t mods = 0;  // kMod* bits
};

// "F1".."F12", "Escape", "Return", "Tab", "Space" or one printable character, after any of
// "alt+", "ctrl+", "shift+". Shift is added for upper-case letters and shifted symbols.
std::optional<KeyStroke> parse_key(std::string_view text);

}  // namespace winsim::tool
