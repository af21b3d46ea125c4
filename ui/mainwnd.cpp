#include "app/ostik.h"
#include "resource.h"
#include "ui/log.h"
#include "ui/mainwnd.h"

static void OnShowWindow(WPARAM wParam, LPARAM lParam)
{
    /* Logged before bLurk changes: leaving the lurk state draws none of these lines. */
    LogPrintf("Asked to show/hide myself.\n");
    if (lParam != 0) {
        LogPrintf("...but not because of a ShowWindow()\n");
    } else if (wParam != 0) {
        LogPrintf("Delurking...\n");
        bLurk = 0;
        CheckMenuItem(hMenuMain, IDM_LURK, MF_BYCOMMAND | MF_UNCHECKED);
    } else {
        LogPrintf("Lurking...\n");
        bLurk = 1;
        CheckMenuItem(hMenuMain, IDM_LURK, MF_BYCOMMAND | MF_CHECKED);
    }
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_SHOWWINDOW:
        OnShowWindow(wParam, lParam);
        break;

    case WM_DESTROY:
        WinHelpA(hwnd, "Ostik.HLP", HELP_QUIT, 0);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}
