// Everything this process's Win32 layer keeps: the one process-wide object, holding the
// connection to the desktop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "classes.h"
#include "connection.h"
#include "resfile.h"
#include "ui.h"

namespace winsim::client {

struct OwnWindow {
  WNDPROC proc = nullptr;
  std::shared_ptr<const WindowClass> cls;
  bool destroying = false;
};

struct DeviceContext {
  HWND hwnd = nullptr;  // null: the screen, which draws nothing
  UINT align = 0;
  POINT cp{0, 0};
};

// What the last retrieved input message carried, for GetKeyState and TranslateMessage.
struct InputState {
  std::uint32_t keys = 0;  // kMod* bits
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::uint32_t chr = 0;
};

struct AccelTable {
  const void *source = nullptr;  // the resource it came from: loading it again gives the same table
  std::vector<ACCEL> entries;
};

struct Process {
  Connection conn;
  DWORD lastError = 0;
  ClassTable classes;
  std::map<std::uint32_t, OwnWindow> windows;
  std::map<std::uintptr_t, DeviceContext> dcs;
  std::uintptr_t nextDc = 0x00DC0010;
  std::vector<AccelTable> accelTables;  // HACCEL = index + kAccelBase
  InputState input;
  std::optional<std::vector<res::Entry>> resources;  // parsed on first use
  UiState ui;
  std::map<std::uintptr_t, std::string> devices;  // open device handles and their paths
  std::uintptr_t nextDevice = 0x00DE0004;
};

Process &process();

inline void set_error(DWORD e) { process().lastError = e; }

// The window procedure of an own window, or null.
WNDPROC own_proc(HWND hwnd);
bool is_own(HWND hwnd);

// The program's own module, and the pseudo modules of the system.
HINSTANCE own_instance();
inline constexpr std::uintptr_t kAccelBase = 0x00AC0000;

// The resources linked into this program (none: empty).
const std::vector<res::Entry> &own_resources();
// The resources of a module handle: this program's (also for NULL), or null with the error set.
const std::vector<res::Entry> *module_resources(HINSTANCE instance);
res::Name res_name(LPCSTR name);

}  // namespace winsim::client
