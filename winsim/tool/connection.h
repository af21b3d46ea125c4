// The winsim command's one connection to the desktop server.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "failure.h"
#include "protocol.h"

namespace winsim::tool {

class Connection {
 public:
  // nullopt when no server accepts clients at path.
  static std::optional<Connection> open(const std::string &path);
  // As open(), but "no desktop running" (exit 1) when there is none.
  static Connection require(const std::string &path);

  Connection(Connection &&other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Connection &operator=(Connection &&) = delete;
  Connection(const Connection &) = delete;
  ~Connection();

  // One request and its reply; returns the reply's status (0 or a Win32 error code).
  // A lost or garbled connection is a Failure.
  template <class Req, class Rep>
  std::uint32_t call(const Req &req, Rep &rep) {
    static_assert(Req::kCode == Rep::kCode, "request and reply records differ");
    send_request(Req::kCode, proto::encode_payload(req));
    std::string payload = read_reply(Req::kCode);
    std::uint32_t status = 0;
    if (!proto::decode_reply(payload, status, rep)) lost(Req::kCode);
    return status;
  }

  void send_request(proto::Code code, const std::string &payload);
  // Blocks until the server closes the connection (after Stop).
  void wait_closed();

 private:
  explicit Connection(int fd) : fd_(fd) {}
  std::string read_reply(proto::Code code);
  [[noreturn]] void lost(proto::Code code);

  int fd_;
};

// The text of a Win32 error code for stderr lines.
std::string error_text(std::uint32_t status);

}  // namespace winsim::tool
