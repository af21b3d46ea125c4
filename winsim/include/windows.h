// The Win32 subset that winsim programs are written against.
#ifndef WINSIM_WINDOWS_H
#define WINSIM_WINDOWS_H

#include "windef.h"
#include "winbase.h"
#include "wingdi.h"
#include "winuser.h"
#include "fileapi.h"
#include "libloaderapi.h"
#include "winver.h"

#endif
