// LoadLibraryA and FreeLibrary. The system's own modules are loaded with the process and stay;
// the others count references in the server, which can see what each process holds.
#include <windows.h>
#include <ddraw.h>

#include <string>
#include <string_view>

#include "handles.h"
#include "library.h"
#include "process.h"
#include "rpc.h"

using namespace winsim::client;
using namespace winsim;

namespace {

// The file name without its directory, with ".dll" added when it has no extension, as the
// loader searches for it.
std::string module_file(std::string_view path) {
  std::size_t slash = path.find_last_of("\\/");
  std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
  if (name.find('.') == std::string::npos) name += ".dll";
  return name;
}

template <class F>
FARPROC as_farproc(F *f) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(f));
}

}  // namespace

namespace winsim::client {

std::optional<FARPROC> library_export(HMODULE hModule, LPCSTR lpProcName) {
  if (hval(hModule) != kDdrawModule) return std::nullopt;
  if (!lpProcName || IS_INTRESOURCE(lpProcName)) {
    set_error(ERROR_PROC_NOT_FOUND);
    return FARPROC{nullptr};
  }
  proto::LibProcReq req;
  req.module = hval(hModule);
  req.name = lpProcName;
  std::uint32_t status = 0;
  call(req, status);
  if (status) {
    set_error(status);
    return FARPROC{nullptr};
  }
  return as_farproc(&DirectDrawCreate);
}

}  // namespace winsim::client

extern "C" {

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
  if (!lpLibFileName || !*lpLibFileName) {
    set_error(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::string name = module_file(lpLibFileName);
  if (HMODULE system = GetModuleHandleA(name.c_str())) return system;
  proto::LibLoadReq req;
  req.name = name;
  auto rep = call_checked(req);
  if (!rep) return nullptr;
  return to_handle<HMODULE>(rep->module);
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
  if (!hLibModule) {
    set_error(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (hval(hLibModule) != kDdrawModule) {
    // The program and the system's modules are loaded with the process and never unloaded.
    if (hLibModule == GetModuleHandleA(nullptr) || hLibModule == GetModuleHandleA("USER32") ||
        hLibModule == GetModuleHandleA("KERNEL32"))
      return TRUE;
    set_error(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  proto::LibFreeReq req;
  req.module = hval(hLibModule);
  return call_ok(req);
}

}  // extern "C"
