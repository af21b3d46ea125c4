// Where windows are and what a point on them hits; owners, enabling, focus, system metrics.
#include <windows.h>

#include <cstdio>

#include "../server/metrics.h"
#include "handles.h"
#include "process.h"
#include "rpc.h"
#include "settings.h"
#include "wininfo.h"

namespace winsim::client {

int hit_test(const RECT &w, bool hasMenu, DWORD style, int x, int y) {
  if (x < w.left || x >= w.right || y < w.top || y >= w.bottom) return HTNOWHERE;
  int left = w.left + metrics::kFrame, top = w.top + metrics::kFrame;
  if (x < left || x >= w.right - metrics::kFrame || y < top || y >= w.bottom - metrics::kFrame)
    return HTBORDER;
  int captionBottom = top + metrics::kCaption;
  if (y < captionBottom) {
    if ((style & WS_SYSMENU) && x < left + metrics::kCaption) return HTSYSMENU;
    return HTCAPTION;
  }
  if (hasMenu && y < captionBottom + metrics::kMenuBar) return HTMENU;
  return HTCLIENT;
}

POINT client_origin(const RECT &w, bool hasMenu) {
  return POINT{w.left + metrics::kFrame,
               w.top + metrics::kFrame + metrics::kCaption + (hasMenu ? metrics::kMenuBar : 0)};
}

LRESULT default_hit_test(HWND hwnd, LPARAM lParam) {
  auto info = window_info(hwnd);
  if (!info) return HTNOWHERE;
  RECT r{info->left, info->top, info->right, info->bottom};
  return hit_test(r, info->menu != 0, info->style, static_cast<short>(LOWORD(lParam)),
                  static_cast<short>(HIWORD(lParam)));
}

namespace {

bool parse_rect(const std::string &text, RECT &r) {
  long v[4];
  char tail = 0;
  if (std::sscanf(text.c_str(), "%ld,%ld,%ld,%ld%c", &v[0], &v[1], &v[2], &v[3], &tail) != 4) return false;
  r = RECT{static_cast<LONG>(v[0]), static_cast<LONG>(v[1]), static_cast<LONG>(v[2]), static_cast<LONG>(v[3])};
  return true;
}

// A window handle this thread may treat as live: its own (windows and dialog controls).
bool live_focus(HWND hwnd) { return hwnd && (control_of(hwnd) || (is_own(hwnd) && window_info(hwnd))); }

}  // namespace
}  // namespace winsim::client

using namespace winsim::client;
using namespace winsim;

extern "C" {

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  if (!lpPoint) return FALSE;
  if (Control *ctl = control_of(hWnd)) {
    Dialog *d = dialog_of(hWnd);
    lpPoint->x += ctl->rect.left;
    lpPoint->y += ctl->rect.top;
    hWnd = d->hwnd;
  }
  auto info = window_info(hWnd);
  if (!info) return FALSE;
  POINT o = client_origin(RECT{info->left, info->top, info->right, info->bottom}, info->menu != 0);
  lpPoint->x += o.x;
  lpPoint->y += o.y;
  return TRUE;
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
  if (!window_info(hWnd) && !control_of(hWnd)) return nullptr;
  if (uCmd != GW_OWNER) {
    set_error(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  auto &owners = process().ui.owners;
  auto it = owners.find(hval(hWnd));
  return it == owners.end() ? nullptr : it->second;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND, int X, int Y, int cx, int cy, UINT uFlags) {
  auto info = window_info(hWnd);
  if (!info) return FALSE;
  RECT r{info->left, info->top, info->right, info->bottom};
  if (!(uFlags & SWP_NOSIZE)) {
    r.right = r.left + cx;
    r.bottom = r.top + cy;
  }
  if (!(uFlags & SWP_NOMOVE)) {
    LONG width = r.right - r.left, height = r.bottom - r.top;
    r = RECT{X, Y, X + width, Y + height};
  }
  proto::MoveWindowReq req;
  req.hwnd = hval(hWnd);
  req.left = r.left;
  req.top = r.top;
  req.right = r.right;
  req.bottom = r.bottom;
  if (!call_ok(req)) return FALSE;
  if (uFlags & SWP_SHOWWINDOW) ShowWindow(hWnd, SW_SHOWNA);
  if (uFlags & SWP_HIDEWINDOW) ShowWindow(hWnd, SW_HIDE);
  return TRUE;
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
  proto::EnableWindowReq req;
  req.hwnd = hval(hWnd);
  req.enable = bEnable ? 1 : 0;
  auto rep = call_checked(req);
  if (!rep) return FALSE;
  if (!bEnable && process().ui.focus == hWnd) process().ui.focus = nullptr;
  return rep->disabled ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
  proto::EnableWindowReq req;
  req.hwnd = hval(hWnd);
  req.enable = 2;
  auto rep = call_checked(req);
  if (!rep) return FALSE;
  return rep->disabled ? FALSE : TRUE;
}

HWND WINAPI GetFocus(void) {
  HWND &focus = process().ui.focus;
  if (focus && !live_focus(focus)) focus = nullptr;
  if (focus) return focus;
  // Without a focus set by hand, the thread's active window has it.
  HWND fg = to_handle<HWND>(call(proto::GetForegroundReq{}).hwnd);
  return fg && is_own(fg) ? fg : nullptr;
}

HWND WINAPI SetFocus(HWND hWnd) {
  HWND prev = GetFocus();
  if (hWnd && !live_focus(hWnd)) {
    set_error(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  process().ui.focus = hWnd;
  if (Dialog *d = dialog_of(hWnd)) publish_dialog(*d);
  return prev;
}

int WINAPI GetSystemMetrics(int nIndex) {
  switch (nIndex) {
    case SM_CXSCREEN: return 800;
    case SM_CYSCREEN: return 600;
    case SM_CXFRAME:
    case SM_CYFRAME: return metrics::kFrame;
    case SM_CYCAPTION: return metrics::kCaption;
    case SM_CYMENU: return metrics::kMenuBar;
    default: return 0;
  }
}

BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT, PVOID pvParam, UINT) {
  if (uiAction != SPI_GETWORKAREA || !pvParam) {
    set_error(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT r;
  if (!parse_rect(setting("workarea").value_or("fail"), r)) {
    set_error(ERROR_GEN_FAILURE);
    return FALSE;
  }
  *static_cast<RECT *>(pvParam) = r;
  return TRUE;
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
  if (Control *ctl = control_of(hWnd)) {
    ctl->text = lpString ? lpString : "";
    publish_dialog(*dialog_of(hWnd));
    return TRUE;
  }
  proto::SetTitleReq req;
  req.hwnd = hval(hWnd);
  req.title = lpString ? lpString : "";
  return call_ok(req);
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
  if (!lpString || nMaxCount <= 0) return 0;
  std::string text;
  if (Control *ctl = control_of(hWnd)) {
    text = ctl->text;
  } else if (auto info = window_info(hWnd)) {
    text = info->title;
  } else {
    lpString[0] = 0;
    return 0;
  }
  std::size_t n = std::min(text.size(), static_cast<std::size_t>(nMaxCount - 1));
  text.copy(lpString, n);
  lpString[n] = 0;
  return static_cast<int>(n);
}

}  // extern "C"
