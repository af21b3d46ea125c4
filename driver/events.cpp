#include <stdio.h>
#include <string.h>

#include "driver/driver.h"
#include "driver/escape.h"
#include "ui/log.h"

#define EVENT_NAME_SIZE 100

typedef DWORD(WINAPI *OPENVXDHANDLEPROC)(HANDLE hSource);

HANDLE hEventVideo = NULL;
HANDLE hEventMonitor = NULL;
DWORD hEventVideoR0 = 0;
DWORD hEventMonitorR0 = 0;

/* Creates the first event of the numbered name that is not taken by another kind of object.
   An event of that name that exists already is opened and shared. */
static HANDLE CreateNumberedEvent(char *szName, const char *lpszFormat)
{
    HANDLE hEvent;
    int n = 1;

    for (;;) {
        snprintf(szName, EVENT_NAME_SIZE, lpszFormat, n);
        hEvent = CreateEventA(NULL, FALSE, FALSE, szName);
        if (hEvent != NULL || GetLastError() != ERROR_ALREADY_EXISTS)
            return hEvent;
        n++;
    }
}

/* A handle of the event that the display driver can signal, or 0. The Windows 95 family has
   OpenVxDHandle; elsewhere the driver runs our escapes in our own process and can take the
   Win32 handle itself, so that handle is what it is given. */
static DWORD GetRing0Handle(HANDLE hEvent)
{
    HMODULE hKernel;
    OPENVXDHANDLEPROC lpfnOpenVxDHandle = NULL;

    hKernel = GetModuleHandleA("KERNEL32");
    if (hKernel != NULL)
        lpfnOpenVxDHandle = (OPENVXDHANDLEPROC)(void (*)(void))GetProcAddress(hKernel, "OpenVxDHandle");
    if (lpfnOpenVxDHandle != NULL)
        return lpfnOpenVxDHandle(hEvent);
    return (DWORD)(DWORD_PTR)hEvent;
}

static void SetUpEvent(HANDLE *lphEvent, DWORD *lphEventR0, const char *lpszFormat)
{
    char szName[EVENT_NAME_SIZE];

    *lphEvent = CreateNumberedEvent(szName, lpszFormat);
    if (*lphEvent != NULL)
        LogPrintf("Event \"%s\" set up.\n", szName);
    else
        LogPrintf("Event set up failed.\n");

    *lphEventR0 = GetRing0Handle(*lphEvent);
    if (*lphEventR0 != 0)
        LogPrintf("Ring0 event \"%s\" set up.\n", szName);
    else
        LogPrintf("Ring0 event set up failed.\n");
}

/* Nonzero when the VxD is there and answers its status request. */
static int CheckVxD(void)
{
    HANDLE hVxD;
    DWORD adwRequest[OSTIK_VXD_BUFFER_SIZE / sizeof(DWORD)];
    DWORD adwReply[OSTIK_VXD_BUFFER_SIZE / sizeof(DWORD)];
    DWORD cbReturned = 0;
    BOOL bDone;

    hVxD = CreateFileA(OSTIK_VXD_PATH, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hVxD == INVALID_HANDLE_VALUE) {
        LogPrintf("Could not find \\\\.\\quomvd VxD.\n");
        return 0;
    }
    LogPrintf("Found \\\\.\\quomvd VxD.\n");

    memset(adwRequest, 0, sizeof(adwRequest));
    adwRequest[0] = OSTIK_VXD_STAT;
    /* The NT family writes the count whether asked or not, so it is given somewhere to go;
       the reply itself is never read. */
    bDone = DeviceIoControl(hVxD, OSTIK_VXD_STATUS, adwRequest, sizeof(adwRequest), adwReply,
                            sizeof(adwReply), &cbReturned, NULL);
    if (!bDone) {
        LogPrintf("VxD op failed.\n");
        CloseHandle(hVxD);
        return 0;
    }
    LogPrintf("VxD op succeeded.\n");
    CloseHandle(hVxD);
    return 1;
}

int StartDriverLink(void)
{
    SetUpEvent(&hEventVideo, &hEventVideoR0, "ParoxOstikVideoEvent(%i)");
    SetUpEvent(&hEventMonitor, &hEventMonitorR0, "ParoxOstikMonitorEvent(%i)");
    ResetEvent(hEventVideo);
    ResetEvent(hEventMonitor);

    if (!CheckVxD())
        return 0;

    SendDriverRegistration();
    LogPrintf("All systems nominal.\nReady for takeoff.\n");
    return 1;
}

void StopDriverLink(void)
{
    SendDriverWithdrawal();

    /* The ring-0 handles are only forgotten: they die with their events. */
    if (hEventVideo != NULL) {
        CloseHandle(hEventVideo);
        hEventVideo = NULL;
        hEventVideoR0 = 0;
    }
    if (hEventMonitor != NULL) {
        CloseHandle(hEventMonitor);
        hEventMonitor = NULL;
        hEventMonitorR0 = 0;
    }
}
