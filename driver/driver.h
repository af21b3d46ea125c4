/* The driver link: the two events the display driver signals, and their ring-0 handles. */
#ifndef OSTIK_DRIVER_H
#define OSTIK_DRIVER_H

#include <windows.h>

extern HANDLE hEventVideo;    /* NULL until created */
extern HANDLE hEventMonitor;  /* NULL until created */
extern DWORD hEventVideoR0;   /* 0 when none was obtained */
extern DWORD hEventMonitorR0;

/* The VxD's status request: control code 8, 100 bytes each way, the input opening with Stat. */
#define OSTIK_VXD_PATH "\\\\.\\quomvd"
#define OSTIK_VXD_STATUS 8
#define OSTIK_VXD_BUFFER_SIZE 100

/* Start-up step: nonzero to go on, 0 when the VxD is missing or silent. */
int StartDriverLink(void);
/* Withdraws both events from the driver and closes them. */
void StopDriverLink(void);

/* The escape sequences of start-up and shut-down, each on a screen DC of its own. */
void SendDriverRegistration(void);
void SendDriverWithdrawal(void);

#endif
