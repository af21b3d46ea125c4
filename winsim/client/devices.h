// Devices opened with CreateFileA, and the adapter's kernel exports.
#pragma once

#include <windows.h>

namespace winsim::client {

// Closes hObject if it is an open device; false when it is none.
bool close_device(HANDLE hObject);

// The Windows 95 family by GetVersion: top bit set and major version 4 or more.
bool windows95_family();

}  // namespace winsim::client

extern "C" {
// A kernel export of the Windows 95 family only, reached through GetProcAddress.
DWORD WINAPI OpenVxDHandle(HANDLE hSource);
}
