// Running the desktop server: serve, start, stop, and its settings.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fd.h"
#include "common.h"
#include "server.h"
#include "verbs.h"

namespace winsim::tool {

namespace {

[[noreturn]] void refuse_errno(const std::string &what) { refuse(what + ": " + std::strerror(errno)); }

// The desktop directory is private to its user, like a window server's socket directory.
void make_desktop_dir(const std::string &dir) {
  if (::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST) return;
  refuse_errno("cannot create " + dir);
}

void apply_settings(Connection &conn, const std::vector<std::string> &items) {
  if (items.empty()) return;
  proto::SetSettingsReq req;
  req.items = items;
  proto::SetSettingsRep rep;
  std::uint32_t status = conn.call(req, rep);
  if (!rep.error.empty()) refuse(rep.error);
  if (status) refuse("settings refused: " + error_text(status));
}

// Why the server gave up: the last line it wrote to its log.
std::string last_log_line(const std::string &path) {
  std::ifstream in(path);
  std::string line, last;
  while (std::getline(in, line))
    if (!line.empty()) last = line;
  const std::string prefix = "winsim serve: ";
  if (last.compare(0, prefix.size(), prefix) == 0) last.erase(0, prefix.size());
  return last;
}

// The child of start: a daemon that holds nothing of its starter but the ready pipe, so that
// a caller reading our output sees its end, and no directory stays pinned.
[[noreturn]] void exec_server(int readyFd, const std::string &dir, const std::string &logPath,
                              const std::vector<std::string> &settings) {
  constexpr int kReadyFd = 3;
  std::vector<std::string> argv = {"winsim", "serve", "--ready-fd", std::to_string(kReadyFd)};
  for (const auto &item : settings) {
    auto eq = item.find('=');
    argv.push_back("--" + item.substr(0, eq));
    argv.push_back(item.substr(eq + 1));
  }
  std::vector<char *> cargv;
  for (auto &a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);

  ::setsid();
  int in = ::open("/dev/null", O_RDONLY);
  int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (in < 0 || log < 0 || ::dup2(in, 0) < 0 || ::dup2(log, 1) < 0 || ::dup2(log, 2) < 0) ::_exit(127);
  if (readyFd == kReadyFd ? ::fcntl(kReadyFd, F_SETFD, 0) < 0 : ::dup2(readyFd, kReadyFd) < 0) ::_exit(127);
  ::close_range(kReadyFd + 1, ~0U, 0);
  // Relative to our directory, the desktop would be lost once the server leaves it.
  if (::setenv("WINSIM_DESKTOP", dir.c_str(), 1) < 0 || ::chdir("/") < 0) ::_exit(127);
  ::execv("/proc/self/exe", cargv.data());
  std::fprintf(stderr, "winsim: cannot run the server: %s\n", std::strerror(errno));
  ::_exit(127);
}

}  // namespace

int verb_serve(const Args &args) {
  int readyFd = -1;
  if (args.has("ready-fd")) readyFd = static_cast<int>(option_u32(args, "ready-fd", 0));
  return winsim::server::serve(desktop_dir(), args.settings, readyFd);
}

int verb_start(const Args &args) {
  std::string dir = desktop_dir();
  make_desktop_dir(dir);
  dir = std::filesystem::absolute(dir).lexically_normal().string();
  Fd lock(::open((dir + "/lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (lock.get() < 0) refuse_errno("cannot open " + dir + "/lock");
  while (::flock(lock.get(), LOCK_EX) < 0)
    if (errno != EINTR) refuse_errno("cannot lock " + dir + "/lock");

  if (auto conn = Connection::open(desktop_socket_path())) {
    apply_settings(*conn, args.settings);
    return 0;
  }

  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) < 0) refuse_errno("pipe");
  Fd readEnd(pipeFds[0]), writeEnd(pipeFds[1]);
  const std::string logPath = dir + "/server.log";
  pid_t pid = ::fork();
  if (pid < 0) refuse_errno("fork");
  if (pid == 0) {
    exec_server(writeEnd.get(), dir, logPath, args.settings);
  }
  writeEnd.reset();
  char byte = 0;
  ssize_t n;
  do n = ::read(readEnd.get(), &byte, 1);
  while (n < 0 && errno == EINTR);
  if (n == 1) return 0;

  // The server ended before it was ready: reap it and say why.
  int wstatus = 0;
  while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  std::string reason = last_log_line(logPath);
  if (reason.empty()) {
    reason = WIFEXITED(wstatus) ? "exit status " + std::to_string(WEXITSTATUS(wstatus))
                                : "killed by signal " + std::to_string(WTERMSIG(wstatus));
  }
  refuse("the desktop did not start: " + reason);
}

int verb_stop(const Args &) {
  Connection conn = Connection::require(desktop_socket_path());
  conn.send_request(proto::Code::Stop, proto::encode_payload(proto::StopReq{}));
  conn.wait_closed();
  return 0;
}

int verb_set(const Args &args) {
  for (const auto &item : args.positional)
    if (item.find('=') == std::string::npos || item[0] == '=') throw BadUsage{"not KEY=VALUE: " + item};
  Connection conn = Connection::require(desktop_socket_path());
  apply_settings(conn, args.positional);
  return 0;
}

}  // namespace winsim::tool
