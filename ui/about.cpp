#include <stdio.h>
#include <string.h>

#include "app/ostik.h"
#include "resource.h"
#include "ui/about.h"
#include "ui/mainwnd.h"

#define ABOUT_BUFFER_SIZE 256
#define MAIN_FONT_HEIGHT 14
#define SMALL_FONT_HEIGHT 11

/* Made at each opening of the box and deleted when it closes. */
static HFONT hfontMain;
static HFONT hfontSmall;

void CalcCenteredPos(const RECT *prcWindow, const RECT *prcOwner, const RECT *prcWork, POINT *lpptPos)
{
    int cxWindow = prcWindow->right - prcWindow->left;
    int cyWindow = prcWindow->bottom - prcWindow->top;
    int cxOwner = prcOwner->right - prcOwner->left;
    int cyOwner = prcOwner->bottom - prcOwner->top;
    int x;
    int y;

    /* The division truncates towards zero, also for a window wider than its owner. */
    x = prcOwner->left + (cxOwner - cxWindow) / 2;
    if (x < prcWork->left)
        x = prcWork->left;
    else if (x + cxWindow > prcWork->right)
        x = prcWork->right - cxWindow;

    y = prcOwner->top + (cyOwner - cyWindow) / 2;
    if (y < prcWork->top)
        y = prcWork->top;
    else if (y + cyWindow > prcWork->bottom)
        y = prcWork->bottom - cyWindow;

    lpptPos->x = x;
    lpptPos->y = y;
}

BOOL CenterWindow(HWND hwndChild, HWND hwndOwner)
{
    RECT rcChild;
    RECT rcOwner;
    RECT rcWork;
    POINT pt;

    if (!GetWindowRect(hwndChild, &rcChild))
        return FALSE;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0)) {
        rcWork.left = 0;
        rcWork.top = 0;
        rcWork.right = GetSystemMetrics(SM_CXSCREEN);
        rcWork.bottom = GetSystemMetrics(SM_CYSCREEN);
    }
    /* A window with no owner is centred over the work area. */
    if (!GetWindowRect(hwndOwner, &rcOwner))
        rcOwner = rcWork;
    CalcCenteredPos(&rcChild, &rcOwner, &rcWork, &pt);
    return SetWindowPos(hwndChild, NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void FormatOsLine(DWORD dwVersion, LPSTR lpszLine, int cchLine)
{
    unsigned uMajor = (unsigned)LOBYTE(dwVersion);
    unsigned uMinor = (unsigned)HIBYTE(dwVersion);

    if (cchLine <= 0)
        return;
    if ((dwVersion & 0x80000000UL) == 0)
        snprintf(lpszLine, (size_t)cchLine, "Microsoft Windows NT %u.%u (Build: %u)",
                 uMajor, uMinor, (unsigned)HIWORD(dwVersion));
    else if (uMajor >= 4)
        snprintf(lpszLine, (size_t)cchLine, "Microsoft Windows 95 %u.%u", uMajor, uMinor);
    else
        /* Win32s keeps its build in bits 16 to 30; bit 31 is the family flag. */
        snprintf(lpszLine, (size_t)cchLine, "Microsoft Win32s %u.%u (Build: %u)",
                 uMajor, uMinor, (unsigned)(HIWORD(dwVersion) & 0x7FFF));
}

/* Builds the title and the texts of controls 400 to 405 from the version block lpData. */
static void ShowVersionValues(HWND hDlg, LPVOID lpData)
{
    char szKey[ABOUT_BUFFER_SIZE];
    char szText[ABOUT_BUFFER_SIZE];
    LPVOID lpValue;
    UINT cbValue;
    size_t cchPrefix;
    DWORD dwError;
    int idCtl;

    snprintf(szKey, sizeof(szKey), "%s", LoadResString(IDS_VER_PREFIX));
    cchPrefix = strlen(szKey);

    snprintf(szKey + cchPrefix, sizeof(szKey) - cchPrefix, "%s", "ProductName");
    lpValue = NULL;
    cbValue = 0;
    VerQueryValueA(lpData, szKey, &lpValue, &cbValue);
    /* Without a product name the title is "About " alone. */
    snprintf(szText, sizeof(szText), "About %s",
             (lpValue != NULL && cbValue != 0) ? (LPCSTR)lpValue : "");
    SetWindowTextA(hDlg, szText);

    for (idCtl = IDC_COMPANYNAME; idCtl <= IDC_LEGALTRADEMARKS; idCtl++) {
        GetDlgItemTextA(hDlg, idCtl, szText, sizeof(szText));
        snprintf(szKey + cchPrefix, sizeof(szKey) - cchPrefix, "%s", szText);
        lpValue = NULL;
        cbValue = 0;
        if (VerQueryValueA(lpData, szKey, &lpValue, &cbValue) && cbValue != 0 && lpValue != NULL) {
            snprintf(szText, sizeof(szText), "%s", (LPCSTR)lpValue);
        } else {
            /* Read before the string load, which may change it. */
            dwError = GetLastError();
            snprintf(szText, sizeof(szText), LoadResString(IDS_VER_ERROR), (unsigned long)dwError);
        }
        SetDlgItemTextA(hDlg, idCtl, szText);
        SendDlgItemMessageA(hDlg, idCtl, WM_SETFONT,
                            (WPARAM)(idCtl == IDC_LEGALTRADEMARKS ? hfontSmall : hfontMain), TRUE);
    }
}

static HFONT CreateAboutFont(int nHeight, DWORD dwCharSet, DWORD dwPitchAndFamily)
{
    /* No face name: the font mapper picks one by character set, pitch and family. */
    return CreateFontA(nHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, dwCharSet,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       dwPitchAndFamily, "");
}

static void OnInitDialog(HWND hDlg)
{
    char szFile[ABOUT_BUFFER_SIZE];
    char szOsLine[OS_LINE_SIZE];
    DWORD dwHandle;
    DWORD cbInfo;
    HGLOBAL hInfo;
    LPVOID lpInfo;
    DWORD dwCharSet;
    DWORD dwPitchAndFamily;

    /* Hidden until every text is in place. */
    ShowWindow(hDlg, SW_HIDE);

    if (PRIMARYLANGID(GetUserDefaultLangID()) == LANG_JAPANESE) {
        dwCharSet = SHIFTJIS_CHARSET;
        dwPitchAndFamily = VARIABLE_PITCH | FF_DONTCARE;
    } else {
        dwCharSet = ANSI_CHARSET;
        dwPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    }
    hfontMain = CreateAboutFont(MAIN_FONT_HEIGHT, dwCharSet, dwPitchAndFamily);
    hfontSmall = CreateAboutFont(SMALL_FONT_HEIGHT, dwCharSet, dwPitchAndFamily);

    CenterWindow(hDlg, GetWindow(hDlg, GW_OWNER));

    szFile[0] = '\0';
    GetModuleFileNameA(hInst, szFile, sizeof(szFile));
    cbInfo = GetFileVersionInfoSizeA(szFile, &dwHandle);
    if (cbInfo != 0) {
        /* No memory for the block counts as no version information. */
        hInfo = GlobalAlloc(GMEM_MOVEABLE, cbInfo);
        lpInfo = hInfo != NULL ? GlobalLock(hInfo) : NULL;
        if (lpInfo != NULL) {
            GetFileVersionInfoA(szFile, dwHandle, cbInfo, lpInfo);
            ShowVersionValues(hDlg, lpInfo);
            GlobalUnlock(hInfo);
        }
        if (hInfo != NULL)
            GlobalFree(hInfo);
    }

    SendDlgItemMessageA(hDlg, IDC_RUNNINGON, WM_SETFONT, (WPARAM)hfontMain, TRUE);
    FormatOsLine(GetVersion(), szOsLine, sizeof(szOsLine));
    SetDlgItemTextA(hDlg, IDC_OSVERSION, szOsLine);

    ShowWindow(hDlg, SW_SHOW);
}

INT_PTR CALLBACK AboutDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (uMsg) {
    case WM_INITDIALOG:
        OnInitDialog(hDlg);
        /* The dialog manager then gives the focus to the OK button. */
        return TRUE;

    case WM_COMMAND:
        /* OK, Enter, Escape and the close box all arrive here. */
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, TRUE);
            DeleteObject(hfontMain);
            DeleteObject(hfontSmall);
            hfontMain = NULL;
            hfontSmall = NULL;
            return TRUE;
        }
        break;
    }
    return FALSE;
}
