#include "gdi.h"

#include "handles.h"
#include "process.h"
#include "rpc.h"
#include "settings.h"
#include "wininfo.h"

namespace winsim::client {

TextPlacement place_text(UINT align, int x, int y, POINT cp, int len) {
  TextPlacement p;
  bool update = (align & TA_UPDATECP) != 0;
  int ox = update ? cp.x : x;
  int oy = update ? cp.y : y;
  int width = len * kCellWidth;
  UINT horz = align & TA_CENTER;
  int left = horz == TA_CENTER ? ox - width / 2 : horz == TA_RIGHT ? ox - width : ox;
  UINT vert = align & TA_BASELINE;
  int top = vert == TA_BASELINE ? oy - kBaseline : vert == TA_BOTTOM ? oy - kCellHeight : oy;
  p.x = left;
  p.y = top;
  p.cp = cp;
  if (update) {
    // The current position moves past the text, in the direction it was written from.
    if (horz == TA_RIGHT) p.cp.x = ox - width;
    else if (horz != TA_CENTER) p.cp.x = ox + width;
    p.cp.y = oy;
  }
  return p;
}

HDC new_dc(HWND hwnd) {
  Process &p = process();
  std::uintptr_t h = p.nextDc;
  p.nextDc += 0x10;
  p.dcs[h] = DeviceContext{hwnd, 0, POINT{0, 0}};
  return to_handle<HDC>(h);
}

bool release_dc(HDC hdc) { return process().dcs.erase(reinterpret_cast<std::uintptr_t>(hdc)) != 0; }

namespace {

DeviceContext *find_dc(HDC hdc) {
  auto &dcs = process().dcs;
  auto it = dcs.find(reinterpret_cast<std::uintptr_t>(hdc));
  return it == dcs.end() ? nullptr : &it->second;
}

constexpr std::uintptr_t kStockBase = 0x00580000;

}  // namespace
}  // namespace winsim::client

using namespace winsim::client;
using namespace winsim;

extern "C" {

HDC WINAPI GetDC(HWND hWnd) {
  if (!hWnd) {
    if (setting("screen-dc").value_or("ok") == "none") return nullptr;
    return new_dc(nullptr);
  }
  if (!window_info(hWnd)) return nullptr;
  return new_dc(hWnd);
}

int WINAPI ReleaseDC(HWND, HDC hDC) { return release_dc(hDC) ? 1 : 0; }

UINT WINAPI SetTextAlign(HDC hdc, UINT align) {
  DeviceContext *dc = find_dc(hdc);
  if (!dc) {
    set_error(ERROR_INVALID_HANDLE);
    return GDI_ERROR;
  }
  UINT prev = dc->align;
  dc->align = align;
  return prev;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
  DeviceContext *dc = find_dc(hdc);
  if (!dc || c < 0 || (c > 0 && !lpString)) {
    set_error(dc ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  TextPlacement at = place_text(dc->align, x, y, dc->cp, c);
  dc->cp = at.cp;
  if (!dc->hwnd) return TRUE;
  proto::TextOutReq req;
  req.hwnd = hval(dc->hwnd);
  req.x = at.x;
  req.y = at.y;
  req.text.assign(lpString ? lpString : "", static_cast<std::size_t>(c));
  return call_ok(req);
}

HGDIOBJ WINAPI GetStockObject(int i) {
  if (i < WHITE_BRUSH || i > DEFAULT_GUI_FONT || i == 9) return nullptr;
  return to_handle<HGDIOBJ>(kStockBase + static_cast<std::uintptr_t>(i));
}

}  // extern "C"
