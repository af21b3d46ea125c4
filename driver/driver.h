/* The driver link: the two events the display driver signals. */
#ifndef OSTIK_DRIVER_H
#define OSTIK_DRIVER_H

#include <windows.h>

extern HANDLE hEventVideo;    /* NULL until created */
extern HANDLE hEventMonitor;  /* NULL until created */

#endif
