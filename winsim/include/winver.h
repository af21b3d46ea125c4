// Part of the Win32 subset that winsim programs are written against.
#ifndef WINSIM_WINVER_H
#define WINSIM_WINVER_H

#include "windef.h"

#endif
