// What the desktop keeps of the user interface beyond windows and menus: menus being tracked,
// disabled windows, open dialogs as their threads describe them, and GDI objects per process.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "window.h"

namespace winsim::server {

struct TrackedMenu {
  ConnId conn = 0;  // the tracking thread
  std::uint32_t menu = 0;
  std::int32_t x = 0, y = 0;
  bool bar = false;
};

struct DialogControl {
  std::int32_t id = 0;
  std::string className, text, flags;
  std::uint32_t font = 0;  // height
  bool placed = false;      // whether the client gave the rectangle below
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;  // in the dialog's client area
};

struct DialogRecord {
  ConnId conn = 0;
  std::uint32_t owner = 0;
  std::uint32_t kind = 0;  // 0 dialog, 1 message box
  std::vector<DialogControl> controls;
};

struct Font {
  std::uint32_t pid = 0;
  std::uint64_t process = 0;  // process key
  std::int32_t height = 0, width = 0, weight = 0;
  std::uint32_t charset = 0, pitch = 0, italic = 0;
  std::string face;
};

struct GdiCounts {
  std::uint32_t created = 0, deleted = 0, refused = 0;
};

struct UiState {
  std::map<std::uint32_t, TrackedMenu> tracked;       // by owner window
  std::map<std::uint32_t, std::uint32_t> pendingBar;  // window -> item chosen on its bar
  std::set<std::uint32_t> disabled;
  std::map<std::uint32_t, DialogRecord> dialogs;      // by dialog window, oldest first
  std::map<std::uint32_t, Font> fonts;                // live fonts by handle
  std::map<std::uint32_t, GdiCounts> gdi;             // by pid, in pid order
  std::uint32_t nextGdi = 0x00F00010;
};

// Points a user would click, in screen coordinates, for a window's rectangle.
struct ScreenPoint {
  std::int32_t x = 0, y = 0;
};
ScreenPoint system_menu_point(const Rect &r);
ScreenPoint caption_point(const Rect &r);
ScreenPoint menu_bar_point(const Rect &r);
ScreenPoint client_origin(const Rect &r, bool hasMenu);

}  // namespace winsim::server
