/* The log drawn into the main window's client area. */
#ifndef OSTIK_LOG_H
#define OSTIK_LOG_H

#include <windows.h>
#include <stdarg.h>

#define LOG_AREA_SIZE   1024
#define LOG_LINE_HEIGHT 16
#define LOG_WRAP_Y      580

extern HDC hdcLog;     /* bound by LogStart, never released */
extern int yLog;       /* top of the next line */
extern int nLogLine;   /* number of the next message */

/* Draws one line of cch characters (not terminated) with its top at y. */
typedef void (*LOGLINEPROC)(int y, const char *lpText, int cch);

void LogStart(HDC hdc);
void LogPrintf(const char *lpszFormat, ...);

/* The whole of LogPrintf with the drawing handed to lpfnLine. */
void LogVPrintfTo(LOGLINEPROC lpfnLine, const char *lpszFormat, va_list vaArgs);

/* Cuts a numbered line at its newlines, draws each piece at yLog and moves on. */
void DrawLogLines(const char *lpszLine, LOGLINEPROC lpfnLine);

#endif
