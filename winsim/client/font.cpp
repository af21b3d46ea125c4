// Fonts: made and deleted on the desktop, which counts each process's live GDI objects.
#include <windows.h>

#include "handles.h"
#include "process.h"
#include "rpc.h"

namespace winsim::client {

int font_height(HFONT font) {
  if (!font) return 0;
  // The stock fonts are the system font's 8 x 16 cell.
  if (font == static_cast<HFONT>(GetStockObject(SYSTEM_FONT)) ||
      font == static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT)) ||
      font == static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT)) ||
      font == static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)))
    return 16;
  auto &heights = process().ui.fontHeights;
  auto it = heights.find(reinterpret_cast<std::uintptr_t>(font));
  return it == heights.end() ? 0 : it->second;
}

}  // namespace winsim::client

using namespace winsim::client;
using namespace winsim;

extern "C" {

HFONT WINAPI CreateFontA(int cHeight, int cWidth, int, int, int cWeight, DWORD bItalic, DWORD,
                         DWORD, DWORD iCharSet, DWORD, DWORD, DWORD, DWORD iPitchAndFamily,
                         LPCSTR pszFaceName) {
  proto::CreateFontReq req;
  req.height = cHeight;
  req.width = cWidth;
  req.weight = cWeight;
  req.charset = iCharSet;
  req.pitch = iPitchAndFamily;
  req.italic = bItalic ? 1 : 0;
  req.face = pszFaceName ? pszFaceName : "";
  std::uint32_t status = 0;
  auto rep = call(req, status);
  if (status || !rep.handle) {
    set_error(status ? status : ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // A negative height asks for the character height; the cell is then a little taller.
  process().ui.fontHeights[rep.handle] = cHeight < 0 ? -cHeight : cHeight;
  return to_handle<HFONT>(rep.handle);
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
  // Stock objects are the system's: deleting one does nothing, and is no fault.
  auto h = reinterpret_cast<std::uintptr_t>(ho);
  auto first = reinterpret_cast<std::uintptr_t>(GetStockObject(WHITE_BRUSH));
  auto last = reinterpret_cast<std::uintptr_t>(GetStockObject(DEFAULT_GUI_FONT));
  if (ho && h >= first && h <= last) return TRUE;
  proto::DeleteObjectReq req;
  req.handle = hval(ho);
  if (!call_ok(req)) return FALSE;
  process().ui.fontHeights.erase(reinterpret_cast<std::uintptr_t>(ho));
  return TRUE;
}

}  // extern "C"
