// Libraries loaded at run time (LoadLibraryA): their reference counts live in the server.
#pragma once

#include <windows.h>

#include <optional>

namespace winsim::client {

// GetProcAddress for a module that LoadLibraryA loads: nullopt when hModule is not such a
// module, else the export or null with the error set.
std::optional<FARPROC> library_export(HMODULE hModule, LPCSTR lpProcName);

}  // namespace winsim::client
