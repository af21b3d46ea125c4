// Window classes, creation, destruction and what the desktop knows of windows.
#include <windows.h>

#include "handles.h"
#include "process.h"
#include "rpc.h"
#include "wininfo.h"

namespace winsim::client {

std::optional<proto::GetWindowInfoRep> window_info(HWND hwnd) {
  if (!hwnd) {
    set_error(ERROR_INVALID_WINDOW_HANDLE);
    return std::nullopt;
  }
  proto::GetWindowInfoReq req;
  req.hwnd = hval(hwnd);
  return call_checked(req);
}

HWND create_own_window(const proto::CreateWindowReq &req, OwnWindow own) {
  std::uint32_t status = 0;
  auto rep = call(req, status);
  if (status || !rep.hwnd) {
    set_error(status ? status : ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  process().windows[rep.hwnd] = std::move(own);
  return to_handle<HWND>(rep.hwnd);
}

namespace {

// The fields WNDCLASSA and WNDCLASSEXA share.
template <class Wc>
WindowClass class_from(const Wc &wc) {
  WindowClass cls;
  cls.style = wc.style;
  cls.proc = wc.lpfnWndProc;
  cls.instance = wc.hInstance;
  cls.icon = wc.hIcon;
  cls.cursor = wc.hCursor;
  cls.background = wc.hbrBackground;
  if (wc.lpszMenuName) cls.menuName = keep_res_name(wc.lpszMenuName);
  return cls;
}

ATOM register_class(WindowClass cls, LPCSTR className, bool extended) {
  if (!className || IS_INTRESOURCE(className) || !*className || !cls.proc) {
    set_error(ERROR_INVALID_PARAMETER);
    return 0;
  }
  cls.name = className;
  proto::ClassRegisteredReq note;
  note.className = cls.name;
  if (cls.menuName) {
    if (const auto *id = std::get_if<WORD>(&*cls.menuName)) note.menu = "#" + std::to_string(*id);
    else note.menu = std::get<std::string>(*cls.menuName);
  }
  note.style = cls.style;
  note.icon = cls.icon != nullptr;
  note.smallIcon = cls.iconSmall != nullptr;
  note.extended = extended;
  DWORD error = 0;
  ATOM atom = process().classes.add(std::move(cls), error);
  if (!atom) {
    set_error(error);
    return 0;
  }
  // The desktop lists classes as registered, so that tests can see how it was done.
  call(note);
  return atom;
}

void forget_window(HWND hwnd) { process().windows.erase(hval(hwnd)); }

// Removes a window that failed its creation messages.
void abandon_window(HWND hwnd, bool sendDestroy) {
  if (sendDestroy) {
    DestroyWindow(hwnd);
    return;
  }
  if (WNDPROC proc = own_proc(hwnd)) proc(hwnd, WM_NCDESTROY, 0, 0);
  proto::DestroyWindowReq req;
  req.hwnd = hval(hwnd);
  call(req);
  forget_window(hwnd);
}

}  // namespace
}  // namespace winsim::client

using namespace winsim::client;
using namespace winsim;

extern "C" {

ATOM WINAPI RegisterClassA(const WNDCLASSA *wc) {
  if (!wc) {
    set_error(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return register_class(class_from(*wc), wc->lpszClassName, false);
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA *wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXA)) {
    set_error(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WindowClass cls = class_from(*wc);
  cls.iconSmall = wc->hIconSm;
  return register_class(std::move(cls), wc->lpszClassName, true);
}

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName,
                            DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                            HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam) {
  auto cls = process().classes.find(lpClassName);
  if (!cls) {
    set_error(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (!hMenu && cls->menuName && !(dwStyle & WS_CHILD))
    hMenu = LoadMenuA(cls->instance, res_name_ptr(*cls->menuName));

  proto::CreateWindowReq req;
  req.className = cls->name;
  req.title = lpWindowName ? lpWindowName : "";
  req.style = dwStyle;
  req.exStyle = dwExStyle;
  req.x = X;
  req.y = Y;
  req.cx = nWidth;
  req.cy = nHeight;
  req.parent = hval(hWndParent);
  req.menu = hval(hMenu);
  HWND hwnd = create_own_window(req, OwnWindow{cls->proc, cls, false});
  if (!hwnd) return nullptr;

  CREATESTRUCTA cs{};
  cs.lpCreateParams = lpParam;
  cs.hInstance = hInstance;
  cs.hMenu = hMenu;
  cs.hwndParent = hWndParent;
  cs.cy = nHeight;
  cs.cx = nWidth;
  cs.y = Y;
  cs.x = X;
  cs.style = static_cast<LONG>(dwStyle);
  cs.lpszName = lpWindowName;
  cs.lpszClass = lpClassName;
  cs.dwExStyle = dwExStyle;
  auto lp = reinterpret_cast<LPARAM>(&cs);
  if (!SendMessageA(hwnd, WM_NCCREATE, 0, lp)) {
    if (is_own(hwnd)) abandon_window(hwnd, false);
    return nullptr;
  }
  if (SendMessageA(hwnd, WM_CREATE, 0, lp) == -1) {
    if (is_own(hwnd)) abandon_window(hwnd, true);
    return nullptr;
  }
  if (!is_own(hwnd)) return nullptr;
  if (dwStyle & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
  return hwnd;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
  auto &windows = process().windows;
  auto it = windows.find(hval(hWnd));
  if (!hWnd || it == windows.end()) {
    if (hWnd && window_info(hWnd)) set_error(ERROR_ACCESS_DENIED);
    else set_error(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (it->second.destroying) return TRUE;
  it->second.destroying = true;
  WNDPROC proc = it->second.proc;
  proc(hWnd, WM_DESTROY, 0, 0);
  proc(hWnd, WM_NCDESTROY, 0, 0);
  proto::DestroyWindowReq req;
  req.hwnd = hval(hWnd);
  std::uint32_t status = 0;
  call(req, status);
  forget_window(hWnd);
  if (status) {
    set_error(status);
    return FALSE;
  }
  return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
  proto::GetUpdateReq req;
  req.hwnd = hval(hWnd);
  auto rep = call_checked(req);
  if (!rep) return FALSE;
  if (rep->invalid) {
    if (WNDPROC proc = own_proc(hWnd)) proc(hWnd, WM_PAINT, 0, 0);
  }
  return TRUE;
}

HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
  proto::FindWindowReq req;
  if (lpClassName) {
    req.byClass = 1;
    if (IS_INTRESOURCE(lpClassName)) {
      auto cls = process().classes.find(lpClassName);
      if (!cls) return nullptr;
      req.className = cls->name;
    } else {
      req.className = lpClassName;
    }
  }
  if (lpWindowName) {
    req.byTitle = 1;
    req.title = lpWindowName;
  }
  std::uint32_t status = 0;
  auto rep = call(req, status);
  if (status || !rep.hwnd) {
    set_error(status ? status : ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return to_handle<HWND>(rep.hwnd);
}

BOOL WINAPI IsWindow(HWND hWnd) {
  DWORD saved = GetLastError();
  bool ok = window_info(hWnd).has_value();
  SetLastError(saved);
  return ok;
}

BOOL WINAPI IsIconic(HWND hWnd) {
  auto info = window_info(hWnd);
  return info && info->iconic;
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
  auto info = window_info(hWnd);
  return info && info->visible;
}

BOOL WINAPI SetForegroundWindow(HWND hWnd) {
  proto::SetForegroundReq req;
  req.hwnd = hval(hWnd);
  return call_ok(req);
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  auto info = window_info(hWnd);
  if (!info || !lpRect) return FALSE;
  *lpRect = RECT{0, 0, info->clientWidth, info->clientHeight};
  return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
  auto info = window_info(hWnd);
  if (!info || !lpRect) return FALSE;
  *lpRect = RECT{info->left, info->top, info->right, info->bottom};
  return TRUE;
}

}  // extern "C"
