#include "bench_desktop.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

BenchDesktop *g_desktop = nullptr;

std::string binary(const std::string &name) { return std::string(WINSIM_BIN_DIR) + "/" + name; }

// The server has no pid file: its socket's peer credentials name it.
int peerPid(const std::string &socketPath) {
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return 0;
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (socketPath.size() >= sizeof addr.sun_path) {
    ::close(fd);
    return 0;
  }
  std::memcpy(addr.sun_path, socketPath.c_str(), socketPath.size() + 1);
  int pid = 0;
  ucred cred{};
  socklen_t len = sizeof cred;
  if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0 &&
      ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) == 0)
    pid = cred.pid;
  ::close(fd);
  return pid;
}

}  // namespace

BenchDesktop &BenchDesktop::get() {
  if (!g_desktop) g_desktop = new BenchDesktop;
  return *g_desktop;
}

void BenchDesktop::shutdown() {
  delete g_desktop;
  g_desktop = nullptr;
}

BenchDesktop::BenchDesktop() {
  std::string templ = (std::filesystem::temp_directory_path() / "winsim-bench-XXXXXX").string();
  if (!::mkdtemp(templ.data())) {
    error_ = std::string("cannot make a temporary directory: ") + std::strerror(errno);
    return;
  }
  dir_ = templ;
  // Our own client calls go to this desktop too.
  ::setenv("WINSIM_DESKTOP", dir_.c_str(), 1);
  Run r = run({"start", "--vbl", "0"});
  if (r.status != 0) {
    error_ = "winsim start failed: " + r.out;
    return;
  }
  started_ = true;
  serverPid_ = peerPid(dir_ + "/socket");
  if (!serverPid_) error_ = "cannot find the server's pid";
}

BenchDesktop::~BenchDesktop() { stop(); }

void BenchDesktop::stop() {
  if (started_) {
    if (helperPid_) {
      run({"close", "Quorvane Helper Ostik"});
      run({"wait-exit", std::to_string(helperPid_)});
    }
    run({"stop"});
    started_ = false;
  }
  if (!dir_.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
}

int BenchDesktop::helperPid() {
  if (helperPid_ || !ok()) return helperPid_;
  Run r = run({"launch", "--", binary("ostik"), "nolurk"});
  if (r.status != 0 || run({"wait-idle"}).status != 0) {
    error_ = "cannot launch the helper: " + r.out;
    return 0;
  }
  helperPid_ = std::atoi(r.out.c_str());
  return helperPid_;
}

Run BenchDesktop::run(std::vector<std::string> args) const {
  args.insert(args.begin(), "winsim");
  return run_command(binary("winsim"), std::move(args));
}

std::optional<std::string> BenchDesktop::output(std::vector<std::string> args) const {
  Run r = run(std::move(args));
  if (r.status != 0) return std::nullopt;
  while (!r.out.empty() && r.out.back() == '\n') r.out.pop_back();
  return r.out;
}

long residentKb(int pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}
