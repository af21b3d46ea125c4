#include <stdio.h>

#include "app/ostik.h"
#include "app/options.h"
#include "driver/driver.h"
#include "overlay/overlay.h"
#include "resource.h"
#include "ui/log.h"

#define WAIT_NO_EVENT (-1)

/* Waits for a driver event or window input: 0 for the video event, 1 for the monitor event,
   WAIT_NO_EVENT otherwise. It never returns at once without cause, so the loop cannot spin. */
static int WaitForEventOrInput(void)
{
    HANDLE ahWait[2];
    int aiEvent[2];
    DWORD nWait = 0;
    DWORD dwTimeout;
    DWORD dwResult;
    MSG msgPeek;

    /* A null handle would fail every wait, so only created events are waited on. */
    if (hEventVideo != NULL) {
        ahWait[nWait] = hEventVideo;
        aiEvent[nWait++] = 0;
    }
    if (hEventMonitor != NULL) {
        ahWait[nWait] = hEventMonitor;
        aiEvent[nWait++] = 1;
    }

    /* The wait wakes only for input that is new since the queue was last looked at; messages
       already queued are taken in the next turns, with the events polled meanwhile. */
    dwTimeout = PeekMessageA(&msgPeek, NULL, 0, 0, PM_NOREMOVE) ? 0 : INFINITE;
    dwResult = MsgWaitForMultipleObjects(nWait, ahWait, FALSE, dwTimeout, QS_ALLINPUT);
    if (dwResult < nWait)
        return aiEvent[dwResult - WAIT_OBJECT_0];
    if (dwResult == WAIT_FAILED && dwTimeout == INFINITE)
        WaitMessage();
    return WAIT_NO_EVENT;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    char szOptions[OPTION_BUFFER_SIZE];
    HACCEL hAccel;
    MSG msg;
    int bQuit;
    int iEvent;

    snprintf(szClassName, sizeof(szClassName), "%s", "Ostik");
    LoadStringA(hInstance, IDS_APP_TITLE, szTitle, sizeof(szTitle));
    bLurk = 1;
    bWakeup = 1;
    bKill = 0;
    CopyCommandTail(szOptions, lpCmdLine);
    ApplyOptions(szOptions);

    if (hPrevInstance == NULL && !PrepareInstance(hInstance))
        return 0;
    if (!CreateMainWindow(hInstance, nCmdShow))
        return 0;
    if (!StartDriverLink())
        return 0;

    /* Without the table no accelerator is translated; nothing else changes. */
    hAccel = LoadAcceleratorsA(hInstance, szClassName);
    InitFrameRate();

    LogPrintf("Command line was: <%s>\n", lpCmdLine);
    EchoOptions(szOptions);

    bQuit = 0;
    msg.wParam = 0;
    while (!bQuit) {
        iEvent = WaitForEventOrInput();

        /* One message per turn; WM_QUIT too is offered to the accelerators. */
        if (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                bQuit = 1;
            if (!TranslateAcceleratorA(msg.hwnd, hAccel, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }

        /* The event service answers here, also in a turn that took WM_QUIT. */
        if (iEvent == 0) {
            ServiceVideoEvent();
        }
        if (iEvent == 1) {
            ServiceMonitorEvent();
        }
    }
    StopDriverLink();
    return (int)msg.wParam;
}
