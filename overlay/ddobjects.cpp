#include <string.h>

#include "overlay/overlay.h"
#include "ui/log.h"

/* The records are handed to the driver byte for byte. */
static_assert(sizeof(DDSURFACEDESC) == 108, "DDSURFACEDESC must be 108 bytes");
static_assert(sizeof(DDOVERLAYFX) == 56, "DDOVERLAYFX must be 56 bytes");
static_assert(sizeof(DDPIXELFORMAT) == 32, "DDPIXELFORMAT must be 32 bytes");

#define OSTIK_FOURCC_YUY2 0x32595559 /* 'Y','U','Y','2' in memory order */

typedef HRESULT(WINAPI *LPDIRECTDRAWCREATEPROC)(GUID *lpGUID, LPDIRECTDRAW *lplpDD,
                                                 IUnknown *pUnkOuter);

typedef struct tagDDERRNAME {
    DWORD dwResult;
    const char *lpszName;
} DDERRNAME;

/* Why the overlay was refused, by the names DirectDraw publishes. */
static const DDERRNAME ddenOverlay[] = {
    { 0x8007000E, "DDERR_OUTOFMEMORY" },
    { 0x80070057, "DDERR_INVALIDPARAMS" },
    { 0x8876005F, "DDERR_INCOMPATIBLEPRIMARY" },
    { 0x88760064, "DDERR_INVALIDCAPS" },
    { 0x88760082, "DDERR_INVALIDOBJECT" },
    { 0x88760091, "DDERR_INVALIDPIXELFORMAT" },
    { 0x887600B4, "DDERR_NOALPHAHW" },
    { 0x887600D4, "DDERR_NOCOOPERATIVELEVELSET" },
    { 0x887600E1, "DDERR_NOEXCLUSIVEMODE" },
    { 0x887600E6, "DDERR_NOFLIPHW" },
    { 0x88760104, "DDERR_NOOVERLAYHW" },
    { 0x88760154, "DDERR_NOZBUFFERHW" },
    { 0x8876017C, "DDERR_OUTOFVIDEOMEMORY" },
    { 0x88760233, "DDERR_NODIRECTDRAWHW" },
    { 0x88760234, "DDERR_PRIMARYSURFACEALREADYEXISTS" },
    { 0x88760235, "DDERR_NOEMULATION" },
    { 0x8876024E, "DDERR_UNSUPPORTEDMODE" },
    { 0x8876024F, "DDERR_NOMIPMAPHW" },
};

HMODULE hDDrawLib = NULL;
LPDIRECTDRAW lpDD = NULL;
LPDIRECTDRAWSURFACE lpDDSPrimary = NULL;
LPDIRECTDRAWSURFACE lpDDSOverlay = NULL;

static void LogOverlayError(HRESULT hr)
{
    int i;

    for (i = 0; i < (int)(sizeof(ddenOverlay) / sizeof(ddenOverlay[0])); i++) {
        if ((DWORD)hr == ddenOverlay[i].dwResult) {
            LogPrintf("Error:%s\n", ddenOverlay[i].lpszName);
            return;
        }
    }
    LogPrintf("Error:don't know\n");
}

/* Nothing is released on failure: what the earlier steps made stays for CloseDirectDraw. */
void OpenDirectDraw(void)
{
    LPDIRECTDRAWCREATEPROC lpfnCreate;
    DDSURFACEDESC ddsd;
    HRESULT hr;

    hDDrawLib = LoadLibraryA("ddraw.dll");
    if (hDDrawLib == NULL) {
        LogPrintf("Could not load ddraw.dll - no DirectDraw objects created.\n");
        return;
    }
    /* Through void (*)(void), the one function type every other converts to without a warning. */
    lpfnCreate = (LPDIRECTDRAWCREATEPROC)(void (*)(void))GetProcAddress(hDDrawLib,
                                                                         "DirectDrawCreate");
    if (lpfnCreate == NULL) {
        LogPrintf("Unable to find DirectDrawCreate in ddraw.dll - no DirectDraw objects created.\n");
        return;
    }
    if (lpfnCreate(NULL, &lpDD, NULL) != DD_OK) {
        LogPrintf("DirectDraw not available!\n");
        return;
    }
    LogPrintf("DirectDraw opened.\n");

    if (lpDD->SetCooperativeLevel(NULL, DDSCL_NORMAL) != DD_OK) {
        LogPrintf("DirectDraw set coop level failed!\n");
        return;
    }

    memset(&ddsd, 0, sizeof(ddsd));
    ddsd.dwSize = sizeof(ddsd);
    ddsd.dwFlags = DDSD_CAPS;
    ddsd.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (lpDD->CreateSurface(&ddsd, &lpDDSPrimary, NULL) != DD_OK) {
        LogPrintf("DirectDraw primary surface not available!\n");
        return;
    }
    LogPrintf("DirectDraw primary surface opened.\n");

    memset(&ddsd, 0, sizeof(ddsd));
    ddsd.dwSize = sizeof(ddsd);
    ddsd.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    ddsd.dwHeight = 32;
    ddsd.dwWidth = 32;
    ddsd.ddpfPixelFormat.dwSize = sizeof(ddsd.ddpfPixelFormat);
    ddsd.ddpfPixelFormat.dwFlags = DDPF_FOURCC;
    ddsd.ddpfPixelFormat.dwFourCC = OSTIK_FOURCC_YUY2;
    ddsd.ddsCaps.dwCaps = DDSCAPS_OVERLAY | DDSCAPS_VIDEOMEMORY;
    hr = lpDD->CreateSurface(&ddsd, &lpDDSOverlay, NULL);
    if (hr == DD_OK) {
        LogPrintf("DirectDraw overlay surface opened.\n");
        return;
    }
    LogPrintf("DirectDraw overlay surface not available!\n");
    LogOverlayError(hr);
}

/* Each surface goes before the object that made it; the library goes last. */
void CloseDirectDraw(void)
{
    if (lpDDSOverlay != NULL) {
        lpDDSOverlay->Release();
        lpDDSOverlay = NULL;
    }
    if (lpDDSPrimary != NULL) {
        lpDDSPrimary->Release();
        lpDDSPrimary = NULL;
    }
    if (lpDD != NULL) {
        lpDD->Release();
        lpDD = NULL;
    }
    if (FreeLibrary(hDDrawLib)) {
        hDDrawLib = NULL;
        LogPrintf("Freed ddraw.dll");
    } else {
        LogPrintf("Failed to free ddraw.dll");
    }
}
