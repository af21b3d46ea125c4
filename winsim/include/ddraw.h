// The DirectDraw subset that winsim programs are written against: the records with their
// 32-bit layouts, the codes, DirectDrawCreate, and the methods of IDirectDraw and
// IDirectDrawSurface that the simulated driver serves.
#ifndef WINSIM_DDRAW_H
#define WINSIM_DDRAW_H

#include "windef.h"
#include "unknwn.h"

#ifndef MAKEFOURCC
#define MAKEFOURCC(ch0, ch1, ch2, ch3)                                          \
  ((DWORD)(BYTE)(ch0) | ((DWORD)(BYTE)(ch1) << 8) | ((DWORD)(BYTE)(ch2) << 16) | \
   ((DWORD)(BYTE)(ch3) << 24))
#endif

#define DD_OK S_OK

#define DDERR_GENERIC E_FAIL
#define DDERR_UNSUPPORTED E_NOTIMPL
#define DDERR_OUTOFMEMORY E_OUTOFMEMORY
#define DDERR_INVALIDPARAMS E_INVALIDARG
#define DDERR_HEIGHTALIGN ((HRESULT)0x8876005AL)
#define DDERR_INCOMPATIBLEPRIMARY ((HRESULT)0x8876005FL)
#define DDERR_INVALIDCAPS ((HRESULT)0x88760064L)
#define DDERR_INVALIDOBJECT ((HRESULT)0x88760082L)
#define DDERR_INVALIDPIXELFORMAT ((HRESULT)0x88760091L)
#define DDERR_NOALPHAHW ((HRESULT)0x887600B4L)
#define DDERR_NOCOOPERATIVELEVELSET ((HRESULT)0x887600D4L)
#define DDERR_NOEXCLUSIVEMODE ((HRESULT)0x887600E1L)
#define DDERR_NOFLIPHW ((HRESULT)0x887600E6L)
#define DDERR_NOOVERLAYHW ((HRESULT)0x88760104L)
#define DDERR_NOZBUFFERHW ((HRESULT)0x88760154L)
#define DDERR_OUTOFCAPS ((HRESULT)0x88760168L)
#define DDERR_OUTOFVIDEOMEMORY ((HRESULT)0x8876017CL)
#define DDERR_SURFACELOST ((HRESULT)0x887601C2L)
#define DDERR_XALIGN ((HRESULT)0x88760230L)
#define DDERR_NODIRECTDRAWHW ((HRESULT)0x88760233L)
#define DDERR_PRIMARYSURFACEALREADYEXISTS ((HRESULT)0x88760234L)
#define DDERR_NOEMULATION ((HRESULT)0x88760235L)
#define DDERR_UNSUPPORTEDMODE ((HRESULT)0x8876024EL)
#define DDERR_NOMIPMAPHW ((HRESULT)0x8876024FL)

// SetCooperativeLevel
#define DDSCL_FULLSCREEN 0x00000001L
#define DDSCL_NORMAL 0x00000008L
#define DDSCL_EXCLUSIVE 0x00000010L

// DDSURFACEDESC.dwFlags: which fields are valid
#define DDSD_CAPS 0x00000001L
#define DDSD_HEIGHT 0x00000002L
#define DDSD_WIDTH 0x00000004L
#define DDSD_PITCH 0x00000008L
#define DDSD_BACKBUFFERCOUNT 0x00000020L
#define DDSD_PIXELFORMAT 0x00001000L

// DDSCAPS.dwCaps
#define DDSCAPS_OFFSCREENPLAIN 0x00000040L
#define DDSCAPS_OVERLAY 0x00000080L
#define DDSCAPS_PRIMARYSURFACE 0x00000200L
#define DDSCAPS_SYSTEMMEMORY 0x00000800L
#define DDSCAPS_VIDEOMEMORY 0x00004000L

// DDPIXELFORMAT.dwFlags
#define DDPF_ALPHAPIXELS 0x00000001L
#define DDPF_FOURCC 0x00000004L
#define DDPF_RGB 0x00000040L

// UpdateOverlay flags
#define DDOVER_HIDE 0x00000200L
#define DDOVER_KEYDEST 0x00000400L
#define DDOVER_KEYDESTOVERRIDE 0x00000800L
#define DDOVER_KEYSRC 0x00001000L
#define DDOVER_KEYSRCOVERRIDE 0x00002000L
#define DDOVER_SHOW 0x00004000L
#define DDOVER_DDFX 0x00080000L

typedef struct _DDCOLORKEY {
  DWORD dwColorSpaceLowValue;
  DWORD dwColorSpaceHighValue;
} DDCOLORKEY, *LPDDCOLORKEY;

typedef struct _DDSCAPS {
  DWORD dwCaps;
} DDSCAPS, *LPDDSCAPS;

typedef struct _DDPIXELFORMAT {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwFourCC;
  union {
    DWORD dwRGBBitCount;
    DWORD dwYUVBitCount;
  };
  union {
    DWORD dwRBitMask;
    DWORD dwYBitMask;
  };
  union {
    DWORD dwGBitMask;
    DWORD dwUBitMask;
  };
  union {
    DWORD dwBBitMask;
    DWORD dwVBitMask;
  };
  union {
    DWORD dwRGBAlphaBitMask;
    DWORD dwYUVAlphaBitMask;
  };
} DDPIXELFORMAT, *LPDDPIXELFORMAT;

// Surfaces are never locked here, so the surface memory pointer keeps its 32-bit slot.
typedef struct _DDSURFACEDESC {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwHeight;
  DWORD dwWidth;
  LONG lPitch;
  DWORD dwBackBufferCount;
  union {
    DWORD dwMipMapCount;
    DWORD dwZBufferBitDepth;
    DWORD dwRefreshRate;
  };
  DWORD dwAlphaBitDepth;
  DWORD dwReserved;
  DWORD lpSurface;
  DDCOLORKEY ddckCKDestOverlay;
  DDCOLORKEY ddckCKDestBlt;
  DDCOLORKEY ddckCKSrcOverlay;
  DDCOLORKEY ddckCKSrcBlt;
  DDPIXELFORMAT ddpfPixelFormat;
  DDSCAPS ddsCaps;
} DDSURFACEDESC, *LPDDSURFACEDESC;

// The alpha surfaces are not modelled: only the constants occupy their slots.
typedef struct _DDOVERLAYFX {
  DWORD dwSize;
  DWORD dwAlphaEdgeBlendBitDepth;
  DWORD dwAlphaEdgeBlend;
  DWORD dwReserved;
  DWORD dwAlphaDestConstBitDepth;
  DWORD dwAlphaDestConst;
  DWORD dwAlphaSrcConstBitDepth;
  DWORD dwAlphaSrcConst;
  DDCOLORKEY dckDestColorkey;
  DDCOLORKEY dckSrcColorkey;
  DWORD dwDDFX;
  DWORD dwFlags;
} DDOVERLAYFX, *LPDDOVERLAYFX;

#ifdef __cplusplus

struct IDirectDrawSurface;
typedef struct IDirectDrawSurface *LPDIRECTDRAWSURFACE;

struct IDirectDraw : public IUnknown {
  virtual HRESULT WINAPI CreateSurface(LPDDSURFACEDESC lpDDSurfaceDesc,
                                       LPDIRECTDRAWSURFACE *lplpDDSurface, IUnknown *pUnkOuter) = 0;
  virtual HRESULT WINAPI SetCooperativeLevel(HWND hWnd, DWORD dwFlags) = 0;

 protected:
  ~IDirectDraw() = default;
};
typedef struct IDirectDraw *LPDIRECTDRAW;

struct IDirectDrawSurface : public IUnknown {
  // DDERR_SURFACELOST once a display mode change has lost either surface.
  virtual HRESULT WINAPI UpdateOverlay(LPRECT lpSrcRect, LPDIRECTDRAWSURFACE lpDDDestSurface,
                                       LPRECT lpDestRect, DWORD dwFlags,
                                       LPDDOVERLAYFX lpDDOverlayFx) = 0;

 protected:
  ~IDirectDrawSurface() = default;
};

WINSIM_EXTERN_C_BEGIN
// Exported by ddraw.dll; programs that load it at run time find it with GetProcAddress.
HRESULT WINAPI DirectDrawCreate(GUID *lpGUID, LPDIRECTDRAW *lplpDD, IUnknown *pUnkOuter);
WINSIM_EXTERN_C_END

#endif

#endif
