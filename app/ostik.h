/* Process-wide state of the helper and its start-up steps. */
#ifndef OSTIK_OSTIK_H
#define OSTIK_OSTIK_H

#include <windows.h>

#define OSTIK_NAME_SIZE 100

/* Option and display flags: 0 or 1. */
extern BOOL bLurk;      /* window hidden and log silent */
extern BOOL bWakeup;    /* a second copy shows the running one */
extern BOOL bKill;      /* a second copy closes the running one */
extern BOOL bFrameRate; /* the event service prints frame rates */
extern BOOL bEvents;    /* the event service logs routine outcomes */

extern char szClassName[OSTIK_NAME_SIZE];
extern char szTitle[OSTIK_NAME_SIZE];

extern HINSTANCE hInst;
extern HWND hwndMain;
extern HMENU hMenuMain;

/* Start-up steps: nonzero to go on, 0 to end the process. */
int PrepareInstance(HINSTANCE hInstance);
ATOM RegisterClassWithSmallIcon(const WNDCLASSA *lpwc);
int CreateMainWindow(HINSTANCE hInstance, int nCmdShow);

/* Nonzero for a GetVersion value of the Windows 95 family. */
BOOL IsWindows95Family(DWORD dwVersion);

#endif
