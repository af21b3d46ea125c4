// Part of the Win32 subset that winsim programs are written against.
#ifndef WINSIM_LIBLOADERAPI_H
#define WINSIM_LIBLOADERAPI_H

#include "windef.h"

#endif
