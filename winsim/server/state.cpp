#include "state.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>

extern char **environ;

namespace winsim::server {

Server::Server(std::string d, bool trace) : dir(std::move(d)), tracing(trace) {}

std::uint32_t Server::now_ms() const {
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count());
}

Conn *Server::conn(ConnId id) const {
  auto it = conns.find(id);
  return it == conns.end() ? nullptr : it->second.get();
}

ProcState Server::state_of(const Process &p) const {
  if (p.ended) return ProcState::Ended;
  if (p.conns.empty()) return p.connected ? ProcState::Running : ProcState::Starting;
  for (ConnId id : p.conns) {
    const Conn *c = conn(id);
    if (!c || !c->held) return ProcState::Running;
  }
  return ProcState::Waiting;
}

Conn &Server::accept(int fd, pid_t peerPid) {
  ConnId id = nextConn_++;
  auto [it, added] = conns.emplace(id, std::make_unique<Conn>(fd, id, peerPid));
  return *it->second;
}

void Server::close_conn(ConnId id) {
  auto it = conns.find(id);
  if (it == conns.end()) return;
  Conn &c = *it->second;
  std::vector<std::uint32_t> owned;
  for (const auto &w : windows.all())
    if (w->owner == id) owned.push_back(w->hwnd);
  for (std::uint32_t hwnd : owned) destroy_window(hwnd);

  for (auto s = sends.begin(); s != sends.end();) {
    SentMessage &m = s->second;
    bool drop = false;
    if (m.to == id && !m.replied) {
      m.failed = true;
      drop = m.senderGone;
    }
    if (m.from == id) {
      if (Conn *to = conn(m.to); to && !m.received) to->queue.remove_sent(m.id);
      if (m.received && !m.replied && !m.failed) m.senderGone = true;
      else drop = true;
    }
    s = drop ? sends.erase(s) : std::next(s);
  }

  Process *p = c.process;
  conns.erase(it);
  if (!p) return;
  std::erase(p->conns, id);
  if (!p->child && p->conns.empty() && !p->ended) {
    p->exitKnown = p->announced;
    p->exitCode = p->announcedCode;
    end_process(*p);
  }
}

void Server::reaped(Process &p, std::optional<int> status) {
  p.exitKnown = status.has_value();
  p.exitCode = status ? exit_code_of(*status) : 0;
  end_process(p);
}

void Server::end_process(Process &p) {
  p.ended = true;
  p.close_pidfd();
  for (ConnId id : std::vector<ConnId>(p.conns)) close_conn(id);
  p.conns.clear();
  menus.destroy_owned_by(p.key);
  p.handles.clear();
}

pid_t Server::launch(const std::vector<std::string> &argv, std::int32_t show) {
  if (argv.empty()) {
    errno = EINVAL;
    return -1;
  }
  // Everything the child needs is made before fork: only async-signal-safe calls after it.
  std::vector<char *> args;
  for (const auto &a : argv) args.push_back(const_cast<char *>(a.c_str()));
  args.push_back(nullptr);
  std::vector<std::string> envText;
  for (char **e = environ; *e; ++e) {
    if (std::strncmp(*e, "WINSIM_DESKTOP=", 15) == 0 || std::strncmp(*e, "WINSIM_SHOW=", 12) == 0)
      continue;
    envText.emplace_back(*e);
  }
  envText.push_back("WINSIM_DESKTOP=" + dir);
  if (show >= 0) envText.push_back("WINSIM_SHOW=" + std::to_string(show));
  std::vector<char *> env;
  for (auto &e : envText) env.push_back(e.data());
  env.push_back(nullptr);

  int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  int out = ::open((dir + "/clients.log").c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
  if (in < 0 || out < 0) {
    int err = errno;
    if (in >= 0) ::close(in);
    if (out >= 0) ::close(out);
    errno = err;
    return -1;
  }
  pid_t pid = ::fork();
  if (pid == 0) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(out, 2);
    ::execvpe(args[0], args.data(), env.data());
    ::_exit(127);
  }
  int err = errno;
  ::close(in);
  ::close(out);
  if (pid < 0) {
    errno = err;
    return -1;
  }
  Process &p = processes.add(pid, true);
  p.pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  if (p.pidfd >= 0) ::fcntl(p.pidfd, F_SETFD, FD_CLOEXEC);
  return pid;
}

std::vector<std::uint32_t> Server::paintable(ConnId owner) const {
  std::vector<std::uint32_t> out;
  for (const auto &w : windows.all())
    if (w->owner == owner && w->paint_pending()) out.push_back(w->hwnd);
  return out;
}

void Server::destroy_window(std::uint32_t hwnd) {
  if (Queue *q = queue_of(hwnd)) q->drop_window(hwnd);
  windows.destroy(hwnd);
}

Queue *Server::queue_of(std::uint32_t hwnd) {
  Window *w = windows.find(hwnd);
  if (!w) return nullptr;
  Conn *c = conn(w->owner);
  return c ? &c->queue : nullptr;
}

void Server::invalidate(Window &w, bool erase) {
  w.invalid = true;
  w.erase = w.erase || erase;
  if (w.shows())
    if (Queue *q = queue_of(w.hwnd)) q->note_paint();
}

}  // namespace winsim::server
