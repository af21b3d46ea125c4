#include "app/ostik.h"
#include "ui/log.h"
#include "ui/mainwnd.h"

typedef ATOM (WINAPI *REGISTERCLASSEXPROC)(const WNDCLASSEXA *lpwcx);

static void WakeOrKillRunningCopy(HWND hwndOther)
{
    if (bWakeup) {
        if (IsIconic(hwndOther))
            ShowWindow(hwndOther, SW_RESTORE);
        else if (!IsWindowVisible(hwndOther))
            ShowWindow(hwndOther, SW_SHOW);
        SetForegroundWindow(hwndOther);
    }
    /* Posted, not sent: this copy does not wait for the other to end. */
    if (bKill)
        PostMessageA(hwndOther, WM_CLOSE, 0, 0);
}

int PrepareInstance(HINSTANCE hInstance)
{
    HWND hwndOther;
    WNDCLASSA wc;
    BOOL bWin95;

    hwndOther = FindWindowA(szClassName, szTitle);
    if (hwndOther != NULL) {
        WakeOrKillRunningCopy(hwndOther);
        return 0;
    }
    if (bKill)
        return 0;

    bWin95 = IsWindows95Family(GetVersion());
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, szClassName);
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszMenuName = bWin95 ? "WIN95" : szClassName;
    wc.lpszClassName = szClassName;
    if (bWin95)
        return RegisterClassWithSmallIcon(&wc);
    return RegisterClassA(&wc);
}

ATOM RegisterClassWithSmallIcon(const WNDCLASSA *lpwc)
{
    HMODULE hUser;
    REGISTERCLASSEXPROC lpfnRegisterClassEx;
    WNDCLASSEXA wcx;

    /* An early USER32 lacks the extended call; the class then goes without a small icon. */
    hUser = GetModuleHandleA("USER32");
    if (hUser == NULL)
        return RegisterClassA(lpwc);
    lpfnRegisterClassEx = (REGISTERCLASSEXPROC)(void (*)(void))GetProcAddress(hUser, "RegisterClassExA");
    if (lpfnRegisterClassEx == NULL)
        return RegisterClassA(lpwc);

    wcx.cbSize = sizeof(WNDCLASSEXA);
    wcx.style = lpwc->style;
    wcx.lpfnWndProc = lpwc->lpfnWndProc;
    wcx.cbClsExtra = lpwc->cbClsExtra;
    wcx.cbWndExtra = lpwc->cbWndExtra;
    wcx.hInstance = lpwc->hInstance;
    wcx.hIcon = lpwc->hIcon;
    wcx.hCursor = lpwc->hCursor;
    wcx.hbrBackground = lpwc->hbrBackground;
    wcx.lpszMenuName = lpwc->lpszMenuName;
    wcx.lpszClassName = lpwc->lpszClassName;
    wcx.hIconSm = LoadIconA(lpwc->hInstance, "SMALL");
    return lpfnRegisterClassEx(&wcx);
}

int CreateMainWindow(HINSTANCE hInstance, int nCmdShow)
{
    hInst = hInstance;
    hwndMain = CreateWindowExA(0, szClassName, szTitle, WS_OVERLAPPEDWINDOW,
                               CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                               NULL, NULL, hInstance, NULL);
    if (hwndMain == NULL)
        return 0;
    ShowWindow(hwndMain, bLurk ? SW_HIDE : nCmdShow);
    UpdateWindow(hwndMain);
    hMenuMain = GetMenu(hwndMain);
    /* The device context stays bound to the log for the life of the process. */
    LogStart(GetDC(hwndMain));
    LogPrintf("Text output running.\n");
    return 1;
}
