#include "accel.h"

#include "common.h"
#include "handles.h"
#include "process.h"
#include "wininfo.h"

namespace winsim::client {

std::optional<WORD> match_accelerator(std::span<const ACCEL> table, UINT message, WPARAM key,
                                      std::uint32_t mods) {
  bool keyDown = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  bool character = message == WM_CHAR || message == WM_SYSCHAR;
  if (!keyDown && !character) return std::nullopt;
  BYTE held = static_cast<BYTE>(((mods & kModShift) ? FSHIFT : 0) |
                                ((mods & kModCtrl) ? FCONTROL : 0) | ((mods & kModAlt) ? FALT : 0));
  for (const ACCEL &a : table) {
    if (a.key != key) continue;
    bool virt = (a.fVirt & FVIRTKEY) != 0;
    if (keyDown && virt && (a.fVirt & (FSHIFT | FCONTROL | FALT)) == held) return a.cmd;
    if (character && !virt && ((a.fVirt & FALT) != 0) == ((held & FALT) != 0)) return a.cmd;
  }
  return std::nullopt;
}

}  // namespace winsim::client

using namespace winsim::client;
using namespace winsim;

extern "C" {

HACCEL WINAPI LoadAcceleratorsA(HINSTANCE hInstance, LPCSTR lpTableName) {
  const auto *entries = module_resources(hInstance);
  if (!entries || !lpTableName) return nullptr;
  const res::Entry *e = res::find(*entries, res::id_name(9), res_name(lpTableName));
  if (!e) {
    set_error(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  auto &tables = process().accelTables;
  for (std::size_t i = 0; i < tables.size(); ++i)
    if (tables[i].source == e) return to_handle<HACCEL>(kAccelBase + i);
  auto parsed = res::parse_accelerators(e->data);
  if (!parsed) {
    set_error(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  AccelTable table;
  table.source = e;
  for (const res::Accel &a : *parsed) table.entries.push_back(ACCEL{a.fVirt, a.key, a.cmd});
  tables.push_back(std::move(table));
  return to_handle<HACCEL>(kAccelBase + tables.size() - 1);
}

int WINAPI TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
  if (!hWnd || !hAccTable || !lpMsg) return 0;
  auto &tables = process().accelTables;
  auto index = reinterpret_cast<std::uintptr_t>(hAccTable) - kAccelBase;
  if (index >= tables.size()) {
    set_error(ERROR_INVALID_ACCEL_HANDLE);
    return 0;
  }
  std::uint32_t mods = process().input.keys;
  // The context code: Alt was down when the key was pressed.
  if ((lpMsg->message == WM_SYSKEYDOWN || lpMsg->message == WM_SYSCHAR) && (lpMsg->lParam & (1 << 29)))
    mods |= kModAlt;
  auto cmd = match_accelerator(tables[index].entries, lpMsg->message, lpMsg->wParam, mods);
  if (!cmd) return 0;
  send_message(hWnd, WM_COMMAND, MAKEWPARAM(*cmd, 1), 0);
  return 1;
}

}  // extern "C"
