#include "command.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
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

bool replaced(const char *entry, const std::vector<std::string> &env) {
  for (const auto &item : env) {
    std::size_t key = item.find('=') + 1;
    if (std::strncmp(entry, item.c_str(), key) == 0) return true;
  }
  return false;
}

}  // namespace

Result run_command(const std::string &program, std::vector<std::string> args,
                   const std::vector<std::string> &env) {
  Result r;
  int out[2], err[2];
  if (::pipe2(out, O_CLOEXEC) < 0) return r;
  if (::pipe2(err, O_CLOEXEC) < 0) {
    ::close(out[0]);
    ::close(out[1]);
    return r;
  }
  // Everything the child needs is built before fork.
  std::vector<std::string> childEnv;
  for (char **e = environ; *e; ++e)
    if (!replaced(*e, env)) childEnv.emplace_back(*e);
  childEnv.insert(childEnv.end(), env.begin(), env.end());
  std::vector<char *> envp;
  for (auto &e : childEnv) envp.push_back(e.data());
  envp.push_back(nullptr);
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
