// A tiny desktop program: a window with a menu from its resources, one line of text, and a
// message loop until the window is closed. An argument names an event to set once the window
// is up.
#include <windows.h>

static char szLine[64];

static LRESULT CALLBACK HelloWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(hwnd, &ps);
      TextOutA(hdc, 8, 16, szLine, lstrlenA(szLine));
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == 100) DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(3);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = HelloWndProc;
  wc.hInstance = hInstance;
  wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.lpszMenuName = "hello";
  wc.lpszClassName = "Hello";
  if (!RegisterClassA(&wc)) return 1;
  if (!LoadStringA(hInstance, 1, szLine, sizeof szLine)) return 2;
  HWND hwnd = CreateWindowA("Hello", "Hello Window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                            CW_USEDEFAULT, 0, NULL, NULL, hInstance, NULL);
  if (!hwnd) return 4;
  ShowWindow(hwnd, nCmdShow);
  UpdateWindow(hwnd);
  // Whoever started us may wait on a named event to learn that the window is up.
  if (*lpCmdLine) {
    HANDLE hReady = OpenEventA(EVENT_MODIFY_STATE, FALSE, lpCmdLine);
    if (hReady) SetEvent(hReady);
  }
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return (int)msg.wParam;
}
