// Keyboard input as the platform queues it: a key-down and a key-up message per key stroke.
#pragma once

#include <array>
#include <cstdint>

#include "queue.h"

namespace winsim::server {

inline constexpr std::uint32_t kWmKeyDown = 0x100;
inline constexpr std::uint32_t kWmKeyUp = 0x101;
inline constexpr std::uint32_t kWmSysKeyDown = 0x104;
inline constexpr std::uint32_t kWmSysKeyUp = 0x105;
inline constexpr std::uint32_t kVkF10 = 0x79;

// The keyboard's scan code for a virtual key (0 when unknown).
std::uint32_t scan_code(std::uint32_t vk);

// Down then up for vk, as they go into the input queue.
std::array<Msg, 2> key_stroke(std::uint32_t hwnd, std::uint32_t vk, std::uint32_t chr,
                              std::uint32_t mods, std::uint32_t time);

}  // namespace winsim::server
