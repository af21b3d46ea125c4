// The client library against a real desktop server, started once for this test program in a
// child process. Window procedures record what they are sent, so the tests see the order.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "common.h"
#include "handles.h"
#include "rpc.h"
#include "server.h"

namespace {

using namespace winsim;
using winsim::client::call;

class DesktopEnv : public ::testing::Environment {
 public:
  void SetUp() override {
    char tmpl[] = "/tmp/winsim-client-test-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    server_ = ::fork();
    ASSERT_GE(server_, 0);
    if (server_ == 0) {
      ::close(fds[0]);
      ::_exit(server::serve(dir_, {}, fds[1]));
    }
    ::close(fds[1]);
    char ready = 0;
    ASSERT_EQ(::read(fds[0], &ready, 1), 1) << "server did not start";
    ::close(fds[0]);
    ::setenv("WINSIM_DESKTOP", dir_.c_str(), 1);
  }
  void TearDown() override {
    if (server_ <= 0) return;
    call(proto::StopReq{});
    int st = 0;
    ::waitpid(server_, &st, 0);
    std::string cmd = "rm -rf '" + dir_ + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
  }

 private:
  std::string dir_;
  pid_t server_ = -1;
};

const auto *const kEnv = ::testing::AddGlobalTestEnvironment(new DesktopEnv);

struct Sent {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Sent &) const = default;
};

// What the recording procedure saw and how it answers creation.
std::vector<Sent> g_seen;
LRESULT g_nccreate = TRUE;
LRESULT g_create = 0;

bool interesting(UINT msg) {
  switch (msg) {
    case WM_NCCREATE: case WM_CREATE: case WM_SHOWWINDOW: case WM_DESTROY: case WM_NCDESTROY:
    case WM_PAINT: case WM_ERASEBKGND: case WM_COMMAND: case WM_CLOSE: case WM_USER:
    case WM_SYSCOMMAND:
      return true;
  }
  return false;
}

LRESULT CALLBACK RecordProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (interesting(msg)) g_seen.push_back(Sent{msg, msg == WM_ERASEBKGND ? 0 : wParam, msg == WM_CREATE || msg == WM_NCCREATE ? 0 : lParam});
  if (msg == WM_NCCREATE) return g_nccreate;
  if (msg == WM_CREATE) return g_create;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void register_record_class() {
  static bool done = false;
  if (done) return;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = RecordProc;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.lpszClassName = "Record";
  ASSERT_NE(RegisterClassExA(&wc), 0);
  done = true;
}

HWND make_window(DWORD style = WS_OVERLAPPEDWINDOW) {
  register_record_class();
  g_seen.clear();
  g_nccreate = TRUE;
  g_create = 0;
  return CreateWindowExA(0, "record", "Recorded", style, 10, 10, 200, 100, NULL, NULL,
                         GetModuleHandleA(NULL), NULL);
}

std::string query(const char *what, HWND hwnd = NULL) {
  proto::QueryReq req;
  req.what = what;
  req.hwnd = client::hval(hwnd);
  return call(req).text;
}

// Takes and dispatches every message that is there now.
void pump() {
  MSG msg;
  while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// The `windows` line of one window.
std::string window_line(HWND hwnd) {
  char head[16];
  std::snprintf(head, sizeof head, "0x%08x ", client::hval(hwnd));
  std::string all = query("windows");
  auto at = all.find(head);
  if (at == std::string::npos) return "";
  return all.substr(at, all.find('\n', at) - at);
}

TEST(DesktopWindows, CreationShowAndDestroyMessages) {
  HWND hwnd = make_window();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(g_seen, (std::vector<Sent>{{WM_NCCREATE, 0, 0}, {WM_CREATE, 0, 0}}));

  // Hiding a window never shown sends nothing; showing it twice sends once.
  g_seen.clear();
  EXPECT_FALSE(ShowWindow(hwnd, SW_HIDE));
  EXPECT_FALSE(ShowWindow(hwnd, SW_SHOWNORMAL));
  EXPECT_TRUE(ShowWindow(hwnd, SW_SHOW));
  EXPECT_EQ(g_seen, (std::vector<Sent>{{WM_SHOWWINDOW, TRUE, 0}}));
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_NE(window_line(hwnd).find("foreground=1"), std::string::npos) << window_line(hwnd);

  // Minimising a visible window changes no visibility; hiding it does.
  g_seen.clear();
  EXPECT_TRUE(ShowWindow(hwnd, SW_MINIMIZE));
  EXPECT_TRUE(IsIconic(hwnd));
  EXPECT_NE(window_line(hwnd).find("foreground=0"), std::string::npos) << window_line(hwnd);
  EXPECT_TRUE(ShowWindow(hwnd, SW_HIDE));
  EXPECT_EQ(g_seen, (std::vector<Sent>{{WM_SHOWWINDOW, FALSE, 0}}));

  g_seen.clear();
  EXPECT_TRUE(DestroyWindow(hwnd));
  EXPECT_EQ(g_seen, (std::vector<Sent>{{WM_DESTROY, 0, 0}, {WM_NCDESTROY, 0, 0}}));
  EXPECT_FALSE(IsWindow(hwnd));
  SetLastError(0);
  EXPECT_FALSE(DestroyWindow(hwnd));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST(DesktopWindows, VisibleStyleShowsAndPaintingErases) {
  HWND hwnd = make_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(g_seen.back(), (Sent{WM_SHOWWINDOW, TRUE, 0}));
  RECT rc;
  ASSERT_TRUE(GetClientRect(hwnd, &rc));
  EXPECT_EQ(rc.left, 0);
  EXPECT_GT(rc.right, 0);

  // Showing invalidated it: WM_PAINT comes out, DefWindowProcA erases and validates.
  g_seen.clear();
  pump();
  EXPECT_EQ(g_seen, (std::vector<Sent>{{WM_PAINT, 0, 0}, {WM_ERASEBKGND, 0, 0}}));
  g_seen.clear();
  pump();
  EXPECT_TRUE(g_seen.empty());

  // UpdateWindow sends WM_PAINT directly, only while something is invalid.
  InvalidateRect(hwnd, NULL, FALSE);
  UpdateWindow(hwnd);
  UpdateWindow(hwnd);
  EXPECT_EQ(g_seen, (std::vector<Sent>{{WM_PAINT, 0, 0}}));
  DestroyWindow(hwnd);
}

TEST(DesktopWindows, RefusedCreations) {
  HWND hwnd = make_window();
  ASSERT_NE(hwnd, nullptr);
  DestroyWindow(hwnd);

  g_seen.clear();
  g_nccreate = FALSE;
  EXPECT_EQ(CreateWindowExA(0, "Record", "x", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL), nullptr);
  EXPECT_EQ(g_seen.front(), (Sent{WM_NCCREATE, 0, 0}));
  g_nccreate = TRUE;
  g_create = -1;
  g_seen.clear();
  EXPECT_EQ(CreateWindowExA(0, "Record", "x", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL), nullptr);
  EXPECT_EQ(g_seen, (std::vector<Sent>{{WM_NCCREATE, 0, 0}, {WM_CREATE, 0, 0}, {WM_DESTROY, 0, 0}, {WM_NCDESTROY, 0, 0}}));
  g_create = 0;
  EXPECT_EQ(query("windows").find("title=\"x\""), std::string::npos);

  SetLastError(0);
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "x", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));

  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc - 1;
  wc.lpfnWndProc = RecordProc;
  wc.lpszClassName = "Short";
  EXPECT_EQ(RegisterClassExA(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  WNDCLASSA dup = {};
  dup.lpfnWndProc = RecordProc;
  dup.lpszClassName = "RECORD";
  EXPECT_EQ(RegisterClassA(&dup), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
}

TEST(DesktopMessages, PostedBeforeQuitAndKeysThroughAccelerators) {
  HWND hwnd = make_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ASSERT_NE(hwnd, nullptr);
  pump();
  HACCEL hAccel = LoadAcceleratorsA(GetModuleHandleA(NULL), "keys");
  ASSERT_NE(hAccel, nullptr);
  EXPECT_EQ(LoadAcceleratorsA(NULL, "KEYS"), hAccel);

  // Alt+? arrives as a system key; TranslateMessage makes WM_SYSCHAR, which the table turns
  // into WM_COMMAND 303 with high word 1.
  proto::KeyInputReq key;
  key.hwnd = client::hval(hwnd);
  key.vk = VK_OEM_2;
  key.chr = '?';
  key.mods = kModAlt | kModShift;
  call(key);
  g_seen.clear();
  MSG msg;
  int commands = 0;
  while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_SYSKEYDOWN) {
      EXPECT_LT(GetKeyState(VK_MENU), 0);
      EXPECT_LT(GetKeyState(VK_SHIFT), 0);
      EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    }
    if (TranslateAcceleratorA(hwnd, hAccel, &msg)) {
      ++commands;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(commands, 1);
  EXPECT_EQ(g_seen, (std::vector<Sent>{{WM_COMMAND, MAKEWPARAM(303, 1), 0}}));

  // A posted message comes before WM_QUIT even when the quit was asked first.
  PostQuitMessage(7);
  PostMessageA(hwnd, WM_USER, 1, 2);
  ASSERT_TRUE(GetMessageA(&msg, NULL, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  EXPECT_EQ(msg.hwnd, hwnd);
  EXPECT_FALSE(GetMessageA(&msg, NULL, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  DestroyWindow(hwnd);
}

TEST(DesktopKernel, EventsAndWaits) {
  SetLastError(99);
  HANDLE a = CreateEventA(NULL, FALSE, FALSE, "ClientTestEvent");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(GetLastError(), 0u);
  HANDLE b = CreateEventA(NULL, FALSE, FALSE, "ClientTestEvent");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_NE(OpenEventA(EVENT_ALL_ACCESS, FALSE, "ClientTestEvent"), nullptr);
  EXPECT_EQ(OpenEventA(EVENT_ALL_ACCESS, FALSE, "NoSuchEvent"), nullptr);

  EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(SetEvent(b));  // the same event under another handle
  EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_TIMEOUT);  // auto-reset

  HANDLE both[] = {a, b};
  SetEvent(a);
  EXPECT_EQ(MsgWaitForMultipleObjects(2, both, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0);
  PostMessageA(NULL, WM_USER, 0, 0);
  EXPECT_EQ(MsgWaitForMultipleObjects(2, both, FALSE, INFINITE, QS_ALLINPUT), 2u);
  pump();
  EXPECT_EQ(MsgWaitForMultipleObjects(0, NULL, FALSE, 0, QS_ALLINPUT), WAIT_TIMEOUT);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, both, TRUE, 0, QS_ALLINPUT), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  EXPECT_TRUE(CloseHandle(a));
  EXPECT_TRUE(CloseHandle(b));
  EXPECT_FALSE(CloseHandle(a));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_FAILED);
}

TEST(DesktopKernel, ModulesVersionAndRecords) {
  EXPECT_EQ(GetVersion(), 0xC3B60004u);
  HMODULE user = GetModuleHandleA("user32.DLL");
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(GetModuleHandleA("USER32"), user);
  EXPECT_EQ(GetProcAddress(user, "RegisterClassExA"),
            reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&RegisterClassExA)));
  EXPECT_EQ(GetProcAddress(user, "NoSuchExport"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetModuleHandleA("ddraw.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

  proto::SetSettingsReq set;
  set.items = {"user32.RegisterClassExA=absent", "winhelp=fail"};
  EXPECT_EQ(call(set).error, "");
  EXPECT_EQ(GetProcAddress(user, "RegisterClassExA"), nullptr);
  EXPECT_FALSE(WinHelpA(NULL, "Ostik.HLP", HELP_KEY, reinterpret_cast<ULONG_PTR>("frame rate")));
  set.items = {"user32.RegisterClassExA=present", "winhelp=ok"};
  call(set);
  EXPECT_TRUE(WinHelpA(NULL, NULL, HELP_QUIT, 0));
  EXPECT_TRUE(MessageBeep(MB_ICONHAND));
  std::string log = query("log");
  EXPECT_NE(log.find("winhelp Ostik.HLP 00000101 \"frame rate\"\n"), std::string::npos) << log;
  EXPECT_NE(log.find("winhelp - 00000002 00000000\n"), std::string::npos) << log;
  EXPECT_NE(log.find("beep 00000010\n"), std::string::npos) << log;
}

TEST(DesktopResources, StringsMenusAndIcons) {
  char buf[8];
  EXPECT_EQ(LoadStringA(NULL, 17, buf, sizeof buf), 7);
  EXPECT_STREQ(buf, "sevente");  // cut to the buffer, terminated
  SetLastError(0);
  buf[0] = 'x';
  EXPECT_EQ(LoadStringA(GetModuleHandleA(NULL), 2, buf, sizeof buf), 0);
  EXPECT_EQ(buf[0], 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));

  HWND hwnd = make_window();
  ASSERT_NE(hwnd, nullptr);
  HMENU menu = LoadMenuA(GetModuleHandleA(NULL), "menutest");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(LoadMenuA(NULL, "NoMenu"), nullptr);
  ASSERT_TRUE(SetMenu(hwnd, menu));
  EXPECT_EQ(GetMenu(hwnd), menu);
  EXPECT_EQ(CheckMenuItem(menu, 101, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(menu, 999, MF_CHECKED), 0xFFFFFFFFu);
  HMENU file = GetSubMenu(menu, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(EnableMenuItem(file, 2, MF_BYPOSITION | MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(query("menu-state", hwnd),
            "101 checked=1 grayed=0 \"&Open\"\n102 checked=0 grayed=0 \"E&xit\"\n"
            "103 checked=1 grayed=0 \"&Help\"\n");
  DestroyWindow(hwnd);

  EXPECT_NE(LoadIconA(NULL, IDI_APPLICATION), nullptr);
  EXPECT_NE(LoadCursorA(NULL, IDC_ARROW), nullptr);
  EXPECT_EQ(LoadIconA(GetModuleHandleA(NULL), "NoIcon"), nullptr);
}

TEST(DesktopDrawing, TextOutAlignmentAndBadCalls) {
  HWND hwnd = make_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ASSERT_NE(hwnd, nullptr);
  pump();
  HDC hdc = GetDC(hwnd);
  ASSERT_NE(hdc, nullptr);
  EXPECT_EQ(SetTextAlign(hdc, TA_UPDATECP), 0u);
  EXPECT_TRUE(TextOutA(hdc, 99, 99, "ab", 2));
  EXPECT_TRUE(TextOutA(hdc, 99, 99, "cd", 2));
  EXPECT_EQ(SetTextAlign(hdc, TA_RIGHT | TA_BOTTOM), static_cast<UINT>(TA_UPDATECP));
  EXPECT_TRUE(TextOutA(hdc, 80, 48, "xyz", 3));
  EXPECT_FALSE(TextOutA(hdc, 0, 0, "x", -1));
  EXPECT_EQ(query("textout", hwnd), "0 0 ab\n0 16 cd\n32 56 xyz\n");
  EXPECT_EQ(query("screen", hwnd).substr(0, 5), "abcd\n");
  EXPECT_EQ(ReleaseDC(hwnd, hdc), 1);
  EXPECT_EQ(SetTextAlign(hdc, 0), GDI_ERROR);
  EXPECT_FALSE(TextOutA(hdc, 0, 0, "x", 1));

  HDC screen = GetDC(NULL);
  ASSERT_NE(screen, nullptr);
  EXPECT_TRUE(TextOutA(screen, 0, 0, "nowhere", 7));
  ReleaseDC(NULL, screen);
  DestroyWindow(hwnd);
}

// Another process's window: ShowWindow and SendMessageA are carried out by its owner.
TEST(DesktopProcesses, RemoteShowAndSend) {
  char self[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  ASSERT_GT(n, 0);
  std::string hello(self, static_cast<std::size_t>(n));
  hello = hello.substr(0, hello.rfind('/') + 1) + "hello_window";
  HANDLE ready = CreateEventA(NULL, TRUE, FALSE, "HelloReady");
  ASSERT_NE(ready, nullptr);
  proto::LaunchReq launch;
  launch.argv = {hello, "HelloReady"};
  launch.show = SW_SHOWNORMAL;
  auto pid = call(launch).pid;
  ASSERT_NE(pid, 0u);
  ASSERT_EQ(WaitForSingleObject(ready, 5000), WAIT_OBJECT_0);
  CloseHandle(ready);

  HWND other = FindWindowA("HELLO", "Hello Window");
  ASSERT_NE(other, nullptr);
  EXPECT_TRUE(ShowWindow(other, SW_MINIMIZE));
  EXPECT_TRUE(IsIconic(other));
  EXPECT_TRUE(ShowWindow(other, SW_RESTORE));
  EXPECT_FALSE(IsIconic(other));
  EXPECT_EQ(SendMessageA(other, WM_COMMAND, 100, 0), 0);
  EXPECT_FALSE(IsWindow(other));

  proto::WaitExitReq wait;
  wait.pid = pid;
  wait.timeoutMs = 5000;
  auto exited = call(wait);
  EXPECT_EQ(exited.known, 1u);
  EXPECT_EQ(exited.code, 3);
}

}  // namespace
