#include "record.h"

#include "common.h"

namespace winsim::server {

std::string Record::text() const {
  std::string out;
  // Whoever records a line escapes its own text fields; only stray control bytes are
  // escaped here, so that each line stays one line.
  for (const auto &line : lines_) {
    for (unsigned char ch : line) {
      if (ch < 32 || ch > 126) out += escape_text(std::string_view(reinterpret_cast<const char *>(&ch), 1));
      else out += static_cast<char>(ch);
    }
    out += '\n';
  }
  return out;
}

}  // namespace winsim::server
