// Resources of the program: the .res linked between winsim_res_begin and winsim_res_end.
#include <windows.h>

#include <algorithm>

#include "handles.h"
#include "process.h"

extern "C" {
// Weak: a program may have no resources at all.
extern const unsigned char winsim_res_begin[] __attribute__((weak));
extern const unsigned char winsim_res_end[] __attribute__((weak));
}

namespace winsim::client {
namespace {

constexpr std::uintptr_t kSystemIconBase = 0x00010000;
constexpr std::uintptr_t kSystemCursorBase = 0x00020000;
constexpr std::uintptr_t kOwnIconBase = 0x00100000;

// A handle for a group icon or cursor of the program: its entry's index.
std::uintptr_t entry_handle(const res::Entry *e) {
  return kOwnIconBase + static_cast<std::uintptr_t>(e - own_resources().data());
}

HICON load_group(HINSTANCE inst, LPCSTR name, std::uint16_t groupType, std::uintptr_t systemBase,
                 WORD firstSystem, WORD lastSystem) {
  if (!name) {
    set_error(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!inst) {
    auto id = reinterpret_cast<std::uintptr_t>(name);
    if (IS_INTRESOURCE(name) && id >= firstSystem && id <= lastSystem)
      return to_handle<HICON>(systemBase + id);
    set_error(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  const auto *entries = module_resources(inst);
  if (!entries) return nullptr;
  const res::Entry *e = res::find(*entries, res::id_name(groupType), res_name(name));
  if (!e) {
    set_error(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return to_handle<HICON>(entry_handle(e));
}

}  // namespace

const std::vector<res::Entry> &own_resources() {
  auto &cache = process().resources;
  if (!cache) {
    cache.emplace();
    const unsigned char *begin = winsim_res_begin, *end = winsim_res_end;
    if (begin && end && end > begin) {
      res::Bytes bytes(begin, static_cast<std::size_t>(end - begin));
      if (auto parsed = res::parse_res(bytes)) cache = std::move(*parsed);
    }
  }
  return *cache;
}

const std::vector<res::Entry> *module_resources(HINSTANCE instance) {
  if (!instance || instance == own_instance()) return &own_resources();
  set_error(ERROR_RESOURCE_DATA_NOT_FOUND);
  return nullptr;
}

res::Name res_name(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return res::id_name(static_cast<std::uint16_t>(reinterpret_cast<std::uintptr_t>(name)));
  return res::text_name(name);
}

}  // namespace winsim::client

using namespace winsim::client;
using namespace winsim;

extern "C" {

int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
  if (!lpBuffer || cchBufferMax <= 0) {
    set_error(ERROR_INVALID_PARAMETER);
    return 0;
  }
  lpBuffer[0] = 0;
  const auto *entries = module_resources(hInstance);
  if (!entries) return 0;
  auto s = res::find_string(*entries, uID);
  if (!s) {
    set_error(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  std::size_t n = std::min(s->size(), static_cast<std::size_t>(cchBufferMax - 1));
  s->copy(lpBuffer, n);
  lpBuffer[n] = 0;
  return static_cast<int>(n);
}

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
  return load_group(hInstance, lpIconName, 14, kSystemIconBase, 32512, 32517);
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
  return load_group(hInstance, lpCursorName, 12, kSystemCursorBase, 32512, 32651);
}

}  // extern "C"
