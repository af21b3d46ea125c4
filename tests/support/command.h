// Runs one program to its end and keeps what it printed: for tests and benchmarks that drive
// the desktop through the winsim command.
#pragma once

#include <string>
#include <vector>

struct Result {
  int status = -1;  // exit status, or -1 when the command did not exit normally
  std::string out, err;
};

// program with argv args (args[0] is its name), stdin /dev/null; env: "KEY=VALUE" items that
// replace those of this process's environment for the child.
Result run_command(const std::string &program, std::vector<std::string> args,
                   const std::vector<std::string> &env = {});
