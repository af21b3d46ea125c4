#include <windows.h>
#include <mmsystem.h>

#include "overlay/overlay.h"
#include "ui/log.h"

DWORD dwFrameTimes[FRAME_RING_SIZE];
int iFrameTime = 0;

void InitFrameRate(void)
{
    int i;

    for (i = 0; i < FRAME_RING_SIZE; i++)
        dwFrameTimes[i] = timeGetTime();
    iFrameTime = 0;
}

BOOL StepFrameRate(DWORD *pdwTimes, int *piIndex, DWORD dwNow, double *pdRate)
{
    /* Modulo 2^32 and signed: the timer wraps, and a stamp 2^31 ms old reads as negative. */
    LONG lElapsed = (LONG)(dwNow - pdwTimes[*piIndex]);
    BOOL bFinite = lElapsed != 0;

    /* No division by zero: a process may run with floating-point exceptions unmasked. */
    if (bFinite)
        *pdRate = (double)FRAME_RING_SIZE * 1000.0 / (double)lElapsed;
    pdwTimes[*piIndex] = dwNow;
    *piIndex = (*piIndex + 1) % FRAME_RING_SIZE;
    return bFinite;
}

void ShowFrameRate(void)
{
    double dRate;

    if (StepFrameRate(dwFrameTimes, &iFrameTime, timeGetTime(), &dRate))
        LogPrintf("Framerate: %3.3fHz", dRate);
    else
        LogPrintf("Framerate: infHz");
}
