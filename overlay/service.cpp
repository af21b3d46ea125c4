#include <string.h>

#include "app/ostik.h"
#include "overlay/overlay.h"
#include "ui/log.h"

#define PXDD_AUTO_FLAGS (DDOVER_SHOW | DDOVER_KEYDESTOVERRIDE | DDOVER_DDFX)
#define MAX_RECOVERIES  10

/* Logs the driver's answer and acts on it. */
static void LogOverlayResult(BOOL bVideo, const char *lpszEvent, HRESULT hr)
{
    switch (hr) {
    case PXDD_AUTO_RET_DONE:
        if (bEvents)
            LogPrintf("ZRF %s event: update done.\n", lpszEvent);
        break;
    case PXDD_AUTO_RET_NO_UPDATE:
        if (bVideo)
            LogPrintf("ZRF video event: **error** PXDD_AUTO_RET_NO_UPDATE.\n");
        else if (bEvents)
            LogPrintf("ZRF monitor event: no update.\n");
        break;
    case PXDD_AUTO_RET_ERR_NO_OVERLAY:
        LogPrintf("ZRF %s event: *warning* PXDD_AUTO_RET_ERR_NO_OVERLAY - freeing DirectDraw objects\n",
                  lpszEvent);
        CloseDirectDraw();
        break;
    case PXDD_AUTO_RET_ERR_GENERAL:
        LogPrintf("ZRF %s event: **error** PXDD_AUTO_RET_ERR_GENERAL\n", lpszEvent);
        break;
    default:
        if (bVideo)
            LogPrintf("ZRF video event: **error** - unknown:%i", (int)hr);
        else
            LogPrintf("ZRF monitor event: **error** - unknown:0x%x", (unsigned int)hr);
        break;
    }
}

static void NoSurface(BOOL bVideo)
{
    LogPrintf("Unable to get surface to do UpdateOverlay\n");
    /* The monitor service, too, releases what a failed open left, or every later event would
       store new objects over it and add a library reference; with nothing held it stays
       silent. */
    if (bVideo || hDDrawLib != NULL || lpDD != NULL || lpDDSPrimary != NULL)
        CloseDirectDraw();
}

/* One signalling call, with up to MAX_RECOVERIES close-and-reopen cycles on a lost surface. */
static void SignalOverlay(BOOL bVideo)
{
    const char *lpszEvent = bVideo ? "video" : "monitor";
    DDOVERLAYFX ddofx;
    RECT rcDest;
    HRESULT hr;
    int nRecoveries;

    memset(&ddofx, 0, sizeof(ddofx));
    ddofx.dwSize = sizeof(ddofx);
    ddofx.dckDestColorkey.dwColorSpaceLowValue = PXDD_AUTO_KEY_LOW;
    ddofx.dckDestColorkey.dwColorSpaceHighValue = bVideo ? PXDD_AUTO_KEY_VIDEO : PXDD_AUTO_KEY_MONITOR;
    rcDest.left = 0;
    rcDest.top = 0;
    rcDest.right = 32;
    rcDest.bottom = 32;
    nRecoveries = 0;

    if (lpDDSOverlay == NULL)
        OpenDirectDraw();
    if (lpDDSOverlay == NULL) {
        NoSurface(bVideo);
        return;
    }
    for (;;) {
        hr = lpDDSOverlay->UpdateOverlay(NULL, lpDDSPrimary, &rcDest, PXDD_AUTO_FLAGS, &ddofx);
        if (hr != DDERR_SURFACELOST)
            break;
        LogPrintf("ZRF %s event: Lost surface - recovering...\n", lpszEvent);
        CloseDirectDraw();
        OpenDirectDraw();
        nRecoveries++;
        if (nRecoveries > MAX_RECOVERIES) {
            /* The last reopening is left in place, unlooked at, for the next event. */
            LogPrintf("...recovery failed after 10 tries.\n");
            nRecoveries = 0;
            break;
        }
        if (lpDDSOverlay == NULL) {
            NoSurface(bVideo);
            return;
        }
    }
    if (nRecoveries != 0)
        LogPrintf("...recovered successfully after %i tries\n", nRecoveries);
    LogOverlayResult(bVideo, lpszEvent, hr);
}

void ServiceVideoEvent(void)
{
    SignalOverlay(TRUE);
    if (bFrameRate && !bLurk)
        ShowFrameRate();
}

void ServiceMonitorEvent(void)
{
    SignalOverlay(FALSE);
    if (bFrameRate && !bLurk)
        ShowFrameRate();
}
