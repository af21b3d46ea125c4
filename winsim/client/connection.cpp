#include "connection.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>

#include "common.h"

namespace winsim::client {
namespace {

int connect_socket(const std::string &path) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) return -1;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// $WINSIM_BIN, else the winsim command beside this program, else the one on PATH.
std::string winsim_binary() {
  if (const char *b = std::getenv("WINSIM_BIN"); b && *b) return b;
  char self[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n > 0) {
    std::string dir(self, static_cast<std::size_t>(n));
    dir.erase(dir.find_last_of('/') + 1);
    std::string beside = dir + "winsim";
    if (::access(beside.c_str(), X_OK) == 0) return beside;
  }
  return "winsim";
}

// Runs `winsim start`; its exit status, or -1 when it could not run.
int start_desktop(const std::string &bin) {
  pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    const char *argv[] = {bin.c_str(), "start", nullptr};
    ::execvp(argv[0], const_cast<char *const *>(argv));
    ::_exit(127);
  }
  int st = 0;
  while (::waitpid(pid, &st, 0) < 0)
    if (errno != EINTR) return -1;
  return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

}  // namespace

Connection::~Connection() {
  if (fd_ >= 0) ::close(fd_);
}

void Connection::open() {
  if (fd_ >= 0) return;
  const char *t = std::getenv("WINSIM_TRACE");
  trace_ = t && std::strcmp(t, "1") == 0;
  // A desktop that goes away must end us with exit code 1, not with SIGPIPE.
  struct sigaction old {};
  if (::sigaction(SIGPIPE, nullptr, &old) == 0 && old.sa_handler == SIG_DFL)
    std::signal(SIGPIPE, SIG_IGN);

  std::string path = desktop_socket_path();
  int fd = connect_socket(path);
  if (fd < 0) {
    std::string bin = winsim_binary();
    int rc = start_desktop(bin);
    if (rc == 0) fd = connect_socket(path);
    if (fd < 0) {
      std::fprintf(stderr, "winsim: no desktop at %s and `%s start` failed (status %d)\n",
                   path.c_str(), bin.c_str(), rc);
      std::exit(1);
    }
  }
  fd_ = fd;
  proto::HelloReq hello;
  hello.role = 0;
  if (trace_) trace_line(">", proto::trace(hello));
  std::string reply = roundtrip(proto::Code::Hello, proto::encode_payload(hello));
  std::uint32_t status = 0;
  proto::HelloRep rep;
  if (!proto::decode_reply(reply, status, rep) || status != 0) lost("desktop refused Hello");
  if (trace_) trace_line("<", proto::trace(rep));
  pid_ = rep.pid;
}

std::string Connection::roundtrip(proto::Code code, const std::string &payload) {
  if (!proto::write_frame(fd_, code, payload)) lost("cannot send to the desktop");
  proto::Frame frame;
  if (!proto::read_frame(fd_, frame)) lost("desktop connection closed");
  if (frame.code != code) lost("reply out of order");
  return std::move(frame.payload);
}

void Connection::trace_line(const char *dir, const std::string &text) const {
  std::fprintf(stderr, "winsim[%d] %s %s\n", static_cast<int>(::getpid()), dir, text.c_str());
}

void Connection::lost(const char *why) const {
  if (trace_) std::fprintf(stderr, "winsim[%d] %s\n", static_cast<int>(::getpid()), why);
  ::_exit(1);
}

}  // namespace winsim::client
