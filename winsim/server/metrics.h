// Window geometry shared by the server and, if it needs them, the client.
#pragma once

#include <cstdint>

namespace winsim::metrics {

inline constexpr std::int32_t kUseDefault = static_cast<std::int32_t>(0x80000000u);
inline constexpr std::int32_t kDefaultX = 24;
inline constexpr std::int32_t kDefaultY = 24;
inline constexpr std::int32_t kDefaultWidth = 600;
inline constexpr std::int32_t kDefaultHeight = 450;

inline constexpr std::int32_t kFrame = 4;     // each side
inline constexpr std::int32_t kCaption = 18;
inline constexpr std::int32_t kMenuBar = 18;

inline constexpr std::int32_t kCellWidth = 8;
inline constexpr std::int32_t kCellHeight = 16;

inline constexpr std::int32_t client_width(std::int32_t cx) {
  std::int32_t w = cx - 2 * kFrame;
  return w > 0 ? w : 0;
}

inline constexpr std::int32_t client_height(std::int32_t cy, bool hasMenu) {
  std::int32_t h = cy - 2 * kFrame - kCaption - (hasMenu ? kMenuBar : 0);
  return h > 0 ? h : 0;
}

}  // namespace winsim::metrics
