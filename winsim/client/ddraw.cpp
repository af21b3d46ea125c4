// The simulated ddraw.dll: DirectDrawCreate and the DirectDraw objects, each a reference-counted
// front for an object of the driver's DirectDraw layer in the server.
#include <windows.h>
#include <ddraw.h>

#include <cstring>

#include "rpc.h"

using namespace winsim::client;
using namespace winsim;

namespace {

// What the two interfaces share: IUnknown over the server object's id and a reference count.
// At a count of 0 the server forgets the object and the final class `Self` deletes itself.
template <class Self, class Interface>
class Counted : public Interface {
 public:
  explicit Counted(std::uint32_t id) : id_(id) {}
  std::uint32_t id() const { return id_; }

  HRESULT WINAPI QueryInterface(REFIID, void **ppvObject) override {
    if (ppvObject) *ppvObject = nullptr;
    return E_NOINTERFACE;
  }
  ULONG WINAPI AddRef() override { return ++refs_; }
  ULONG WINAPI Release() override {
    if (--refs_ != 0) return refs_;
    proto::DdReleaseReq req;
    req.object = id_;
    call(req);
    delete static_cast<Self *>(this);
    return 0;
  }

 private:
  std::uint32_t id_;
  ULONG refs_ = 1;
};

class Surface final : public Counted<Surface, IDirectDrawSurface> {
 public:
  using Counted::Counted;

  HRESULT WINAPI UpdateOverlay(LPRECT lpSrcRect, LPDIRECTDRAWSURFACE lpDDDestSurface,
                               LPRECT lpDestRect, DWORD dwFlags,
                               LPDDOVERLAYFX lpDDOverlayFx) override {
    proto::DdUpdateOverlayReq req;
    req.surface = id();
    req.dest = lpDDDestSurface ? static_cast<Surface *>(lpDDDestSurface)->id() : 0;
    if (lpSrcRect) req.src = rect_words(*lpSrcRect);
    if (lpDestRect) req.dst = rect_words(*lpDestRect);
    req.flags = dwFlags;
    if (lpDDOverlayFx)
      req.fx.assign(reinterpret_cast<const char *>(lpDDOverlayFx), sizeof(DDOVERLAYFX));
    return static_cast<HRESULT>(call(req).hr);
  }

 private:
  static proto::U32V rect_words(const RECT &r) {
    return {static_cast<std::uint32_t>(r.left), static_cast<std::uint32_t>(r.top),
            static_cast<std::uint32_t>(r.right), static_cast<std::uint32_t>(r.bottom)};
  }
};

class DirectDraw final : public Counted<DirectDraw, IDirectDraw> {
 public:
  using Counted::Counted;

  HRESULT WINAPI CreateSurface(LPDDSURFACEDESC lpDDSurfaceDesc, LPDIRECTDRAWSURFACE *lplpDDSurface,
                               IUnknown *pUnkOuter) override {
    if (!lpDDSurfaceDesc || !lplpDDSurface) return DDERR_INVALIDPARAMS;
    if (pUnkOuter) return CLASS_E_NOAGGREGATION;
    proto::DdSurfaceReq req;
    req.object = id();
    req.desc.assign(reinterpret_cast<const char *>(lpDDSurfaceDesc), sizeof(DDSURFACEDESC));
    auto rep = call(req);
    if (rep.hr != 0) {
      *lplpDDSurface = nullptr;
      return static_cast<HRESULT>(rep.hr);
    }
    *lplpDDSurface = new Surface(rep.surface);
    return DD_OK;
  }

  HRESULT WINAPI SetCooperativeLevel(HWND hWnd, DWORD dwFlags) override {
    proto::DdCoopReq req;
    req.object = id();
    req.hwnd = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hWnd));
    req.flags = dwFlags;
    return static_cast<HRESULT>(call(req).hr);
  }
};

}  // namespace

extern "C" HRESULT WINAPI DirectDrawCreate(GUID *lpGUID, LPDIRECTDRAW *lplpDD, IUnknown *pUnkOuter) {
  if (!lplpDD) return DDERR_INVALIDPARAMS;
  *lplpDD = nullptr;
  // Only the active display driver (no GUID) is there to be opened.
  if (lpGUID) return DDERR_INVALIDPARAMS;
  if (pUnkOuter) return CLASS_E_NOAGGREGATION;
  auto rep = call(proto::DdCreateReq{});
  if (rep.hr != 0) return static_cast<HRESULT>(rep.hr);
  *lplpDD = new DirectDraw(rep.object);
  return DD_OK;
}
