// The MSG argument of `post` and `send`. Pure: no I/O.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace winsim::tool {

inline constexpr std::uint32_t kWmSysCommand = 0x0112;
inline constexpr std::uint32_t kScClose = 0xF060;
inline constexpr std::uint32_t kScMinimize = 0xF020;
inline constexpr std::uint32_t kScRestore = 0xF120;

// A number (decimal or 0x hex), a name ("WM_CLOSE", case ignored), or WM_USER+N / WM_APP+N.
std::optional<std::uint32_t> parse_message(std::string_view text);

}  // namespace winsim::tool
