// One client connection: a thread of a process, or the winsim command. Non-blocking framing
// over per-connection buffers; at most one request outstanding, possibly held.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "protocol.h"
#include "queue.h"
#include "window.h"

namespace winsim::server {

struct Process;
using Clock = std::chrono::steady_clock;

// A request whose reply waits for its condition.
struct Held {
  std::variant<proto::GetReq, proto::WaitMessageReq, proto::MsgWaitReq, proto::WaitSingleReq,
               proto::WaitReplyReq, proto::WaitIdleReq, proto::WaitExitReq>
      req;
  std::optional<Clock::time_point> deadline;
  std::uint64_t seq = 0;  // earlier waiters are served first
};

class Conn {
 public:
  Conn(int fd, ConnId id, pid_t peerPid);
  ~Conn();
  Conn(const Conn &) = delete;
  Conn &operator=(const Conn &) = delete;

  int fd() const { return fd_; }
  ConnId id() const { return id_; }
  pid_t peer_pid() const { return peerPid_; }

  // Reads what is there; false on EOF or error.
  bool read_some();
  // The next whole frame in the input; nullopt when none yet. bad: the input is malformed.
  std::optional<proto::Frame> next_frame(bool &bad);
  void queue_frame(proto::Code code, const std::string &payload);
  // Writes what it can; false on error.
  bool flush();
  // Blocks until the output is written (at shutdown).
  void flush_all();
  bool wants_write() const { return !out_.empty(); }

  bool hello = false;
  std::uint32_t role = 0;
  Process *process = nullptr;
  Queue queue;
  std::optional<Held> held;
  bool busy = false;  // a request is being handled or held (clients are synchronous)

 private:
  int fd_;
  ConnId id_;
  pid_t peerPid_;
  std::string in_, out_;
};

}  // namespace winsim::server
