// Part of the Win32 subset that winsim programs are written against: loading libraries at run
// time. Every LoadLibraryA adds a reference to the module, every FreeLibrary takes one away.
#ifndef WINSIM_LIBLOADERAPI_H
#define WINSIM_LIBLOADERAPI_H

#include "windef.h"

WINSIM_EXTERN_C_BEGIN

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName);
BOOL WINAPI FreeLibrary(HMODULE hLibModule);

WINSIM_EXTERN_C_END

#define LoadLibrary LoadLibraryA

#endif
