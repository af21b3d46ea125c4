#include "app/ostik.h"

BOOL IsWindows95Family(DWORD dwVersion)
{
    /* Bit 31 set is the 95 family or Win32s; the major version tells them apart. */
    return (dwVersion & 0x80000000UL) != 0 && (dwVersion & 0xFF) >= 4;
}
