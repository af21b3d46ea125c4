/* The main window's procedure. */
#ifndef OSTIK_MAINWND_H
#define OSTIK_MAINWND_H

#include <windows.h>

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

#endif
