// The server's one event loop: the listening socket, the connections, the children's pidfds
// and the nearest held request's deadline.
#include "fd.h"
#include "server.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "handlers.h"

namespace winsim::server {

namespace {

// How often children are looked at when the kernel gives no pidfd for them.
constexpr int kReapPollMs = 50;

bool fail(const char *what, const std::string &detail) {
  std::fprintf(stderr, "winsim serve: %s %s: %s\n", what, detail.c_str(), std::strerror(errno));
  return false;
}

// Makes dir (and its parents) if missing, and checks that it is ours and a directory.
bool prepare_dir(const std::string &dir, std::string &absolute) {
  for (std::size_t at = 1; at <= dir.size(); ++at) {
    if (at < dir.size() && dir[at] != '/') continue;
    std::string prefix = dir.substr(0, at);
    if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return fail("cannot create", prefix);
  }
  struct stat st {};
  if (::lstat(dir.c_str(), &st) != 0) return fail("cannot use", dir);
  if (!S_ISDIR(st.st_mode)) {
    std::fprintf(stderr, "winsim serve: %s is not a directory\n", dir.c_str());
    return false;
  }
  if (st.st_uid != ::geteuid()) {
    std::fprintf(stderr, "winsim serve: %s belongs to another user\n", dir.c_str());
    return false;
  }
  char buf[PATH_MAX];
  if (!::realpath(dir.c_str(), buf)) return fail("cannot resolve", dir);
  absolute = buf;
  return true;
}

// A listening socket at path, replacing a stale one; -1 when another server answers there.
int listen_at(const std::string &path) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) {
    std::fprintf(stderr, "winsim serve: socket path too long: %s\n", path.c_str());
    return -1;
  }
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return fail("cannot make a socket for", path), -1;
  Fd probe(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (probe.get() >= 0 &&
      ::connect(probe.get(), reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0) {
    std::fprintf(stderr, "winsim serve: a desktop server already runs at %s\n", path.c_str());
    ::close(fd);
    return -1;
  }
  ::unlink(path.c_str());
  if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 || ::listen(fd, 64) != 0) {
    fail("cannot listen at", path);
    ::close(fd);
    return -1;
  }
  return fd;
}

void accept_all(Server &s, int listenFd) {
  for (;;) {
    int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
        std::fprintf(stderr, "winsim serve: accept: %s\n", std::strerror(errno));
      if (errno == EINTR) continue;
      return;
    }
    ucred cred{};
    socklen_t len = sizeof cred;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || cred.uid != ::geteuid()) {
      std::fprintf(stderr, "winsim serve: refused a peer of another user\n");
      ::close(fd);
      continue;
    }
    s.accept(fd, cred.pid);
  }
}

// Reads and handles what a connection sent; closes it on EOF, error or a broken protocol.
void serve_conn(Server &s, ConnId id) {
  Conn *c = s.conn(id);
  bool open = c->read_some();
  for (;;) {
    bool bad = false;
    auto frame = c->next_frame(bad);
    if (bad || (frame && !dispatch(s, *c, *frame))) {
      std::fprintf(stderr, "winsim serve: dropping connection %u: protocol error\n",
                   static_cast<unsigned>(id));
      open = false;
      break;
    }
    if (!frame) break;
    s.settle();
    if (s.stopRequested) return;
  }
  if (!open) {
    s.close_conn(id);
    s.settle();
  }
}

void reap(Server &s, Process &p) {
  int status = 0;
  pid_t got = ::waitpid(p.pid, &status, WNOHANG);
  if (got == p.pid) {
    s.reaped(p, status);
    s.settle();
  } else if (got < 0 && errno == ECHILD) {
    // Reaped elsewhere: its end is known, its code is not.
    s.reaped(p, std::nullopt);
    s.settle();
  }
}

int poll_timeout(const Server &s, bool pollChildren) {
  int timeout = -1;
  if (auto deadline = s.next_deadline()) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()).count();
    timeout = static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
  }
  if (pollChildren && (timeout < 0 || timeout > kReapPollMs)) timeout = kReapPollMs;
  return timeout;
}

bool run(Server &s, int listenFd) {
  while (!s.stopRequested) {
    std::vector<pollfd> fds{{listenFd, POLLIN, 0}};
    std::vector<ConnId> connIds;
    for (const auto &[id, c] : s.conns) {
      fds.push_back({c->fd(), static_cast<short>(POLLIN | (c->wants_write() ? POLLOUT : 0)), 0});
      connIds.push_back(id);
    }
    std::vector<Process *> children;
    bool pollChildren = false;
    for (const auto &p : s.processes.all()) {
      if (!p->child || p->ended) continue;
      if (p->pidfd < 0) {
        pollChildren = true;
        continue;
      }
      fds.push_back({p->pidfd, POLLIN, 0});
      children.push_back(p.get());
    }
    int n = ::poll(fds.data(), fds.size(), poll_timeout(s, pollChildren));
    if (n < 0) {
      if (errno == EINTR) continue;
      std::fprintf(stderr, "winsim serve: poll: %s\n", std::strerror(errno));
      return false;
    }
    if (fds[0].revents & POLLIN) accept_all(s, listenFd);
    for (std::size_t i = 0; i < connIds.size() && !s.stopRequested; ++i) {
      short ev = fds[i + 1].revents;
      if (!s.conn(connIds[i])) continue;
      if (ev & (POLLIN | POLLHUP | POLLERR)) serve_conn(s, connIds[i]);
    }
    if (s.stopRequested) break;
    for (std::size_t i = 0; i < children.size(); ++i)
      if (fds[1 + connIds.size() + i].revents) reap(s, *children[i]);
    if (pollChildren)
      for (const auto &p : s.processes.all())
        if (p->child && !p->ended && p->pidfd < 0) reap(s, *p);
    s.expire(Clock::now());
    std::vector<ConnId> broken;
    for (const auto &[id, c] : s.conns)
      if (!c->flush()) broken.push_back(id);
    for (ConnId id : broken) s.close_conn(id);
    if (!broken.empty()) s.settle();
  }
  return true;
}

void shut_down(Server &s) {
  for (const auto &[id, c] : s.conns) c->flush_all();
  for (const auto &p : s.processes.all()) {
    if (!p->child || p->ended) continue;
    ::kill(p->pid, SIGKILL);
    int status = 0;
    while (::waitpid(p->pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  s.conns.clear();
}

}  // namespace

int serve(const std::string &dir, const std::vector<std::string> &settings, int readyFd) {
  Settings initial;
  if (std::string why = initial.apply(settings); !why.empty()) {
    std::fprintf(stderr, "winsim serve: %s\n", why.c_str());
    return 2;
  }
  std::string absolute;
  if (!prepare_dir(dir, absolute)) return 1;
  std::string socketPath = absolute + "/socket";
  Fd listenFd(listen_at(socketPath));
  if (listenFd.get() < 0) return 1;

  const char *trace = std::getenv("WINSIM_TRACE");
  Server s(absolute, trace && std::strcmp(trace, "1") == 0);
  s.settings = initial;
  if (readyFd >= 0) {
    char byte = 1;
    while (::write(readyFd, &byte, 1) < 0 && errno == EINTR) {
    }
    ::close(readyFd);
  }
  bool ok = run(s, listenFd.get());
  // Gone from the directory before the clients see the end, so that a start right after a
  // stop never reaches this server on its way out.
  ::unlink(socketPath.c_str());
  listenFd.reset();
  shut_down(s);
  return ok ? 0 : 1;
}

}  // namespace winsim::server
