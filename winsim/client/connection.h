// The process's one connection to its desktop server.
#pragma once

#include <string>

#include "protocol.h"

namespace winsim::client {

class Connection {
 public:
  Connection() = default;
  Connection(const Connection &) = delete;
  Connection &operator=(const Connection &) = delete;
  ~Connection();

  // Connects (starting the desktop when none runs) and says Hello; ends the process on failure.
  void open();
  bool is_open() const { return fd_ >= 0; }
  std::uint32_t pid() const { return pid_; }

  // One request, one reply payload (status first). Any failure ends the process at once.
  std::string roundtrip(proto::Code code, const std::string &payload);

  bool tracing() const { return trace_; }
  void trace_line(const char *dir, const std::string &text) const;

  [[noreturn]] void lost(const char *why) const;

 private:
  int fd_ = -1;
  bool trace_ = false;
  std::uint32_t pid_ = 0;
};

}  // namespace winsim::client
