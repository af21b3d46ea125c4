// The desktop's processes, in order of first appearance; ended ones stay listed.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "event.h"
#include "window.h"

namespace winsim::server {

enum class ProcState { Starting, Running, Waiting, Ended };

const char *state_name(ProcState state);

// A window class as the process registered it.
struct ClassRecord {
  std::string name, menu;
  std::uint32_t style = 0;
  bool icon = false, smallIcon = false, extended = false;
};

struct Process {
  std::uint64_t key = 0;  // unique per record, unlike pids
  pid_t pid = 0;
  bool child = false;     // launched (and reaped) by the server
  int pidfd = -1;         // a child's, readable once it has exited
  bool connected = false;
  std::vector<ConnId> conns;  // live connections, one per thread
  bool ended = false;
  bool exitKnown = false;
  std::int32_t exitCode = 0;
  bool announced = false;  // Exit request seen
  std::int32_t announcedCode = 0;
  std::uint64_t requests = 0;
  HandleTable handles;
  std::vector<ClassRecord> classes;

  Process() = default;
  Process(const Process &) = delete;
  Process &operator=(const Process &) = delete;
  ~Process();
  void close_pidfd();
};

class Processes {
 public:
  Process &add(pid_t pid, bool child);
  // The record of a pid that has not ended, if any.
  Process *live(pid_t pid) const;
  // The latest record of a pid, ended or not.
  Process *latest(pid_t pid) const;
  const std::vector<std::unique_ptr<Process>> &all() const { return list_; }

 private:
  std::uint64_t nextKey_ = 1;
  std::vector<std::unique_ptr<Process>> list_;
};

// Exit code of a waitpid status: the exit status, or 128 + signal.
int exit_code_of(int status);

}  // namespace winsim::server
