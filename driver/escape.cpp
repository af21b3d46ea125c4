#include <stdio.h>
#include <string.h>

#include "driver/driver.h"
#include "driver/escape.h"
#include "ui/log.h"

#define ESCAPE_FAILED "ERROR: PAROX_OSTIK_ESCAPE failed! Error=%i\n"
#define NO_SCREEN_DC "ERROR: Couldn't get HDC for screen!\n"

void CallOstikEscape(HDC hdcScreen, OSTIK_ESCAPE_DATA *lpData, DWORD dwCommand,
                     LPCSTR lpszHeader, LPCSTR lpszFailureFormat)
{
    lpData->dwCommand = dwCommand;
    /* What ExtEscape returns tells nothing: the driver answers in the record. */
    ExtEscape(hdcScreen, PAROX_OSTIK_ESCAPE, sizeof(OSTIK_ESCAPE_DATA), (LPCSTR)lpData,
              sizeof(OSTIK_ESCAPE_DATA), (LPSTR)lpData);
    if (lpData->result != 0) {
        LogPrintf(lpszFailureFormat, (int)lpData->result);
        return;
    }
    LogPrintf(lpszHeader);
    LogPrintf("    hVideoEvent 0x%x\n", (unsigned int)lpData->hVideoEvent);
    LogPrintf("    dwPeriodVideoVBL %i\n", (int)lpData->dwPeriodVideoVBL);
    LogPrintf("    hMonitorEvent 0x%x\n", (unsigned int)lpData->hMonitorEvent);
    LogPrintf("    dwPeriodMonitorVBL %i\n", (int)lpData->dwPeriodMonitorVBL);
    LogPrintf("    result=%i\n", (int)lpData->result);
}

void SendDriverRegistration(void)
{
    OSTIK_ESCAPE_DATA data;
    HDC hdcScreen;

    /* Zeroed, so that a driver that leaves the record alone is seen to answer nothing. */
    memset(&data, 0, sizeof(data));
    hdcScreen = GetDC(NULL);
    if (hdcScreen == NULL) {
        LogPrintf(NO_SCREEN_DC);
        return;
    }
    CallOstikEscape(hdcScreen, &data, OSTIK_CMD_RSET, "PAROX_OSTIK_ESCAPE: Rset\n", ESCAPE_FAILED);
    data.hVideoEvent = hEventVideoR0;
    CallOstikEscape(hdcScreen, &data, OSTIK_CMD_GOEV, "PAROX_OSTIK_ESCAPE: GoEV\n", ESCAPE_FAILED);
    data.hMonitorEvent = hEventMonitorR0;
    CallOstikEscape(hdcScreen, &data, OSTIK_CMD_GOEM, "PAROX_OSTIK_ESCAPE: GoEM\n", ESCAPE_FAILED);
    ReleaseDC(NULL, hdcScreen);
}

void SendDriverWithdrawal(void)
{
    OSTIK_ESCAPE_DATA data;
    HDC hdcScreen;

    memset(&data, 0, sizeof(data));
    hdcScreen = GetDC(NULL);
    if (hdcScreen == NULL) {
        LogPrintf(NO_SCREEN_DC);
        return;
    }
    data.hVideoEvent = hEventVideoR0;
    CallOstikEscape(hdcScreen, &data, OSTIK_CMD_NOEV, "PAROX_OSTIK_ESCAPE: NoEV\n", ESCAPE_FAILED);
    data.hMonitorEvent = hEventMonitorR0;
    CallOstikEscape(hdcScreen, &data, OSTIK_CMD_NOEM, "PAROX_OSTIK_ESCAPE: NoEM\n",
                    "Nominal error: PAROX_OSTIK_ESCAPE failed, as expected. Error=%i\n");
    ReleaseDC(NULL, hdcScreen);
}

void TriggerDriverEvent(DWORD dwCommand)
{
    OSTIK_ESCAPE_DATA data;
    HDC hdcScreen;

    memset(&data, 0, sizeof(data));
    /* A trigger with no screen DC is dropped without a word. */
    hdcScreen = GetDC(NULL);
    if (hdcScreen == NULL)
        return;
    if (dwCommand == OSTIK_CMD_TRGV)
        CallOstikEscape(hdcScreen, &data, dwCommand, "PAROX_OSTIK_ESCAPE:\n",
                        "ERROR: PAROX_OSTIK_ESCAPE TrgV failed! Error=%i\n");
    else
        CallOstikEscape(hdcScreen, &data, dwCommand, "PAROX_OSTIK_ESCAPE:\n",
                        "ERROR: PAROX_OSTIK_ESCAPE TrgM failed! Error=%i\n");
    ReleaseDC(NULL, hdcScreen);
}
