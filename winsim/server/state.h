// The state of one desktop and the operations that cross object kinds.
#pragma once

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapter.h"
#include "connection.h"
#include "directdraw.h"
#include "event.h"
#include "menu.h"
#include "process.h"
#include "protocol.h"
#include "record.h"
#include "settings.h"
#include "ui.h"
#include "window.h"

namespace winsim::server {

// Win32 error codes carried as reply statuses.
inline constexpr std::uint32_t kErrFileNotFound = 2;
inline constexpr std::uint32_t kErrAccessDenied = 5;
inline constexpr std::uint32_t kErrInvalidHandle = 6;
inline constexpr std::uint32_t kErrNotEnoughMemory = 8;
inline constexpr std::uint32_t kErrInvalidParameter = 87;
inline constexpr std::uint32_t kErrNotFound = 1168;
inline constexpr std::uint32_t kErrInvalidWindow = 1400;
inline constexpr std::uint32_t kErrInvalidMenu = 1401;
inline constexpr std::uint32_t kErrTimeout = 1460;

inline constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;
inline constexpr std::uint32_t kWaitTimeout = 0x102;
inline constexpr std::uint32_t kWaitFailed = 0xFFFFFFFFu;

// A message sent from one thread to a window of another, until the sender has its answer.
struct SentMessage {
  std::uint32_t id = 0;
  ConnId from = 0, to = 0;
  std::uint32_t hwnd = 0, msg = 0;
  std::uint64_t wParam = 0, lParam = 0;
  bool received = false, replied = false, failed = false, senderGone = false;
  std::uint64_t result = 0;
};

class Server {
 public:
  Server(std::string dir, bool trace);

  const std::string dir;
  const bool tracing;
  const Clock::time_point started = Clock::now();
  bool stopRequested = false;

  Settings settings;
  Record record;
  Processes processes;
  Windows windows;
  EventNames eventNames;
  Menus menus;
  UiState ui;
  Adapter adapter;
  DirectDrawLayer ddraw;
  std::map<ConnId, std::unique_ptr<Conn>> conns;
  std::map<std::uint32_t, SentMessage> sends;
  std::uint32_t nextSendId = 1;

  std::uint32_t now_ms() const;
  Conn *conn(ConnId id) const;

  template <class Rep>
  void reply(Conn &c, std::uint32_t status, const Rep &rep) {
    if (tracing) std::fprintf(stderr, "winsim[%u] < %s status=%u\n", static_cast<unsigned>(c.id()),
                              proto::trace(rep).c_str(), status);
    c.queue_frame(Rep::kCode, proto::encode_reply(status, rep));
    c.busy = false;
  }

  // ---- waits (wait.cpp) ----
  // Answers the request now if it can (or it times out at once), else keeps it held.
  void hold(Conn &c, Held held, std::uint32_t timeoutMs);
  // Re-examines every held request after a change.
  void settle();
  // Answers held requests whose time is up.
  void expire(Clock::time_point now);
  std::optional<Clock::time_point> next_deadline() const;
  bool idle() const;

  // ---- processes and threads (state.cpp) ----
  ProcState state_of(const Process &p) const;
  Conn &accept(int fd, pid_t peerPid);
  // A thread's connection is gone (EOF, error, or its process ended).
  void close_conn(ConnId id);
  // A child has been reaped with this waitpid status (none: it was reaped elsewhere).
  void reaped(Process &p, std::optional<int> status);
  // fork+exec; the pid, or -1 with errno.
  pid_t launch(const std::vector<std::string> &argv, std::int32_t show);

  // ---- windows and queues (state.cpp) ----
  std::vector<std::uint32_t> paintable(ConnId owner) const;
  bool paint_pending(ConnId owner) const { return !paintable(owner).empty(); }
  void destroy_window(std::uint32_t hwnd);
  // Queue of the thread owning hwnd; nullptr when hwnd is not a window.
  Queue *queue_of(std::uint32_t hwnd);
  void invalidate(Window &w, bool erase);

 private:
  bool try_answer(Conn &c, bool timedOut);
  void end_process(Process &p);
  std::uint64_t heldSeq_ = 0;
  ConnId nextConn_ = 1;
};

}  // namespace winsim::server
