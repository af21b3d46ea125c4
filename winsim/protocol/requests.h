// The one table of requests between a desktop's clients and its server.
//
// Every request is a record of IN fields; every reply a status (0, or a Win32 error code as
// GetLastError would give it) followed by the OUT fields. The structs, the codec, the server's
// dispatch and the trace are all generated from this table.
//
// Field types: U32, I32, U64 (integers, little-endian on the wire), STR (bytes with a length),
// U32V (a list of U32), STRV (a list of STR).
//
// "Held" requests are answered only once their condition holds. Every held request made by a
// process thread is also answered early, with sent=1, when a message sent by another thread
// arrives for the caller: the client then takes it with ReceiveSent, runs the window procedure,
// answers with ReplySent, and repeats the held request.
#pragma once

// clang-format off
#define WINSIM_CORE_REQUESTS(X) \
  /* ---- connection ---- */ \
  /* role 0: a thread of a desktop process; role 1: the winsim command. pid: the peer's pid. */ \
  X(Hello,         IN(U32, role) OUT(U32, pid)) \
  /* A process announces the exit code WinMain gave; the server marks it ending. */ \
  X(Exit,          IN(I32, code)) \
  /* Desktop and adapter settings, by key ("version", "user32.RegisterClassExA" ...). */ \
  X(GetSetting,    IN(STR, key) OUT(STR, value)) \
  /* One line for the record that `winsim log` prints ("winhelp ...", "beep ..."). */ \
  X(Record,        IN(STR, line)) \
  \
  /* ---- the winsim command ---- */ \
  /* Start argv as a process of the desktop; show < 0: no show state given. */ \
  X(Launch,        IN(STRV, argv) IN(I32, show) OUT(U32, pid)) \
  /* Held until every process is ended or blocked in an unsatisfiable wait. ERROR_TIMEOUT. */ \
  X(WaitIdle,      IN(U32, timeoutMs)) \
  /* Held until pid has ended. known=0 when its exit code could not be learnt. */ \
  X(WaitExit,      IN(U32, pid) IN(U32, timeoutMs) OUT(I32, code) OUT(U32, known)) \
  /* Text for a listing verb: what = ps|windows|textout|screen|show|log|menu-state|scene, arg = hwnd. */ \
  X(Query,         IN(STR, what) IN(U32, hwnd) OUT(STR, text)) \
  /* "KEY=VALUE" items; all are checked before any is applied. error: what was refused. */ \
  X(SetSettings,   IN(STRV, items) OUT(STR, error)) \
  /* A WINDOW argument: a title, or a handle as `windows` prints it. */ \
  X(ResolveWindow, IN(STR, name) OUT(U32, hwnd)) \
  /* Keyboard input to the window's thread: key down and up of vk, with modifiers (MOD_*). */ \
  X(KeyInput,      IN(U32, hwnd) IN(U32, vk) IN(U32, chr) IN(U32, mods)) \
  X(Stop,          IN(U32, unused)) \
  \
  /* ---- windows ---- */ \
  /* x/y/cx/cy as given to CreateWindowExA (CW_USEDEFAULT resolved by the server). */ \
  X(CreateWindow,  IN(STR, className) IN(STR, title) IN(U32, style) IN(U32, exStyle) \
                   IN(I32, x) IN(I32, y) IN(I32, cx) IN(I32, cy) IN(U32, parent) IN(U32, menu) \
                   OUT(U32, hwnd)) \
  X(DestroyWindow, IN(U32, hwnd)) \
  /* A process registered a window class (for the `classes` listing): extended 1 when through */ \
  /* RegisterClassExA; menu: the menu name, "#N" for a number, empty for none. */ \
  X(ClassRegistered, IN(STR, className) IN(STR, menu) IN(U32, style) IN(U32, icon) \
                   IN(U32, smallIcon) IN(U32, extended)) \
  /* owner: the pid of the owning process; mine: owned by the calling thread. */ \
  X(GetWindowInfo, IN(U32, hwnd) OUT(U32, owner) OUT(U32, mine) OUT(U32, visible) \
                   OUT(U32, iconic) OUT(U32, style) OUT(I32, left) OUT(I32, top) \
                   OUT(I32, right) OUT(I32, bottom) OUT(I32, clientWidth) \
                   OUT(I32, clientHeight) OUT(U32, menu) OUT(STR, className) OUT(STR, title)) \
  /* Only for a window of the caller. activate: 0 leave, 1 make foreground, 2 give it up. */ \
  /* Becoming visible or leaving iconic invalidates the client area (erase); hiding or */ \
  /* minimising clears what it shows. */ \
  X(SetWindowState, IN(U32, hwnd) IN(U32, visible) IN(U32, iconic) IN(U32, activate)) \
  X(FindWindow,    IN(U32, byClass) IN(STR, className) IN(U32, byTitle) IN(STR, title) \
                   OUT(U32, hwnd)) \
  X(SetForeground, IN(U32, hwnd)) \
  X(SetMenu,       IN(U32, hwnd) IN(U32, menu)) \
  \
  /* ---- messages ---- */ \
  /* hwnd 0: the caller's own thread queue. */ \
  X(Post,          IN(U32, hwnd) IN(U32, msg) IN(U64, wParam) IN(U64, lParam)) \
  /* count copies of one message queued in one step (the `post --count` verb). */ \
  X(PostBatch,     IN(U32, hwnd) IN(U32, msg) IN(U64, wParam) IN(U64, lParam) IN(U32, count)) \
  X(PostQuit,      IN(I32, code)) \
  /* To a window of another thread (a thread never sends to itself through the server). */ \
  X(Send,          IN(U32, hwnd) IN(U32, msg) IN(U64, wParam) IN(U64, lParam) OUT(U32, id)) \
  /* Held until the send `id` is answered (result) or the receiver is gone (error). */ \
  X(WaitReply,     IN(U32, id) OUT(U32, sent) OUT(U64, result)) \
  /* The oldest message sent to the caller; ERROR_NOT_FOUND when none. */ \
  X(ReceiveSent,   OUT(U32, id) OUT(U32, hwnd) OUT(U32, msg) OUT(U64, wParam) OUT(U64, lParam)) \
  X(ReplySent,     IN(U32, id) IN(U64, result)) \
  /* PeekMessage: posted first, then input, then WM_PAINT, then WM_QUIT once nothing is posted. */ \
  /* Marks the queue's input seen. mKeys: modifiers (kMod*) held when the message was made; */ \
  /* mChar: for key input, the character the key gives (0 for none), for TranslateMessage. */ \
  X(Peek,          IN(U32, hwnd) IN(U32, msgMin) IN(U32, msgMax) IN(U32, remove) \
                   OUT(U32, sent) OUT(U32, got) OUT(U32, mHwnd) OUT(U32, mMsg) \
                   OUT(U64, mWParam) OUT(U64, mLParam) OUT(U32, mTime) OUT(I32, mX) \
                   OUT(I32, mY) OUT(U32, mKeys) OUT(U32, mChar)) \
  /* GetMessage: Peek with PM_REMOVE, held until there is a message. */ \
  X(Get,           IN(U32, hwnd) IN(U32, msgMin) IN(U32, msgMax) \
                   OUT(U32, sent) OUT(U32, got) OUT(U32, mHwnd) OUT(U32, mMsg) \
                   OUT(U64, mWParam) OUT(U64, mLParam) OUT(U32, mTime) OUT(I32, mX) \
                   OUT(I32, mY) OUT(U32, mKeys) OUT(U32, mChar)) \
  /* Held until input arrives that is new since the queue was last looked at. */ \
  X(WaitMessage,   OUT(U32, sent)) \
  /* GetQueueStatus: high word what is queued, low word what is new; clears the new bits. */ \
  X(QueueStatus,   IN(U32, flags) OUT(U32, status)) \
  /* MsgWaitForMultipleObjects (waitAll 0 only): index of the first signalled handle, which */ \
  /* an auto-reset event gives up; handles.size() for new input in mask; WAIT_TIMEOUT; */ \
  /* WAIT_FAILED with the error as status. timeoutMs 0xFFFFFFFF is INFINITE. */ \
  X(MsgWait,       IN(U32V, handles) IN(U32, timeoutMs) IN(U32, mask) \
                   OUT(U32, sent) OUT(U32, result)) \
  X(WaitSingle,    IN(U32, handle) IN(U32, timeoutMs) OUT(U32, sent) OUT(U32, result)) \
  \
  /* ---- painting and drawing ---- */ \
  /* Validates the client area; erase: it still has to be erased. */ \
  X(BeginPaint,    IN(U32, hwnd) OUT(U32, erase)) \
  X(Invalidate,    IN(U32, hwnd) IN(U32, erase)) \
  X(GetUpdate,     IN(U32, hwnd) OUT(U32, invalid)) \
  /* Paint the client area with the class background: what it showed is gone. */ \
  X(EraseClient,   IN(U32, hwnd)) \
  /* Text at client coordinates, 8 x 16 cells, opaque background. */ \
  X(TextOut,       IN(U32, hwnd) IN(I32, x) IN(I32, y) IN(STR, text)) \
  \
  /* ---- kernel objects ---- */ \
  /* existed: a named event of that name was already there (ERROR_ALREADY_EXISTS). */ \
  X(CreateEvent,   IN(STR, name) IN(U32, manualReset) IN(U32, initialState) \
                   OUT(U32, handle) OUT(U32, existed)) \
  X(OpenEvent,     IN(STR, name) OUT(U32, handle)) \
  /* op: 0 set, 1 reset, 2 pulse. */ \
  X(EventOp,       IN(U32, handle) IN(U32, op)) \
  X(CloseHandle,   IN(U32, handle)) \
  \
  /* ---- menus ---- */ \
  /* A menu from its serialized items (see menu_format.h); popups become menus of their own. */ \
  X(CreateMenu,    IN(STR, items) OUT(U32, menu)) \
  X(GetSubMenu,    IN(U32, menu) IN(I32, pos) OUT(U32, sub)) \
  /* CheckMenuItem / EnableMenuItem: item by id or position (MF_BYPOSITION); prev: the old */ \
  /* state, or 0xFFFFFFFF when there is no such item. */ \
  X(CheckMenuItem, IN(U32, menu) IN(U32, item) IN(U32, flags) OUT(U32, prev)) \
  X(EnableMenuItem, IN(U32, menu) IN(U32, item) IN(U32, flags) OUT(U32, prev))
// clang-format on

// The table is split by area, one header each, so that each area's requests stand together.
#include "requests_adapter.h"
#include "requests_ui.h"
#include "requests_ddraw.h"

#define WINSIM_REQUESTS(X) \
  WINSIM_CORE_REQUESTS(X) WINSIM_ADAPTER_REQUESTS(X) WINSIM_UI_REQUESTS(X) WINSIM_DDRAW_REQUESTS(X)
