// What a window does with the messages its procedure leaves to the system.
#include <windows.h>

#include "handles.h"
#include "process.h"
#include "rpc.h"

using namespace winsim::client;
using namespace winsim;

extern "C" LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  switch (Msg) {
    case WM_NCCREATE:
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(hWnd);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (BeginPaint(hWnd, &ps)) EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      proto::EraseClientReq req;
      req.hwnd = hval(hWnd);
      call(req);
      return 1;
    }
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          SendMessageA(hWnd, WM_CLOSE, 0, 0);
          break;
        case SC_MINIMIZE:
          ShowWindow(hWnd, SW_MINIMIZE);
          break;
        case SC_RESTORE:
          ShowWindow(hWnd, SW_RESTORE);
          break;
        case SC_MOUSEMENU:
          track_menu_bar(hWnd);
          break;
      }
      return 0;
    case WM_NCHITTEST:
      return default_hit_test(hWnd, lParam);
    case WM_NCLBUTTONDOWN:
      if (wParam == HTMENU) SendMessageA(hWnd, WM_SYSCOMMAND, SC_MOUSEMENU, lParam);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & (1 << 29))) SendMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    default:
      return 0;
  }
}
