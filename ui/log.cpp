#include <stdio.h>

#include "app/ostik.h"
#include "ui/log.h"

HDC hdcLog = NULL;
int yLog = 0;
int nLogLine = 0;

void LogStart(HDC hdc)
{
    hdcLog = hdc;
    yLog = 0;
    nLogLine = 0;
    /* Coordinates name the top-left corner; the current position is neither used nor moved. */
    SetTextAlign(hdc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

void DrawLogLines(const char *lpszLine, LOGLINEPROC lpfnLine)
{
    const char *lpchStart = lpszLine;
    const char *lpch;

    for (lpch = lpszLine; *lpch; lpch++) {
        if (*lpch == '\n') {
            lpfnLine(yLog, lpchStart, (int)(lpch - lpchStart));
            yLog += LOG_LINE_HEIGHT;
            lpchStart = lpch + 1;
        }
    }
    if (lpch != lpchStart) {
        lpfnLine(yLog, lpchStart, (int)(lpch - lpchStart));
        yLog += LOG_LINE_HEIGHT;
    }
    nLogLine++;
    /* Tested once per message, so a message is always drawn whole. */
    if (yLog > LOG_WRAP_Y)
        yLog = 0;
}

void LogVPrintfTo(LOGLINEPROC lpfnLine, const char *lpszFormat, va_list vaArgs)
{
    /* 2048 bytes of stack, no heap: the line area, then the message area. */
    char szLine[LOG_AREA_SIZE];
    char szMessage[LOG_AREA_SIZE];

    if (bLurk)
        return;
    /* Both steps are cut to their areas: only an echoed command line can be that long. */
    if (vsnprintf(szMessage, sizeof(szMessage), lpszFormat, vaArgs) < 0)
        szMessage[0] = 0;
    szMessage[sizeof(szMessage) - 1] = 0;
    if (snprintf(szLine, sizeof(szLine), "%6i:%s", nLogLine, szMessage) < 0)
        szLine[0] = 0;
    szLine[sizeof(szLine) - 1] = 0;
    DrawLogLines(szLine, lpfnLine);
}

static void TextOutLogLine(int y, const char *lpText, int cch)
{
    /* A failed draw (no device context) still moves the log on. */
    TextOutA(hdcLog, 0, y, lpText, cch);
}

void LogPrintf(const char *lpszFormat, ...)
{
    va_list vaArgs;

    va_start(vaArgs, lpszFormat);
    LogVPrintfTo(TextOutLogLine, lpszFormat, vaArgs);
    va_end(vaArgs);
}
