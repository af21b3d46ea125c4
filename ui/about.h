/* The About box and the placement it uses. */
#ifndef OSTIK_ABOUT_H
#define OSTIK_ABOUT_H

#include <windows.h>

/* Holds the longest line FormatOsLine can make, terminator included. */
#define OS_LINE_SIZE 64

INT_PTR CALLBACK AboutDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

/* Moves hwndChild, keeping its size, to the centre of hwndOwner inside the work area. */
BOOL CenterWindow(HWND hwndChild, HWND hwndOwner);

/* The top-left corner that centres prcWindow over prcOwner, pushed back inside prcWork. */
void CalcCenteredPos(const RECT *prcWindow, const RECT *prcOwner, const RECT *prcWork, POINT *lpptPos);

/* The "Running on:" line for a GetVersion value, cut to cchLine bytes. */
void FormatOsLine(DWORD dwVersion, LPSTR lpszLine, int cchLine);

#endif
