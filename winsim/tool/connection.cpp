#include "connection.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace winsim::tool {

std::optional<Connection> Connection::open(const std::string &path) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) refuse("desktop socket path too long: " + path);
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) refuse(std::string("socket: ") + std::strerror(errno));
  Connection conn(fd);
  int rc;
  do rc = ::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
  while (rc < 0 && errno == EINTR);
  if (rc < 0) {
    if (errno == ENOENT || errno == ECONNREFUSED) return std::nullopt;
    refuse("cannot connect to " + path + ": " + std::strerror(errno));
  }
  proto::HelloReq hello;
  hello.role = 1;
  proto::HelloRep rep;
  if (std::uint32_t status = conn.call(hello, rep)) refuse("desktop refused the connection: " + error_text(status));
  return conn;
}

Connection Connection::require(const std::string &path) {
  auto conn = open(path);
  if (!conn) refuse("no desktop running");
  return std::move(*conn);
}

Connection::~Connection() {
  if (fd_ >= 0) ::close(fd_);
}

void Connection::send_request(proto::Code code, const std::string &payload) {
  if (!proto::write_frame(fd_, code, payload)) lost(code);
}

std::string Connection::read_reply(proto::Code code) {
  proto::Frame frame;
  if (!proto::read_frame(fd_, frame) || frame.code != code) lost(code);
  return std::move(frame.payload);
}

void Connection::wait_closed() {
  char buf[256];
  for (;;) {
    ssize_t n = ::read(fd_, buf, sizeof buf);
    if (n == 0) return;
    if (n < 0 && errno != EINTR) {
      if (errno == ECONNRESET) return;
      refuse(std::string("reading from the desktop: ") + std::strerror(errno));
    }
  }
}

void Connection::lost(proto::Code code) {
  refuse(std::string("desktop connection lost during ") + proto::code_name(code));
}

std::string error_text(std::uint32_t status) {
  switch (status) {
    case 2: return "not found";
    case 5: return "access denied";
    case 6: return "invalid handle";
    case 87: return "invalid parameter";
    case 1168: return "not found";
    case 1400: return "invalid window handle";
    case 1460: return "timed out";
    default: return "error " + std::to_string(status);
  }
}

}  // namespace winsim::tool
