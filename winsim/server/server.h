// The desktop server that `winsim serve` runs.
#pragma once

#include <string>
#include <vector>

namespace winsim::server {

// Runs a desktop server on directory `dir` (created mode 0700 if missing; refused if owned by
// another user or not a directory). `settings` are "KEY=VALUE" items applied at start (refused
// values: return 2 with a message on stderr). Binds dir/socket (a stale socket is replaced);
// once it accepts clients, writes one byte to readyFd (if >= 0) and closes it. Returns when a
// Stop request arrives (0) or on a fatal error (1).
int serve(const std::string &dir, const std::vector<std::string> &settings, int readyFd);

}  // namespace winsim::server
