// The dialog manager: modal dialogs from templates, their controls, keys and clicks.
#include <windows.h>

#include <algorithm>

#include "../server/metrics.h"
#include "dlgtemplate.h"
#include "handles.h"
#include "process.h"
#include "rpc.h"
#include "wininfo.h"

namespace winsim::client {
namespace {

constexpr std::uint32_t kMessageBox = 1;

bool is_push_button(const Control &c) {
  DWORD type = c.style & BS_TYPEMASK;
  return c.className == "button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

const char *system_icon_name(const std::string &text) {
  if (text == "#32513") return "hand";
  if (text == "#32514") return "question";
  if (text == "#32515") return "exclamation";
  if (text == "#32516") return "asterisk";
  return nullptr;
}

std::string control_flags(const Dialog &d, const Control &c) {
  std::string flags;
  auto add = [&flags](const std::string &f) { flags += (flags.empty() ? "" : " ") + f; };
  if (c.className == "button" && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) add("default");
  if (c.className == "static") {
    DWORD type = c.style & SS_TYPEMASK;
    if (type == SS_ICON) {
      const char *name = d.kind == kMessageBox ? system_icon_name(c.text) : nullptr;
      add(name ? std::string("icon=") + name : "icon");
    }
    if (type == SS_BLACKRECT) add("blackrect");
    if (type == SS_RIGHT) add("right");
    if (type == SS_CENTER) add("center");
  }
  if (process().ui.focus == c.hwnd) add("focus");
  return flags;
}

LRESULT CALLBACK control_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Control *c = control_of(hwnd);
  if (!c) return 0;
  switch (msg) {
    case WM_SETTEXT:
      c->text = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
      publish_dialog(*dialog_of(hwnd));
      return TRUE;
    case WM_GETTEXT: {
      if (wParam == 0 || !lParam) return 0;
      auto *out = reinterpret_cast<LPSTR>(lParam);
      std::size_t n = std::min(c->text.size(), static_cast<std::size_t>(wParam - 1));
      c->text.copy(out, n);
      out[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(c->text.size());
    case WM_SETFONT:
      c->font = reinterpret_cast<HFONT>(wParam);
      publish_dialog(*dialog_of(hwnd));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(c->font);
    default:
      return 0;
  }
}

LRESULT CALLBACK dialog_window_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Dialog *d = dialog_of(hwnd);
  if (d && d->proc) {
    if (INT_PTR handled = d->proc(hwnd, msg, wParam, lParam)) return handled;
  }
  switch (msg) {
    case WM_INITDIALOG:
      return 0;
    case WM_CLOSE:
      // The close box and Alt+F4 are Cancel.
      SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDCANCEL)));
      return 0;
    case WM_SETFONT:
      if (d) d->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return d ? reinterpret_cast<LRESULT>(d->font) : 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

// The id Enter gives: the focused push button, else the default one, else IDOK.
int enter_command(const Dialog &d) {
  for (const Control &c : d.controls)
    if (c.hwnd == process().ui.focus && is_push_button(c)) return c.id;
  for (const Control &c : d.controls)
    if (c.className == "button" && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return c.id;
  return IDOK;
}

void command(Dialog &d, int id, HWND control) {
  SendMessageA(d.hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

HWND button_at(const Dialog &d, LPARAM lParam) {
  int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  for (const Control &c : d.controls)
    if (c.className == "button" && x >= c.rect.left && x < c.rect.right && y >= c.rect.top &&
        y < c.rect.bottom)
      return c.hwnd;
  return nullptr;
}

// What the dialog manager does with a message before anyone else; true when it took it.
bool dialog_message(Dialog &d, const MSG &msg) {
  if (!is_user_input(msg.message)) return false;
  bool mine = msg.hwnd == d.hwnd || dialog_of(msg.hwnd) == &d;
  if (!mine) return !IsWindowEnabled(msg.hwnd);  // input to a disabled window is lost
  switch (msg.message) {
    case WM_KEYDOWN:
      if (msg.wParam == VK_RETURN) command(d, enter_command(d), GetDlgItem(d.hwnd, enter_command(d)));
      else if (msg.wParam == VK_ESCAPE) command(d, IDCANCEL, GetDlgItem(d.hwnd, IDCANCEL));
      return true;
    case WM_KEYUP:
    case WM_CHAR:
      return true;
    case WM_LBUTTONDOWN:
      d.pressed = button_at(d, msg.lParam);
      return true;
    case WM_LBUTTONUP: {
      HWND pressed = d.pressed;
      d.pressed = nullptr;
      if (pressed && button_at(d, msg.lParam) == pressed) command(d, control_of(pressed)->id, pressed);
      return true;
    }
    default:
      return msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
  }
}

RECT work_area() {
  RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

// The window rectangle of a dialog: at the template's place, or centred with DS_CENTER.
RECT dialog_rect(const DialogTemplate &t, HWND owner) {
  int cx = du_to_x(t.cx) + 2 * metrics::kFrame;
  int cy = du_to_y(t.cy) + 2 * metrics::kFrame + metrics::kCaption;
  RECT area = work_area();
  int x = du_to_x(t.x), y = du_to_y(t.y);
  RECT ownerRect{};
  bool hasOwner = owner && GetWindowRect(owner, &ownerRect);
  if (t.style & DS_CENTER) {
    RECT around = hasOwner ? ownerRect : area;
    x = around.left + ((around.right - around.left) - cx) / 2;
    y = around.top + ((around.bottom - around.top) - cy) / 2;
    x = std::max<int>(area.left, std::min<int>(x, area.right - cx));
    y = std::max<int>(area.top, std::min<int>(y, area.bottom - cy));
  } else if (hasOwner && !(t.style & DS_ABSALIGN)) {
    POINT o{0, 0};
    ClientToScreen(owner, &o);
    x += o.x;
    y += o.y;
  }
  return RECT{x, y, x + cx, y + cy};
}

HWND create_dialog_window(const DialogTemplate &t, HWND owner) {
  RECT r = dialog_rect(t, owner);
  proto::CreateWindowReq req;
  req.className = "#32770";
  req.title = t.title;
  req.style = t.style & ~static_cast<DWORD>(WS_VISIBLE);
  req.exStyle = t.exStyle;
  req.x = r.left;
  req.y = r.top;
  req.cx = r.right - r.left;
  req.cy = r.bottom - r.top;
  req.parent = hval(owner);
  return create_own_window(req, OwnWindow{dialog_window_proc, nullptr, false});
}

void add_controls(Dialog &d, const DialogTemplate &t) {
  UiState &ui = process().ui;
  for (const DialogItemTemplate &item : t.items) {
    Control c;
    std::uint32_t handle = ui.nextControl;
    ui.nextControl += 4;
    c.hwnd = to_handle<HWND>(handle);
    c.id = static_cast<std::int16_t>(item.id);
    c.className = item.className;
    c.text = item.text;
    c.style = item.style;
    c.rect = RECT{du_to_x(item.x), du_to_y(item.y), du_to_x(item.x + item.cx), du_to_y(item.y + item.cy)};
    c.font = d.font;
    process().windows[handle] = OwnWindow{control_proc, nullptr, false};
    ui.controlDialog[handle] = d.hwnd;
    d.controls.push_back(std::move(c));
  }
}

void remove_dialog(Dialog &d) {
  UiState &ui = process().ui;
  for (const Control &c : d.controls) {
    process().windows.erase(hval(c.hwnd));
    ui.controlDialog.erase(hval(c.hwnd));
    if (ui.focus == c.hwnd) ui.focus = nullptr;
  }
  ui.owners.erase(hval(d.hwnd));
}

void modal_loop(Dialog &d) {
  while (!d.ended) {
    MSG msg;
    if (!next_modal_message(msg)) break;
    if (dialog_message(d, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

Dialog *dialog_of(HWND hwnd) {
  UiState &ui = process().ui;
  auto c = ui.controlDialog.find(hval(hwnd));
  std::uint32_t key = c == ui.controlDialog.end() ? hval(hwnd) : hval(c->second);
  auto it = ui.dialogs.find(key);
  return it == ui.dialogs.end() ? nullptr : it->second.get();
}

Control *control_of(HWND hwnd) {
  if (!hwnd || !process().ui.controlDialog.count(hval(hwnd))) return nullptr;
  Dialog *d = dialog_of(hwnd);
  if (!d) return nullptr;
  for (Control &c : d->controls)
    if (c.hwnd == hwnd) return &c;
  return nullptr;
}

void publish_dialog(const Dialog &d) {
  proto::DialogSetReq req;
  req.hwnd = hval(d.hwnd);
  req.owner = hval(d.owner);
  req.kind = d.kind;
  for (const Control &c : d.controls) {
    req.ids.push_back(static_cast<std::uint32_t>(c.id) & 0xFFFF);
    req.classes.push_back(c.className);
    req.texts.push_back(c.text);
    req.fonts.push_back(static_cast<std::uint32_t>(font_height(c.font)));
    req.flags.push_back(control_flags(d, c));
    for (LONG v : {c.rect.left, c.rect.top, c.rect.right, c.rect.bottom}) req.rects.push_back(static_cast<std::uint32_t>(v));
  }
  call(req);
}

INT_PTR run_dialog(const DialogTemplate &t, HINSTANCE, HWND owner, DLGPROC proc, LPARAM param,
                   std::uint32_t kind) {
  UiState &ui = process().ui;
  HWND hwnd = create_dialog_window(t, owner);
  if (!hwnd) return -1;
  auto owned = std::make_unique<Dialog>();
  Dialog &d = *owned;
  d.hwnd = hwnd;
  d.owner = owner;
  d.proc = proc;
  d.kind = kind;
  // "System" is the system font itself; other faces are not kept apart.
  d.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  ui.dialogs[hval(hwnd)] = std::move(owned);
  ui.owners[hval(hwnd)] = owner;
  add_controls(d, t);
  // A message box's icon is the system's, named by its ordinal.
  for (Control &c : d.controls)
    if (kind == kMessageBox && c.className == "static" && (c.style & SS_TYPEMASK) == SS_ICON &&
        !system_icon_name(c.text))
      c.text.clear();

  HWND savedFocus = ui.focus;
  bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  publish_dialog(d);

  HWND first = nullptr;
  for (const Control &c : d.controls)
    if ((c.style & WS_TABSTOP) && !(c.style & WS_DISABLED)) {
      first = c.hwnd;
      break;
    }
  if (proc && proc(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && first) SetFocus(first);
  // A modal dialog shows itself if its procedure has not.
  if (!d.ended && !IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_SHOW);
  publish_dialog(d);

  modal_loop(d);

  INT_PTR result = d.result;
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  proto::DialogGoneReq gone;
  gone.hwnd = hval(hwnd);
  call(gone);
  remove_dialog(d);
  DestroyWindow(hwnd);
  ui.dialogs.erase(hval(hwnd));
  ui.focus = savedFocus;
  if (owner && IsWindowVisible(owner)) SetForegroundWindow(owner);
  return result;
}

}  // namespace winsim::client

using namespace winsim::client;
using namespace winsim;

extern "C" {

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  const auto *entries = module_resources(hInstance);
  if (!entries || !lpTemplateName) return -1;
  const res::Entry *e = res::find(*entries, res::id_name(5), res_name(lpTemplateName));
  if (!e) {
    set_error(ERROR_RESOURCE_NAME_NOT_FOUND);
    return -1;
  }
  auto t = parse_dialog_template(e->data);
  if (!t) {
    set_error(ERROR_RESOURCE_DATA_NOT_FOUND);
    return -1;
  }
  return run_dialog(*t, hInstance, hWndParent, lpDialogFunc, dwInitParam, 0);
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
  auto &dialogs = process().ui.dialogs;
  auto it = dialogs.find(hval(hDlg));
  if (it == dialogs.end()) {
    set_error(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  it->second->ended = true;
  it->second->result = nResult;
  return TRUE;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
  auto &dialogs = process().ui.dialogs;
  auto it = dialogs.find(hval(hDlg));
  if (it != dialogs.end()) {
    for (const Control &c : it->second->controls)
      if (c.id == static_cast<std::int16_t>(nIDDlgItem)) return c.hwnd;
  }
  set_error(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
  if (!lpString || cchMax <= 0) return 0;
  lpString[0] = 0;
  HWND ctl = GetDlgItem(hDlg, nIDDlgItem);
  if (!ctl) return 0;
  return static_cast<UINT>(SendMessageA(ctl, WM_GETTEXT, static_cast<WPARAM>(cchMax),
                                        reinterpret_cast<LPARAM>(lpString)));
}

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
  HWND ctl = GetDlgItem(hDlg, nIDDlgItem);
  if (!ctl) return FALSE;
  return SendMessageA(ctl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) ? TRUE : FALSE;
}

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
  HWND ctl = GetDlgItem(hDlg, nIDDlgItem);
  return ctl ? SendMessageA(ctl, Msg, wParam, lParam) : 0;
}

}  // extern "C"
