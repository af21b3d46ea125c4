#include "process.h"

#include <sys/wait.h>
#include <unistd.h>

namespace winsim::server {

const char *state_name(ProcState state) {
  switch (state) {
    case ProcState::Starting: return "starting";
    case ProcState::Running: return "running";
    case ProcState::Waiting: return "waiting";
    case ProcState::Ended: return "ended";
  }
  return "?";
}

Process::~Process() { close_pidfd(); }

void Process::close_pidfd() {
  if (pidfd >= 0) ::close(pidfd);
  pidfd = -1;
}

Process &Processes::add(pid_t pid, bool child) {
  auto p = std::make_unique<Process>();
  p->key = nextKey_++;
  p->pid = pid;
  p->child = child;
  list_.push_back(std::move(p));
  return *list_.back();
}

Process *Processes::live(pid_t pid) const {
  for (auto it = list_.rbegin(); it != list_.rend(); ++it)
    if ((*it)->pid == pid && !(*it)->ended) return it->get();
  return nullptr;
}

Process *Processes::latest(pid_t pid) const {
  for (auto it = list_.rbegin(); it != list_.rend(); ++it)
    if ((*it)->pid == pid) return it->get();
  return nullptr;
}

int exit_code_of(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return status;
}

}  // namespace winsim::server
