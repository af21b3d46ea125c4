// Process start-up: what the loader and the C runtime do before WinMain on Windows.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cmdline.h"
#include "process.h"
#include "rpc.h"

using namespace winsim::client;
using namespace winsim;

int main(int argc, char **argv) {
  process().conn.open();

  std::vector<std::string_view> args(argv, argv + argc);
  std::string cmdline = build_command_line(args);
  std::string tail = command_tail(cmdline.c_str());

  int nCmdShow = SW_SHOWDEFAULT;
  if (const char *show = std::getenv("WINSIM_SHOW")) {
    nCmdShow = std::atoi(show);
    ::unsetenv("WINSIM_SHOW");
  }

  int code = WinMain(own_instance(), nullptr, tail.data(), nCmdShow);

  proto::ExitReq req;
  req.code = code;
  call(req);
  return code;
}
