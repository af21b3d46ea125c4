// How a verb gives up: the exit status and the one line for stderr.
#pragma once

#include <string>

namespace winsim::tool {

inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

struct Failure {
  int status;
  std::string message;
};

[[noreturn]] inline void refuse(std::string message) { throw Failure{kExitRefused, std::move(message)}; }

}  // namespace winsim::tool
