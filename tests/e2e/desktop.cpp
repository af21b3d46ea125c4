#include "desktop.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// Reads both pipes to the end together, so that neither can fill up and stall the child.
void drain(int outFd, int errFd, std::string &out, std::string &err) {
  pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  std::string *sinks[2] = {&out, &err};
  int open = 2;
  while (open > 0) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !fds[i].revents) continue;
      char buf[4096];
      ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        sinks[i]->append(buf, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        fds[i].fd = -1;
        --open;
      }
    }
  }
}

}  // namespace

std::string describe(const Result &r) {
  return "exit " + std::to_string(r.status) + "\nstdout: " + r.out + "\nstderr: " + r.err;
}

std::string Desktop::binary(const std::string &name) { return std::string(WINSIM_BIN_DIR) + "/" + name; }

Desktop::Desktop() {
  std::string templ = (std::filesystem::temp_directory_path() / "winsim-e2e-XXXXXX").string();
  if (::mkdtemp(templ.data())) dir_ = templ;
}

Desktop::~Desktop() {
  if (dir_.empty()) return;
  run({"stop"});
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

void Desktop::SetUp() {
  ASSERT_FALSE(dir_.empty()) << "cannot make a temporary directory: " << std::strerror(errno);
  std::vector<std::string> args = {"start"};
  for (const auto &a : startArgs()) args.push_back(a);
  Result r = run(args);
  ASSERT_EQ(r.status, 0) << describe(r);
}

void Desktop::TearDown() {
  if (!HasFailure()) return;
  std::ifstream log(dir_ + "/server.log");
  std::stringstream text;
  text << log.rdbuf();
  std::cerr << "---- server.log ----\n" << text.str() << "--------------------\n";
}

Result Desktop::run(std::vector<std::string> args) const {
  Result r;
  int out[2], err[2];
  if (::pipe2(out, O_CLOEXEC) < 0) return r;
  if (::pipe2(err, O_CLOEXEC) < 0) {
    ::close(out[0]);
    ::close(out[1]);
    return r;
  }
  // The child's environment, built before fork: ours with this desktop's WINSIM_DESKTOP.
  std::vector<std::string> env;
  for (char **e = environ; *e; ++e)
    if (std::strncmp(*e, "WINSIM_DESKTOP=", 15) != 0) env.emplace_back(*e);
  env.push_back("WINSIM_DESKTOP=" + dir_);
  std::vector<char *> envp;
  for (auto &e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string program = binary("winsim");
  args.insert(args.begin(), "winsim");
  std::vector<char *> argv;
  for (auto &a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  pid_t pid = ::fork();
  if (pid == 0) {
    int in = ::open("/dev/null", O_RDONLY);
    if (in < 0 || ::dup2(in, 0) < 0 || ::dup2(out[1], 1) < 0 || ::dup2(err[1], 2) < 0) ::_exit(126);
    ::execve(program.c_str(), argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  if (pid > 0) drain(out[0], err[0], r.out, r.err);
  ::close(out[0]);
  ::close(err[0]);
  if (pid < 0) return r;
  int wstatus = 0;
  while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(wstatus)) r.status = WEXITSTATUS(wstatus);
  return r;
}

std::uint32_t Desktop::launch(std::vector<std::string> args, int show) const {
  std::vector<std::string> cmd = {"launch"};
  if (show >= 0) cmd.insert(cmd.end(), {"--show", std::to_string(show)});
  cmd.push_back("--");
  cmd.insert(cmd.end(), args.begin(), args.end());
  Result r = run(cmd);
  EXPECT_EQ(r.status, 0) << describe(r);
  if (r.status != 0) return 0;
  return static_cast<std::uint32_t>(std::stoul(r.out));
}

void Desktop::waitIdle() const {
  Result r = run({"wait-idle"});
  EXPECT_EQ(r.status, 0) << describe(r);
}

std::string Desktop::waitExit(std::uint32_t pid) const {
  Result r = run({"wait-exit", std::to_string(pid)});
  EXPECT_EQ(r.status, 0) << describe(r);
  while (!r.out.empty() && r.out.back() == '\n') r.out.pop_back();
  return r.out;
}

std::vector<std::string> Desktop::lines(const std::string &verb, const std::string &window) const {
  std::vector<std::string> args = {verb};
  if (!window.empty()) args.push_back(window);
  Result r = run(args);
  EXPECT_EQ(r.status, 0) << describe(r);
  std::vector<std::string> result;
  std::istringstream in(r.out);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}
