// A private desktop for the benchmarks, driven through the built winsim command.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "command.h"

using Run = Result;

class BenchDesktop {
 public:
  // Starts the process-wide desktop on first use (and points this process at it).
  static BenchDesktop &get();
  // Stops it if it was started.
  static void shutdown();

  bool ok() const { return error_.empty(); }
  const std::string &error() const { return error_; }

  Run run(std::vector<std::string> args) const;
  // `run` without its newline, or nullopt when the command failed.
  std::optional<std::string> output(std::vector<std::string> args) const;

  int serverPid() const { return serverPid_; }
  // The helper (`ostik nolurk`), launched on first call; 0 when that failed.
  int helperPid();

 private:
  BenchDesktop();
  ~BenchDesktop();
  void stop();

  std::string dir_, error_;
  int serverPid_ = 0, helperPid_ = 0;
  bool started_ = false;
};

// VmRSS of a process in kB, or -1 when it cannot be read.
long residentKb(int pid);
