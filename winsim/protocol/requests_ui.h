// Requests of dialogs, message boxes, menu tracking, fonts and the rest of the user interface.
// Same conventions as requests.h; this list is part of WINSIM_REQUESTS.
#pragma once

#include <cstdint>

// clang-format off
#define WINSIM_UI_REQUESTS(X) \
  /* A thread opens (open=1) or closes (open=0) a menu it tracks for window hwnd: the popup */ \
  /* at screen x/y, or the menu bar (bar=1). A choice the `menu` verb makes arrives as */ \
  /* kMsgMenuChoice posted to that thread. */ \
  X(MenuTrack,     IN(U32, hwnd) IN(U32, menu) IN(I32, x) IN(I32, y) IN(U32, bar) IN(U32, open)) \
  /* The `menu` verb: item id of the open popup of hwnd, else of its menu bar. error: why not. */ \
  X(MenuChoose,    IN(U32, hwnd) IN(U32, id) OUT(STR, error)) \
  /* The `click` and `nc-click` verbs. button 0 left, 1 right; area 0 the client area at x/y */ \
  /* (client coordinates), 1 the system-menu icon, 2 the caption. */ \
  X(MouseInput,    IN(U32, hwnd) IN(U32, button) IN(U32, area) IN(I32, x) IN(I32, y) \
                   OUT(STR, error)) \
  /* enable 0 disables, 1 enables, 2 only asks. disabled: the state before. */ \
  X(EnableWindow,  IN(U32, hwnd) IN(U32, enable) OUT(U32, disabled)) \
  X(GetForeground, OUT(U32, hwnd)) \
  /* A window of the caller moves or changes size. */ \
  X(MoveWindow,    IN(U32, hwnd) IN(I32, left) IN(I32, top) IN(I32, right) IN(I32, bottom)) \
  X(SetTitle,      IN(U32, hwnd) IN(STR, title)) \
  /* What `dialogs` shows of a dialog or message box of the caller (kind 0 dialog, 1 message */ \
  /* box), replaced whole at each change: per control its id (as a signed 16-bit value), */ \
  /* class, text, font height and flags ("default focus icon ..."). rects: four per control, */ \
  /* left top right bottom in pixels of the dialog's client area (signed values), or none. */ \
  X(DialogSet,     IN(U32, hwnd) IN(U32, owner) IN(U32, kind) IN(U32V, ids) IN(STRV, classes) \
                   IN(STRV, texts) IN(U32V, fonts) IN(STRV, flags) IN(U32V, rects)) \
  X(DialogGone,    IN(U32, hwnd)) \
  /* GDI objects, counted per process. */ \
  X(CreateFont,    IN(I32, height) IN(I32, width) IN(I32, weight) IN(U32, charset) \
                   IN(U32, pitch) IN(U32, italic) IN(STR, face) OUT(U32, handle)) \
  X(DeleteObject,  IN(U32, handle)) \
  /* Text for a listing verb of this area: what = dialogs|gdi|popups. */ \
  X(UiQuery,       IN(STR, what) OUT(STR, text))
// clang-format on

namespace winsim {

// Posted by the server to a thread tracking a menu for window hwnd: the user chose item wParam.
inline constexpr std::uint32_t kMsgMenuChoice = 0x7F02;

}  // namespace winsim
