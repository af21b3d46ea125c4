// Message boxes: a small modal dialog built in memory, centred over its owner.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dlgtemplate.h"
#include "process.h"

namespace winsim::client {
namespace {

constexpr std::uint16_t kIconId = 20;
constexpr std::uint16_t kTextId = 0xFFFF;
constexpr int kMargin = 6;  // dialog units
constexpr int kButtonWidth = 40, kButtonHeight = 14, kButtonGap = 4, kIconSize = 16;

struct Button {
  int id;
  const char *text;
};

std::vector<Button> buttons_of(UINT type) {
  switch (type & 0xF) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default: return {{IDOK, "OK"}};
  }
}

const char *icon_of(UINT type) {
  switch (type & 0xF0) {
    case MB_ICONHAND: return "#32513";
    case MB_ICONQUESTION: return "#32514";
    case MB_ICONEXCLAMATION: return "#32515";
    case MB_ICONASTERISK: return "#32516";
    default: return nullptr;
  }
}

INT_PTR CALLBACK message_box_proc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg != WM_COMMAND) return FALSE;
  int id = LOWORD(wParam);
  // Escape and the close box are Cancel, or OK for a box whose only button is OK.
  if (id == IDCANCEL && !GetDlgItem(hDlg, IDCANCEL)) {
    if (!GetDlgItem(hDlg, IDOK) || GetDlgItem(hDlg, IDNO) || GetDlgItem(hDlg, IDRETRY)) return TRUE;
    id = IDOK;
  }
  if (GetDlgItem(hDlg, id)) EndDialog(hDlg, id);
  return TRUE;
}

DialogTemplate message_box_template(const std::string &text, const std::string &caption, UINT type) {
  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  t.title = caption;
  std::size_t lines = 1, widest = 0, run = 0;
  for (char c : text) {
    if (c == '\n') {
      ++lines;
      run = 0;
    } else {
      widest = std::max(widest, ++run);
    }
  }
  const char *icon = icon_of(type);
  int textX = kMargin + (icon ? kIconSize + kMargin : 0);
  int textW = static_cast<int>(widest) * 4, textH = static_cast<int>(lines) * 8;
  int content = std::max(icon ? kIconSize : 0, textH);
  std::vector<Button> buttons = buttons_of(type);
  int count = static_cast<int>(buttons.size());
  int rowW = count * kButtonWidth + (count - 1) * kButtonGap;
  t.cx = static_cast<std::int16_t>(std::min(std::max({textX + textW + kMargin, rowW + 2 * kMargin,
                                                      static_cast<int>(caption.size()) * 4 + 24}), 390));
  t.cy = static_cast<std::int16_t>(kMargin + content + kMargin + kButtonHeight + kMargin);
  if (icon)
    t.items.push_back({WS_CHILD | WS_VISIBLE | SS_ICON, 0, kMargin, kMargin, kIconSize, kIconSize,
                       kIconId, "static", icon});
  t.items.push_back({WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, static_cast<std::int16_t>(textX),
                     static_cast<std::int16_t>(kMargin + (content - textH) / 2),
                     static_cast<std::int16_t>(textW), static_cast<std::int16_t>(textH), kTextId,
                     "static", text});
  int defIndex = std::min(static_cast<int>((type >> 8) & 0xF), count - 1);
  int x = (t.cx - rowW) / 2;
  for (int i = 0; i < count; ++i) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == defIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    if (i == 0) style |= WS_GROUP;
    t.items.push_back({style, 0, static_cast<std::int16_t>(x + i * (kButtonWidth + kButtonGap)),
                       static_cast<std::int16_t>(kMargin + content + kMargin), kButtonWidth,
                       kButtonHeight, static_cast<std::uint16_t>(buttons[i].id), "button",
                       buttons[i].text});
  }
  return t;
}

}  // namespace
}  // namespace winsim::client

using namespace winsim::client;

extern "C" int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  DialogTemplate t = message_box_template(lpText ? lpText : "", lpCaption ? lpCaption : "Error", uType);
  INT_PTR result = run_dialog(t, nullptr, hWnd, message_box_proc, 0, 1);
  return result < 0 ? 0 : static_cast<int>(result);
}
