// Posting, sending, retrieving and dispatching messages.
#include <windows.h>

#include "common.h"
#include "handles.h"
#include "process.h"
#include "rpc.h"
#include "wininfo.h"

namespace winsim::client {
namespace {

bool is_input(UINT msg) {
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST);
}

template <class Rep>
void fill_msg(const Rep &rep, LPMSG msg, bool removed) {
  MSG m{};
  m.hwnd = to_handle<HWND>(rep.mHwnd);
  m.message = rep.mMsg;
  m.wParam = static_cast<WPARAM>(rep.mWParam);
  m.lParam = static_cast<LPARAM>(rep.mLParam);
  m.time = rep.mTime;
  m.pt = POINT{rep.mX, rep.mY};
  if (msg) *msg = m;
  // The key state changes as input is taken from the queue.
  if (removed && is_input(m.message)) {
    InputState &in = process().input;
    in.keys = rep.mKeys;
    in.hwnd = m.hwnd;
    in.message = m.message;
    in.wParam = m.wParam;
    in.lParam = m.lParam;
    in.chr = rep.mChar;
  }
}

}  // namespace

LRESULT send_message(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (WNDPROC proc = own_proc(hwnd)) return proc(hwnd, msg, wParam, lParam);
  proto::SendReq req;
  req.hwnd = hval(hwnd);
  req.msg = msg;
  req.wParam = wParam;
  req.lParam = static_cast<std::uint64_t>(lParam);
  std::uint32_t status = 0;
  auto sent = call(req, status);
  if (status) {
    set_error(status);
    return 0;
  }
  proto::WaitReplyReq wait;
  wait.id = sent.id;
  auto rep = call_held(wait, status);
  if (status) {
    set_error(status);
    return 0;
  }
  return static_cast<LRESULT>(rep.result);
}

bool next_modal_message(MSG &msg) {
  BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
  return got > 0;
}

void run_sent_messages() {
  for (;;) {
    std::uint32_t status = 0;
    auto msg = call(proto::ReceiveSentReq{}, status);
    if (status) return;
    HWND hwnd = to_handle<HWND>(msg.hwnd);
    LRESULT result = 0;
    if (msg.msg == kMsgRemoteShowWindow) {
      if (is_own(hwnd)) result = ShowWindow(hwnd, static_cast<int>(msg.wParam));
    } else if (WNDPROC proc = own_proc(hwnd)) {
      result = proc(hwnd, msg.msg, static_cast<WPARAM>(msg.wParam), static_cast<LPARAM>(msg.lParam));
    }
    proto::ReplySentReq reply;
    reply.id = msg.id;
    reply.result = static_cast<std::uint64_t>(result);
    call(reply);
  }
}

}  // namespace winsim::client

using namespace winsim::client;
using namespace winsim;

extern "C" {

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  proto::PostReq req;
  req.hwnd = hval(hWnd);
  req.msg = Msg;
  req.wParam = wParam;
  req.lParam = static_cast<std::uint64_t>(lParam);
  return call_ok(req);
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return send_message(hWnd, Msg, wParam, lParam);
}

void WINAPI PostQuitMessage(int nExitCode) {
  proto::PostQuitReq req;
  req.code = nExitCode;
  call(req);
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
  proto::PeekReq req;
  req.hwnd = hval(hWnd);
  req.msgMin = wMsgFilterMin;
  req.msgMax = wMsgFilterMax;
  req.remove = (wRemoveMsg & PM_REMOVE) ? 1 : 0;
  std::uint32_t status = 0;
  auto rep = call_held(req, status);
  if (status) {
    set_error(status);
    return FALSE;
  }
  if (!rep.got) return FALSE;
  fill_msg(rep, lpMsg, req.remove != 0);
  return TRUE;
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  proto::GetReq req;
  req.hwnd = hval(hWnd);
  req.msgMin = wMsgFilterMin;
  req.msgMax = wMsgFilterMax;
  std::uint32_t status = 0;
  auto rep = call_held(req, status);
  if (status || !rep.got) {
    set_error(status ? status : ERROR_INVALID_PARAMETER);
    return -1;
  }
  fill_msg(rep, lpMsg, true);
  return rep.mMsg == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI WaitMessage(void) {
  std::uint32_t status = 0;
  call_held(proto::WaitMessageReq{}, status);
  if (status) set_error(status);
  return status == 0;
}

DWORD WINAPI GetQueueStatus(UINT flags) {
  proto::QueueStatusReq req;
  req.flags = flags;
  return call(req).status;
}

BOOL WINAPI TranslateMessage(const MSG *lpMsg) {
  if (!lpMsg || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN)) return FALSE;
  const InputState &in = process().input;
  if (!in.chr || in.hwnd != lpMsg->hwnd || in.message != lpMsg->message ||
      in.wParam != lpMsg->wParam || in.lParam != lpMsg->lParam)
    return FALSE;
  UINT charMsg = lpMsg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  return PostMessageA(lpMsg->hwnd, charMsg, in.chr, lpMsg->lParam);
}

LRESULT WINAPI DispatchMessageA(const MSG *lpMsg) {
  if (!lpMsg) return 0;
  WNDPROC proc = own_proc(lpMsg->hwnd);
  return proc ? proc(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam) : 0;
}

SHORT WINAPI GetKeyState(int nVirtKey) {
  std::uint32_t bit = 0;
  switch (nVirtKey) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: bit = kModShift; break;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: bit = kModCtrl; break;
    case VK_MENU: case VK_LMENU: case VK_RMENU: bit = kModAlt; break;
    default: return 0;
  }
  return (process().input.keys & bit) ? static_cast<SHORT>(-0x8000) : 0;
}

}  // extern "C"
