// Conversions between Win32 handle types and the protocol's 32-bit handle values.
#pragma once

#include <windows.h>

#include <cstdint>

namespace winsim::client {

inline std::uint32_t hval(const void *h) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(h));
}

template <class H>
H to_handle(std::uint64_t v) {
  return reinterpret_cast<H>(static_cast<std::uintptr_t>(v));
}

}  // namespace winsim::client
