// Processes of the desktop: launch, wait-idle, wait-exit.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "common.h"
#include "verbs.h"

namespace winsim::tool {

namespace {

bool is_executable(const std::string &path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// The server runs in another directory, so the program goes to it as an absolute path.
std::string absolute_program(const std::string &program) {
  namespace fs = std::filesystem;
  if (program.find('/') != std::string::npos) {
    if (!is_executable(program)) refuse(program + ": not an executable file");
    return fs::absolute(program).lexically_normal().string();
  }
  const char *path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  for (;;) {
    std::size_t colon = dirs.find(':', start);
    std::string dir = dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + program;
    if (is_executable(candidate)) return fs::absolute(candidate).lexically_normal().string();
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  refuse(program + ": not found on PATH");
}

std::uint32_t timeout_ms(const Args &args) {
  auto it = args.options.find("timeout");
  if (it == args.options.end()) return 60 * 1000;
  auto ms = parse_seconds(it->second);
  if (!ms) throw BadUsage{"bad timeout: " + it->second};
  return *ms;
}

void check_wait(std::uint32_t status) {
  if (status == 1460) refuse("timed out");
  if (status) refuse(error_text(status));
}

}  // namespace

int verb_launch(const Args &args) {
  proto::LaunchReq req;
  req.show = -1;
  if (args.has("show")) {
    std::uint32_t show = option_u32(args, "show", 0);
    if (show > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()))
      throw BadUsage{"bad show state"};
    req.show = static_cast<std::int32_t>(show);
  }
  req.argv = args.positional;
  req.argv[0] = absolute_program(args.positional[0]);
  Connection conn = Connection::require(desktop_socket_path());
  proto::LaunchRep rep;
  if (std::uint32_t status = conn.call(req, rep)) refuse("cannot launch " + args.positional[0] + ": " + error_text(status));
  std::printf("%u\n", rep.pid);
  return 0;
}

int verb_wait_idle(const Args &args) {
  proto::WaitIdleReq req;
  req.timeoutMs = timeout_ms(args);
  Connection conn = Connection::require(desktop_socket_path());
  proto::WaitIdleRep rep;
  check_wait(conn.call(req, rep));
  return 0;
}

int verb_wait_exit(const Args &args) {
  proto::WaitExitReq req;
  auto pid = parse_u32(args.positional[0]);
  if (!pid) throw BadUsage{"bad PID: " + args.positional[0]};
  req.pid = *pid;
  req.timeoutMs = timeout_ms(args);
  Connection conn = Connection::require(desktop_socket_path());
  proto::WaitExitRep rep;
  std::uint32_t status = conn.call(req, rep);
  if (status == 87) refuse("no such process: " + args.positional[0]);
  check_wait(status);
  if (rep.known)
    std::printf("%d\n", rep.code);
  else
    std::printf("-\n");
  return 0;
}

std::uint32_t option_u32(const Args &args, const std::string &name, std::uint32_t fallback) {
  auto it = args.options.find(name);
  if (it == args.options.end()) return fallback;
  auto v = parse_u32(it->second);
  if (!v) throw BadUsage{"bad --" + name + ": " + it->second};
  return *v;
}

}  // namespace winsim::tool
