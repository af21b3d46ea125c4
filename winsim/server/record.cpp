#include "record.h"

#include "common.h"

namespace winsim::server {

std::string Record::text() const {
  std::string out;
  for (const auto &line : lines_) {
    out += escape_text(line);
    out += '\n';
  }
  return out;
}

}  // namespace winsim::server
