// Device contexts and where text lands.
#pragma once

#include <windows.h>

namespace winsim::client {

inline constexpr int kCellWidth = 8;
inline constexpr int kCellHeight = 16;
inline constexpr int kBaseline = 12;

struct TextPlacement {
  int x = 0;  // where the text's top-left corner goes
  int y = 0;
  POINT cp{0, 0};  // the current position afterwards
};

// TextOutA's position for `len` characters under the alignment `align`, given the point the
// caller named and the DC's current position.
TextPlacement place_text(UINT align, int x, int y, POINT cp, int len);

// A DC of a window (null: the screen). Released with release_dc.
HDC new_dc(HWND hwnd);
bool release_dc(HDC hdc);

}  // namespace winsim::client
