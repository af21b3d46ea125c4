#include "common.h"

#include <cstdlib>
#include <unistd.h>

namespace winsim {

std::string desktop_dir() {
  if (const char *d = std::getenv("WINSIM_DESKTOP"); d && *d) return d;
  if (const char *r = std::getenv("XDG_RUNTIME_DIR"); r && *r) return std::string(r) + "/winsim";
  return "/tmp/winsim-" + std::to_string(::getuid());
}

std::string desktop_socket_path() { return desktop_dir() + "/socket"; }

std::string escape_text(std::string_view text, bool quoted) {
  static const char *hex = "0123456789abcdef";
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\t') out += "\\t";
    else if (c == '\n') out += "\\n";
    else if (quoted && c == '"') out += "\\\"";
    else if (c < 32 || c > 126) {
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else out += static_cast<char>(c);
  }
  return out;
}

}  // namespace winsim
