// Accelerator matching, apart from the message plumbing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

namespace winsim::client {

// The command of the first entry of `table` that `message` (key-down or character, key or
// character `key`, modifiers kMod* `mods`) matches.
std::optional<WORD> match_accelerator(std::span<const ACCEL> table, UINT message, WPARAM key,
                                      std::uint32_t mods);

}  // namespace winsim::client
