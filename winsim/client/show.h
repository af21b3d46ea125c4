// ShowWindow's effect on a window's state, apart from carrying it out.
#pragma once

#include <cstdint>

namespace winsim::client {

struct ShowState {
  bool valid = false;  // a known command
  bool visible = false;
  bool iconic = false;
  std::uint32_t activate = 0;  // as SetWindowState takes it: 0 leave, 1 foreground, 2 give up
};

ShowState show_transition(int cmd, bool visible, bool iconic);

}  // namespace winsim::client
