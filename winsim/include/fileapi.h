// Part of the Win32 subset that winsim programs are written against.
#ifndef WINSIM_FILEAPI_H
#define WINSIM_FILEAPI_H

#include "windef.h"

#endif
