/* The main window's procedure and the string loader it shares with the About box. */
#ifndef OSTIK_MAINWND_H
#define OSTIK_MAINWND_H

#include <windows.h>

#define RES_STRING_SIZE 260

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

/* Loads string uID of the program's own module into one shared buffer, which the next call
   overwrites; a missing string gives "". */
LPSTR LoadResString(UINT uID);

#endif
