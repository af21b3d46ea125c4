// Requests of the driver's DirectDraw layer and the libraries that reach it.
// Same conventions as requests.h; this list is part of WINSIM_REQUESTS.
//
// DirectDraw calls answer with status 0 and their HRESULT in `hr`; a non-zero status means the
// request itself was malformed. Objects are named by ids the server gives; an id belongs to
// the process that created it.
#pragma once

#include <cstdint>

namespace winsim {
// The handle value of the simulated ddraw.dll in every process.
inline constexpr std::uint32_t kDdrawModule = 0x73D00000;
}  // namespace winsim

// clang-format off
#define WINSIM_DDRAW_REQUESTS(X) \
  /* LoadLibraryA of a loadable module (only "ddraw.dll"): one more reference held by the */ \
  /* caller's process. ERROR_MOD_NOT_FOUND when it is absent. */ \
  X(LibLoad,        IN(STR, name) OUT(U32, module)) \
  /* FreeLibrary: one reference less; ERROR_INVALID_HANDLE when the process holds none. */ \
  X(LibFree,        IN(U32, module)) \
  /* GetProcAddress in a loaded module: status 0 when the export is there, else */ \
  /* ERROR_PROC_NOT_FOUND (or ERROR_MOD_NOT_FOUND when the module is not loaded). */ \
  X(LibProc,        IN(U32, module) IN(STR, name)) \
  /* DirectDrawCreate on the active display driver. */ \
  X(DdCreate,       OUT(U32, hr) OUT(U32, object)) \
  X(DdCoop,         IN(U32, object) IN(U32, hwnd) IN(U32, flags) OUT(U32, hr)) \
  /* desc: the program's DDSURFACEDESC, byte for byte. */ \
  X(DdSurface,      IN(U32, object) IN(STR, desc) OUT(U32, hr) OUT(U32, surface)) \
  /* src/dst: empty for a null rectangle, else LEFT,TOP,RIGHT,BOTTOM; fx: the DDOVERLAYFX */ \
  /* bytes, empty for none. */ \
  X(DdUpdateOverlay, IN(U32, surface) IN(U32, dest) IN(U32V, src) IN(U32V, dst) \
                    IN(U32, flags) IN(STR, fx) OUT(U32, hr)) \
  /* The last reference to the object is gone. */ \
  X(DdRelease,      IN(U32, object)) \
  /* The display mode changes: every surface is lost; the reply lists every top-level window, */ \
  /* for the caller to send WM_DISPLAYCHANGE to. */ \
  X(DisplayMode,    IN(U32, width) IN(U32, height) IN(U32, bpp) OUT(U32V, windows)) \
  /* What process pid holds: ddraw.dll references and live DirectDraw objects by kind. */ \
  X(DdHeld,         IN(U32, pid) OUT(U32, libraryRefs) OUT(U32, directDraws) \
                    OUT(U32, primaries) OUT(U32, overlays))
// clang-format on
