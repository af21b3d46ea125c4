// ddraw.dll and its objects inside a desktop process: library references, the driver layer's
// checks of what it is asked, and object lifetimes as the server sees them. Runs on the desktop
// that desktop_test.cpp starts for this program.
#include <windows.h>
#include <ddraw.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>

#include "rpc.h"

namespace {

using namespace winsim;
using winsim::client::call;

proto::DdHeldRep held() {
  proto::DdHeldReq req;
  req.pid = static_cast<std::uint32_t>(::getpid());
  return call(req);
}

DDSURFACEDESC overlay_desc() {
  DDSURFACEDESC ddsd;
  std::memset(&ddsd, 0, sizeof ddsd);
  ddsd.dwSize = sizeof ddsd;
  ddsd.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  ddsd.dwHeight = 32;
  ddsd.dwWidth = 32;
  ddsd.ddpfPixelFormat.dwSize = sizeof ddsd.ddpfPixelFormat;
  ddsd.ddpfPixelFormat.dwFlags = DDPF_FOURCC;
  ddsd.ddpfPixelFormat.dwFourCC = MAKEFOURCC('Y', 'U', 'Y', '2');
  ddsd.ddsCaps.dwCaps = DDSCAPS_OVERLAY | DDSCAPS_VIDEOMEMORY;
  return ddsd;
}

DDSURFACEDESC primary_desc() {
  DDSURFACEDESC ddsd;
  std::memset(&ddsd, 0, sizeof ddsd);
  ddsd.dwSize = sizeof ddsd;
  ddsd.dwFlags = DDSD_CAPS;
  ddsd.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  return ddsd;
}

}  // namespace

TEST(Library, EveryLoadAddsAReferenceAndEveryFreeTakesOne) {
  HMODULE first = LoadLibraryA("ddraw.dll");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(LoadLibraryA("C:\\WINDOWS\\SYSTEM\\DDRAW"), first) << "path, case and extension";
  EXPECT_EQ(held().libraryRefs, 2u);
  EXPECT_NE(GetProcAddress(first, "DirectDrawCreate"), nullptr);
  EXPECT_EQ(GetProcAddress(first, "DirectDrawCreateEx"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));

  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(held().libraryRefs, 0u);
  EXPECT_FALSE(FreeLibrary(first)) << "no reference left";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GetProcAddress(first, "DirectDrawCreate"), nullptr) << "unloaded";

  EXPECT_FALSE(FreeLibrary(nullptr));
  EXPECT_EQ(LoadLibraryA("nosuch.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  HMODULE user32 = LoadLibraryA("user32.dll");
  EXPECT_EQ(user32, GetModuleHandleA("USER32"));
  EXPECT_TRUE(FreeLibrary(user32));
}

TEST(DirectDrawLayer, ChecksWhatItIsAskedAndCountsObjectsUntilTheLastRelease) {
  LPDIRECTDRAW lpDD = nullptr;
  ASSERT_EQ(DirectDrawCreate(nullptr, &lpDD, nullptr), DD_OK);
  ASSERT_NE(lpDD, nullptr);
  LPDIRECTDRAWSURFACE lpPrimary = nullptr, lpOverlay = nullptr;
  DDSURFACEDESC ddsd = primary_desc();
  EXPECT_EQ(lpDD->CreateSurface(&ddsd, &lpPrimary, nullptr), DDERR_NOCOOPERATIVELEVELSET);
  ASSERT_EQ(lpDD->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);

  struct Case {
    const char *name;
    void (*spoil)(DDSURFACEDESC &);
    HRESULT want;
  } refusals[] = {
      {"wrong size", [](DDSURFACEDESC &d) { d.dwSize = 100; }, DDERR_INVALIDPARAMS},
      {"no caps", [](DDSURFACEDESC &d) { d.dwFlags &= ~DDSD_CAPS; }, DDERR_INVALIDPARAMS},
      {"RGB overlay", [](DDSURFACEDESC &d) { d.ddpfPixelFormat.dwFlags = DDPF_RGB; }, DDERR_INVALIDPIXELFORMAT},
      {"no size", [](DDSURFACEDESC &d) { d.dwFlags &= ~DDSD_WIDTH; }, DDERR_INVALIDPARAMS},
      {"plain surface", [](DDSURFACEDESC &d) { d.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN; }, DDERR_INVALIDCAPS},
  };
  for (const auto &c : refusals) {
    SCOPED_TRACE(c.name);
    DDSURFACEDESC bad = overlay_desc();
    c.spoil(bad);
    LPDIRECTDRAWSURFACE lpSurface = nullptr;
    EXPECT_EQ(lpDD->CreateSurface(&bad, &lpSurface, nullptr), c.want);
    EXPECT_EQ(lpSurface, nullptr);
  }

  ASSERT_EQ(lpDD->CreateSurface(&ddsd, &lpPrimary, nullptr), DD_OK);
  DDSURFACEDESC od = overlay_desc();
  ASSERT_EQ(lpDD->CreateSurface(&od, &lpOverlay, nullptr), DD_OK);
  auto counts = held();
  EXPECT_EQ(counts.directDraws, 1u);
  EXPECT_EQ(counts.primaries, 1u);
  EXPECT_EQ(counts.overlays, 1u);

  // Only the whole pattern is a service request; anything else is a plain overlay update.
  RECT rc = {0, 0, 32, 32};
  DDOVERLAYFX fx;
  std::memset(&fx, 0, sizeof fx);
  fx.dwSize = sizeof fx;
  fx.dckDestColorkey.dwColorSpaceLowValue = 0x10293847;
  fx.dckDestColorkey.dwColorSpaceHighValue = 0x21436587;
  DWORD flags = DDOVER_SHOW | DDOVER_KEYDESTOVERRIDE | DDOVER_DDFX;
  EXPECT_EQ(lpOverlay->UpdateOverlay(nullptr, lpPrimary, &rc, flags, &fx), (HRESULT)0x8876005A);
  EXPECT_EQ(lpOverlay->UpdateOverlay(nullptr, lpPrimary, &rc, flags & ~DDOVER_DDFX, &fx), DD_OK);
  fx.dckDestColorkey.dwColorSpaceHighValue = 0x21436588;
  EXPECT_EQ(lpOverlay->UpdateOverlay(nullptr, lpPrimary, &rc, flags, &fx), DD_OK);
  EXPECT_EQ(lpPrimary->UpdateOverlay(nullptr, lpOverlay, &rc, flags, &fx), DDERR_INVALIDPARAMS)
      << "the primary is no overlay";

  lpOverlay->AddRef();
  EXPECT_EQ(lpOverlay->Release(), 1u);
  EXPECT_EQ(held().overlays, 1u) << "one reference is still held";
  EXPECT_EQ(lpOverlay->Release(), 0u);
  EXPECT_EQ(lpPrimary->Release(), 0u);
  EXPECT_EQ(lpDD->Release(), 0u);
  counts = held();
  EXPECT_EQ(counts.directDraws + counts.primaries + counts.overlays, 0u);
}
