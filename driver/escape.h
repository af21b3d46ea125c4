#ifndef OSTIK_ESCAPE_H
#define OSTIK_ESCAPE_H

#include <windows.h>

/* The display driver's private escape and its one record, input and output at once. */
#define PAROX_OSTIK_ESCAPE 10020

/* Four ASCII characters, the first in the most significant byte. */
#define OSTIK_FOURCC(a, b, c, d) \
    (((DWORD)(BYTE)(a) << 24) | ((DWORD)(BYTE)(b) << 16) | ((DWORD)(BYTE)(c) << 8) | (DWORD)(BYTE)(d))

#define OSTIK_CMD_RSET OSTIK_FOURCC('R', 's', 'e', 't')
#define OSTIK_CMD_GOEV OSTIK_FOURCC('G', 'o', 'E', 'V')
#define OSTIK_CMD_GOEM OSTIK_FOURCC('G', 'o', 'E', 'M')
#define OSTIK_CMD_NOEV OSTIK_FOURCC('N', 'o', 'E', 'V')
#define OSTIK_CMD_NOEM OSTIK_FOURCC('N', 'o', 'E', 'M')
#define OSTIK_CMD_TRGV OSTIK_FOURCC('T', 'r', 'g', 'V')
#define OSTIK_CMD_TRGM OSTIK_FOURCC('T', 'r', 'g', 'M')

typedef struct tagOSTIK_ESCAPE_DATA {
    DWORD dwCommand;
    DWORD hVideoEvent;
    DWORD hMonitorEvent;
    DWORD dwPeriodVideoVBL;
    DWORD dwPeriodMonitorVBL;
    LONG result;
    DWORD dwReserved;
} OSTIK_ESCAPE_DATA;

/* The driver reads exactly 28 bytes: a different size must not compile. */
typedef char OSTIK_ESCAPE_DATA_SIZE_CHECK[sizeof(OSTIK_ESCAPE_DATA) == 28 ? 1 : -1];

#define OSTIK_VXD_STAT OSTIK_FOURCC('S', 't', 'a', 't')

/* Sends one command in lpData and logs its outcome. */
void CallOstikEscape(HDC hdcScreen, OSTIK_ESCAPE_DATA *lpData, DWORD dwCommand,
                     LPCSTR lpszHeader, LPCSTR lpszFailureFormat);

/* The menu's trigger sequence: OSTIK_CMD_TRGV or OSTIK_CMD_TRGM in a record of its own. */
void TriggerDriverEvent(DWORD dwCommand);

#endif
