// What this process's user interface keeps beyond windows: dialogs and their controls, the
// focus, window owners, fonts and global memory blocks.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace winsim::client {

struct Control {
  HWND hwnd = nullptr;
  int id = 0;
  std::string className;  // lower case: "button", "static" ...
  std::string text;
  DWORD style = 0;
  RECT rect{};  // in the dialog's client area
  HFONT font = nullptr;
};

struct Dialog {
  HWND hwnd = nullptr;
  HWND owner = nullptr;
  DLGPROC proc = nullptr;
  std::uint32_t kind = 0;  // 0 dialog, 1 message box
  bool ended = false;
  INT_PTR result = 0;
  HFONT font = nullptr;
  std::vector<Control> controls;
  HWND pressed = nullptr;  // the button the mouse went down on
};

struct GlobalBlock {
  std::unique_ptr<std::byte[]> bytes;
  std::size_t size = 0;
  bool fixed = false;
  unsigned locks = 0;
};

struct UiState {
  std::map<std::uint32_t, std::unique_ptr<Dialog>> dialogs;  // by dialog window
  std::map<std::uint32_t, HWND> controlDialog;               // control -> its dialog
  std::uint32_t nextControl = 0x00C00010;
  std::map<std::uint32_t, HWND> owners;  // GetWindow(GW_OWNER) of own windows
  HWND focus = nullptr;
  std::map<std::uintptr_t, int> fontHeights;  // fonts this process made
  std::map<std::uintptr_t, GlobalBlock> globals;
  std::uintptr_t nextGlobal = 0x00610010;
};

// The dialog a window or control belongs to; null when neither.
Dialog *dialog_of(HWND hwnd);
Control *control_of(HWND hwnd);
// Tells the desktop what the dialog now shows.
void publish_dialog(const Dialog &d);
// The height `dialogs` shows for a font handle.
int font_height(HFONT font);
// Creates and runs a modal dialog from a parsed template; the result of EndDialog, or -1.
struct DialogTemplate;
INT_PTR run_dialog(const DialogTemplate &t, HINSTANCE instance, HWND owner, DLGPROC proc,
                   LPARAM param, std::uint32_t kind);

// Pure: the hit-test code of screen point (x, y) for a window rectangle.
int hit_test(const RECT &window, bool hasMenu, DWORD style, int x, int y);
// The screen position of a window's client area.
POINT client_origin(const RECT &window, bool hasMenu);

// DefWindowProcA's share: WM_NCHITTEST, and the menu bar's loop for SC_MOUSEMENU.
LRESULT default_hit_test(HWND hwnd, LPARAM lParam);
void track_menu_bar(HWND hwnd);

}  // namespace winsim::client
