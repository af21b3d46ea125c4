#include "connection.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>

namespace winsim::server {

Conn::Conn(int fd, ConnId id, pid_t peerPid) : fd_(fd), id_(id), peerPid_(peerPid) {}

Conn::~Conn() { ::close(fd_); }

bool Conn::read_some() {
  char buf[65536];
  for (;;) {
    ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
    if (n > 0) {
      in_.append(buf, static_cast<std::size_t>(n));
      // A synchronous client never has more than one frame in flight.
      if (in_.size() > 2 * proto::kMaxFrame) return false;
      continue;
    }
    if (n == 0) return false;
    if (errno == EINTR) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK;
  }
}

std::optional<proto::Frame> Conn::next_frame(bool &bad) {
  bad = false;
  if (in_.size() < 8) return std::nullopt;
  proto::Reader rd(std::string_view(in_).substr(0, 8));
  proto::U32 len = 0, code = 0;
  rd.get(len);
  rd.get(code);
  if (len < 4 || len > proto::kMaxFrame || code == 0 ||
      code >= static_cast<proto::U32>(proto::Code::Count)) {
    bad = true;
    return std::nullopt;
  }
  if (in_.size() < 4 + static_cast<std::size_t>(len)) return std::nullopt;
  proto::Frame frame;
  frame.code = static_cast<proto::Code>(code);
  frame.payload = in_.substr(8, len - 4);
  in_.erase(0, 4 + static_cast<std::size_t>(len));
  return frame;
}

void Conn::queue_frame(proto::Code code, const std::string &payload) {
  proto::Writer head;
  head.put(static_cast<proto::U32>(payload.size() + 4));
  head.put(static_cast<proto::U32>(code));
  out_ += head.bytes();
  out_ += payload;
}

bool Conn::flush() {
  while (!out_.empty()) {
    ssize_t n = ::send(fd_, out_.data(), out_.size(), MSG_NOSIGNAL);
    if (n > 0) {
      out_.erase(0, static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }
  return true;
}

void Conn::flush_all() {
  int flags = ::fcntl(fd_, F_GETFL);
  if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
  // A client that stopped reading must not hold the shutdown up for long.
  timeval limit{1, 0};
  ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  flush();
}

}  // namespace winsim::server
