#include "app/ostik.h"
#include "driver/escape.h"
#include "resource.h"
#include "ui/about.h"
#include "ui/log.h"
#include "ui/mainwnd.h"

static const char szHelpFile[] = "Ostik.HLP";
static const char szNoKey[] = "";
static char szResString[RES_STRING_SIZE];

LPSTR LoadResString(UINT uID)
{
    szResString[0] = '\0';
    LoadStringA(GetModuleHandleA(NULL), uID, szResString, sizeof(szResString));
    return szResString;
}

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

/* Asks WinHelp for something; when it cannot, says so in a box owned by the focus window. */
static void StartHelp(HWND hwnd, LPCSTR lpszFile, UINT uCommand, ULONG_PTR dwData)
{
    if (!WinHelpA(hwnd, lpszFile, uCommand, dwData))
        MessageBoxA(GetFocus(), LoadResString(IDS_NO_HELP), szClassName, MB_OK | MB_ICONHAND);
}

/* Flips one of the display switches and the check mark of its item. */
static void ToggleSwitch(BOOL *lpbSwitch, UINT uItem)
{
    if (*lpbSwitch) {
        *lpbSwitch = 0;
        CheckMenuItem(hMenuMain, uItem, MF_BYCOMMAND | MF_UNCHECKED);
    } else {
        *lpbSwitch = 1;
        CheckMenuItem(hMenuMain, uItem, MF_BYCOMMAND | MF_CHECKED);
    }
}

static LRESULT OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    /* The high word (menu or accelerator) makes no difference. */
    switch (LOWORD(wParam)) {
    case IDM_EXIT:
        DestroyWindow(hwnd);
        return 0;
    case IDM_HELPCONTENTS:
        StartHelp(hwnd, szHelpFile, HELP_CONTENTS, 0);
        return 0;
    case IDM_HELPSEARCH:
        /* An empty key, not a null one: WinHelp then offers its search with nothing typed. */
        StartHelp(hwnd, szHelpFile, HELP_PARTIALKEY, (ULONG_PTR)szNoKey);
        return 0;
    case IDM_HELPHELP:
        StartHelp(hwnd, NULL, HELP_HELPONHELP, 0);
        return 0;
    case IDM_HELPTOPICS:
        StartHelp(hwnd, szHelpFile, HELP_FINDER, 0);
        return 0;
    case IDM_ABOUT:
        LogPrintf("Thankyou for selecting the About Box.\n");
        DialogBoxParamA(hInst, "AboutBox", hwnd, AboutDlgProc, 0);
        return 0;
    case IDM_TRIGGERVIDEO:
        TriggerDriverEvent(OSTIK_CMD_TRGV);
        return 0;
    case IDM_TRIGGERMONITOR:
        TriggerDriverEvent(OSTIK_CMD_TRGM);
        return 0;
    case IDM_FRAMERATE:
        ToggleSwitch(&bFrameRate, IDM_FRAMERATE);
        return 0;
    case IDM_EVENTS:
        ToggleSwitch(&bEvents, IDM_EVENTS);
        return 0;
    case IDM_LURK:
        /* bLurk follows through the WM_SHOWWINDOW this sends. */
        ShowWindow(hwnd, SW_HIDE);
        return 0;
    }
    return DefWindowProcA(hwnd, WM_COMMAND, wParam, lParam);
}

static void OnNonClientRightClick(HWND hwnd, LPARAM lParam)
{
    if (IsWindows95Family(GetVersion()) && SendMessageA(hwnd, WM_NCHITTEST, 0, lParam) == HTSYSMENU)
        LogPrintf("Thankyou for rightclicking in the system menu.\n");
    else
        LogPrintf("Thankyou for rightclicking in the non-client area.\n");
}

/* The Misc menu at the pointer. */
static void OnRightButtonDown(HWND hwnd, LPARAM lParam)
{
    POINT pt;
    HMENU hmenuPopup;

    pt.x = (short)LOWORD(lParam);
    pt.y = (short)HIWORD(lParam);
    ClientToScreen(hwnd, &pt);
    hmenuPopup = GetSubMenu(GetMenu(hwnd), 2);
    if (hmenuPopup != NULL)
        TrackPopupMenu(hmenuPopup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, pt.x, pt.y, 0, hwnd, NULL);
    else
        MessageBeep(0);
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    PAINTSTRUCT ps;

    switch (uMsg) {
    case WM_DESTROY:
        WinHelpA(hwnd, szHelpFile, HELP_QUIT, 0);
        PostQuitMessage(0);
        return 0;

    case WM_PAINT:
        /* The log keeps no copy of its lines: whatever is erased here stays lost. */
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;

    case WM_SHOWWINDOW:
        OnShowWindow(wParam, lParam);
        break;

    case WM_DISPLAYCHANGE:
        LogPrintf("Display mode change detected.\n");
        return 0;

    case WM_NCRBUTTONUP:
        OnNonClientRightClick(hwnd, lParam);
        break;

    case WM_COMMAND:
        return OnCommand(hwnd, wParam, lParam);

    case WM_RBUTTONDOWN:
        OnRightButtonDown(hwnd, lParam);
        return 0;
    }
    return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}
