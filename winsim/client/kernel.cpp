// Last error, version and modules.
#include <windows.h>

#include <cstdlib>
#include <string_view>

#include "devices.h"
#include "handles.h"
#include "library.h"
#include "process.h"
#include "rpc.h"
#include "settings.h"

namespace winsim::client {

std::optional<std::string> setting(const std::string &key) {
  proto::GetSettingReq req;
  req.key = key;
  std::uint32_t status = 0;
  auto rep = call(req, status);
  if (status != 0) return std::nullopt;
  return rep.value;
}

namespace {

constexpr std::uintptr_t kUser32 = 0x7E410000;
constexpr std::uintptr_t kKernel32 = 0x7C800000;

bool same_nocase(std::string_view a, std::string_view b) { return upper_ascii(a) == upper_ascii(b); }

// Exported functions that a program may look up; `setting`, when given, names the desktop
// setting that can make the export absent.
struct Export {
  std::uintptr_t module;
  const char *name;
  FARPROC proc;
  const char *setting;
  bool win95Only = false;  // a kernel export of the Windows 95 family alone
};

template <class F>
FARPROC as_farproc(F *f) {
  // Through void(*)(), the one function type every other converts to without a warning.
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(f));
}

const Export kExports[] = {
    {kUser32, "RegisterClassExA", as_farproc(&RegisterClassExA), "user32.RegisterClassExA"},
    {kKernel32, "OpenVxDHandle", as_farproc(&OpenVxDHandle), nullptr, true},
};

}  // namespace
}  // namespace winsim::client

using namespace winsim::client;

extern "C" {

DWORD WINAPI GetLastError(void) { return process().lastError; }

void WINAPI SetLastError(DWORD dwErrCode) { process().lastError = dwErrCode; }

DWORD WINAPI GetVersion(void) {
  auto v = setting("version.value");
  if (!v) return 0;
  return static_cast<DWORD>(std::strtoul(v->c_str(), nullptr, 16));
}

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  if (!lpModuleName) return own_instance();
  std::string_view name(lpModuleName);
  if (same_nocase(name, "USER32") || same_nocase(name, "USER32.DLL")) return to_handle<HMODULE>(kUser32);
  if (same_nocase(name, "KERNEL32") || same_nocase(name, "KERNEL32.DLL"))
    return to_handle<HMODULE>(kKernel32);
  set_error(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  auto module = reinterpret_cast<std::uintptr_t>(hModule);
  if (lpProcName && !IS_INTRESOURCE(lpProcName)) {
    for (const Export &e : kExports) {
      if (e.module != module || std::string_view(e.name) != lpProcName) continue;
      if (e.setting && setting(e.setting).value_or("present") == "absent") break;
      if (e.win95Only && !windows95_family()) break;
      return e.proc;
    }
  }
  if (auto proc = library_export(hModule, lpProcName)) return *proc;
  set_error(ERROR_PROC_NOT_FOUND);
  return nullptr;
}

}  // extern "C"
