// Painting: BeginPaint/EndPaint and the update state.
#include <windows.h>

#include "gdi.h"
#include "handles.h"
#include "process.h"
#include "rpc.h"
#include "wininfo.h"

using namespace winsim::client;
using namespace winsim;

extern "C" {

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
  if (!lpPaint) {
    set_error(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  proto::BeginPaintReq req;
  req.hwnd = hval(hWnd);
  auto rep = call_checked(req);
  if (!rep) return nullptr;
  *lpPaint = PAINTSTRUCT{};
  lpPaint->hdc = new_dc(hWnd);
  lpPaint->fErase = FALSE;
  if (rep->erase)
    lpPaint->fErase = SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(lpPaint->hdc), 0) ? FALSE : TRUE;
  GetClientRect(hWnd, &lpPaint->rcPaint);
  return lpPaint->hdc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT *lpPaint) {
  if (lpPaint) release_dc(lpPaint->hdc);
  return TRUE;
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT *, BOOL bErase) {
  if (!hWnd) {
    // Every window of this process.
    for (const auto &[h, w] : process().windows) InvalidateRect(to_handle<HWND>(h), nullptr, bErase);
    return TRUE;
  }
  proto::InvalidateReq req;
  req.hwnd = hval(hWnd);
  req.erase = bErase ? 1 : 0;
  return call_ok(req);
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT *) {
  // Validating the whole client area is what BeginPaint does on the desktop.
  proto::BeginPaintReq req;
  req.hwnd = hval(hWnd);
  return call_ok(req);
}

}  // extern "C"
