#include "process.h"

#include "handles.h"

namespace winsim::client {

Process &process() {
  static Process p;
  return p;
}

WNDPROC own_proc(HWND hwnd) {
  auto &w = process().windows;
  auto it = w.find(hval(hwnd));
  return it == w.end() ? nullptr : it->second.proc;
}

bool is_own(HWND hwnd) { return hwnd && process().windows.count(hval(hwnd)) != 0; }

HINSTANCE own_instance() { return to_handle<HINSTANCE>(0x00400000); }

}  // namespace winsim::client
