#include "show.h"

#include <windows.h>

#include "common.h"
#include "handles.h"
#include "process.h"
#include "rpc.h"
#include "wininfo.h"

namespace winsim::client {

ShowState show_transition(int cmd, bool visible, bool iconic) {
  ShowState s;
  s.valid = true;
  switch (cmd) {
    case SW_HIDE:
      s.visible = false;
      s.iconic = iconic;
      s.activate = 2;
      return s;
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
    case SW_RESTORE:
    case SW_SHOWMAXIMIZED:
      s.visible = true;
      s.iconic = false;
      s.activate = 1;
      return s;
    case SW_SHOW:
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
      s.visible = true;
      s.iconic = iconic;
      s.activate = cmd == SW_SHOW ? 1 : 0;
      return s;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      s.visible = true;
      s.iconic = true;
      s.activate = cmd == SW_MINIMIZE ? 2 : cmd == SW_SHOWMINIMIZED ? 1 : 0;
      return s;
    default:
      s.valid = false;
      s.visible = visible;
      s.iconic = iconic;
      return s;
  }
}

}  // namespace winsim::client

using namespace winsim::client;
using namespace winsim;

extern "C" BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  if (!is_own(hWnd)) {
    if (!window_info(hWnd)) return FALSE;
    // The owning thread carries it out, as if sent to it.
    return send_message(hWnd, kMsgRemoteShowWindow, static_cast<WPARAM>(nCmdShow), 0) != 0;
  }
  auto info = window_info(hWnd);
  if (!info) return FALSE;
  bool wasVisible = info->visible != 0;
  ShowState next = show_transition(nCmdShow, wasVisible, info->iconic != 0);
  if (!next.valid) {
    set_error(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (next.visible != wasVisible) {
    SendMessageA(hWnd, WM_SHOWWINDOW, next.visible ? TRUE : FALSE, 0);
    if (!is_own(hWnd)) return wasVisible;
  }
  proto::SetWindowStateReq req;
  req.hwnd = hval(hWnd);
  req.visible = next.visible;
  req.iconic = next.iconic;
  req.activate = next.activate;
  call_ok(req);
  return wasVisible;
}
