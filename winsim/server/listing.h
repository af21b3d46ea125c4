// How the desktop's listings write a handle: 0x and eight hex digits.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace winsim::server {

inline std::string hex8(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08x", v);
  return buf;
}

// The `classes` listing: every window class of the live processes.
struct Server;
std::string classes_text(const Server &s);

}  // namespace winsim::server
