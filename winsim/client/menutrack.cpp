// Menu tracking: the modal loop of a pop-up menu or the menu bar. The user's choice comes from
// the desktop (the `menu` verb) as a posted kMsgMenuChoice; Escape or a click elsewhere ends
// the loop with nothing chosen.
#include <windows.h>

#include <optional>

#include "common.h"
#include "handles.h"
#include "process.h"
#include "rpc.h"
#include "wininfo.h"

namespace winsim::client {
namespace {

bool is_mouse_down(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_NCLBUTTONDOWN ||
         msg == WM_NCRBUTTONDOWN;
}

bool set_tracking(HWND owner, HMENU menu, int x, int y, bool bar, bool open) {
  proto::MenuTrackReq req;
  req.hwnd = hval(owner);
  req.menu = hval(menu);
  req.x = x;
  req.y = y;
  req.bar = bar ? 1 : 0;
  req.open = open ? 1 : 0;
  return call_ok(req);
}

// The item chosen (0: none), or nullopt when the menu could not be opened.
std::optional<UINT> track(HWND owner, HMENU menu, int x, int y, bool bar) {
  if (!set_tracking(owner, menu, x, y, bar, true)) return std::nullopt;
  if (bar) SendMessageA(owner, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  else SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  UINT chosen = 0;
  for (;;) {
    MSG msg;
    if (!next_modal_message(msg)) break;
    if (msg.message == kMsgMenuChoice) {
      if (msg.hwnd != owner) continue;
      chosen = static_cast<UINT>(msg.wParam);
      break;
    }
    if (is_user_input(msg.message)) {
      // The menu has the keyboard and the mouse while it is open.
      bool escape = (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam == VK_ESCAPE;
      if (escape || is_mouse_down(msg.message)) break;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (IsWindow(owner)) set_tracking(owner, menu, 0, 0, bar, false);
  SendMessageA(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  return chosen;
}

}  // namespace

void track_menu_bar(HWND hwnd) {
  HMENU menu = GetMenu(hwnd);
  if (!menu) return;
  auto chosen = track(hwnd, menu, 0, 0, true);
  if (chosen && *chosen) PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(*chosen, 0), 0);
}

}  // namespace winsim::client

using namespace winsim::client;

extern "C" BOOL WINAPI TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd,
                                      const RECT *) {
  if (!is_own(hWnd)) {
    set_error(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  auto chosen = track(hWnd, hMenu, x, y, false);
  if (!chosen) return FALSE;
  if (uFlags & TPM_RETURNCMD) return static_cast<BOOL>(*chosen);
  if (*chosen) PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(*chosen, 0), 0);
  return TRUE;
}
