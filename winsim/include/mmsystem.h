// The multimedia timer subset for winsim programs.
#ifndef WINSIM_MMSYSTEM_H
#define WINSIM_MMSYSTEM_H

#include "windef.h"

WINSIM_EXTERN_C_BEGIN

// Milliseconds since the system started, wrapping at 2^32.
DWORD WINAPI timeGetTime(void);

WINSIM_EXTERN_C_END

#endif
