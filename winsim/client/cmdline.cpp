#include "cmdline.h"

namespace winsim::client {

std::string build_command_line(std::span<const std::string_view> args) {
  std::string out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i) out += ' ';
    std::string_view a = args[i];
    bool quote = a.empty() || a.find(' ') != std::string_view::npos;
    if (quote) out += '"';
    out += a;
    if (quote) out += '"';
  }
  return out;
}

bool is_lead_byte(unsigned char) { return false; }

namespace {

const char *next_char(const char *p) {
  if (is_lead_byte(static_cast<unsigned char>(*p)) && p[1]) return p + 2;
  return p + 1;
}

}  // namespace

const char *command_tail(const char *cmdline) {
  const char *p = cmdline;
  if (*p == '"') {
    for (++p; *p && *p != '"'; p = next_char(p)) {
    }
    if (*p == '"') ++p;
  } else {
    while (static_cast<unsigned char>(*p) > ' ') p = next_char(p);
  }
  while (*p && static_cast<unsigned char>(*p) <= ' ') ++p;
  return p;
}

}  // namespace winsim::client
