/* Overlay signalling: the DirectDraw objects, the event service and the frame-rate meter. */
#ifndef OSTIK_OVERLAY_H
#define OSTIK_OVERLAY_H

#include <windows.h>
#include <ddraw.h>

/* The signalling pattern in the destination colour key, and the driver's answers. */
#define PXDD_AUTO_KEY_LOW            0x10293847
#define PXDD_AUTO_KEY_VIDEO          0x21436587
#define PXDD_AUTO_KEY_MONITOR        0x21436578
#define PXDD_AUTO_RET_DONE           ((HRESULT)0x8876005AL)
#define PXDD_AUTO_RET_NO_UPDATE      ((HRESULT)0x88760230L)
#define PXDD_AUTO_RET_ERR_NO_OVERLAY ((HRESULT)0x88760168L)
#define PXDD_AUTO_RET_ERR_GENERAL    ((HRESULT)0x80004005L)

#define FRAME_RING_SIZE 10

/* ddraw.dll and the three objects; a non-null lpDDSOverlay means DirectDraw is open. */
extern HMODULE hDDrawLib;
extern LPDIRECTDRAW lpDD;
extern LPDIRECTDRAWSURFACE lpDDSPrimary;
extern LPDIRECTDRAWSURFACE lpDDSOverlay;

/* The meter: the last ten stamps, iFrameTime naming the oldest. */
extern DWORD dwFrameTimes[FRAME_RING_SIZE];
extern int iFrameTime;

void OpenDirectDraw(void);
void CloseDirectDraw(void);

void ServiceVideoEvent(void);
void ServiceMonitorEvent(void);

void InitFrameRate(void);
void ShowFrameRate(void);

/* One meter step on a ring: reads the oldest stamp, puts dwNow in its place and moves on.
   Returns FALSE when no time has elapsed (the rate is infinite and *pdRate is not set). */
BOOL StepFrameRate(DWORD *pdwTimes, int *piIndex, DWORD dwNow, double *pdRate);

#endif
