// Global memory blocks and the user's language.
#include <windows.h>

#include <cstdlib>
#include <new>

#include "handles.h"
#include "process.h"
#include "settings.h"

namespace winsim::client {
namespace {

// Larger requests fail as an exhausted heap would.
constexpr SIZE_T kMaxBlock = 64u << 20;

GlobalBlock *find_block(HGLOBAL h) {
  auto &globals = process().ui.globals;
  auto it = globals.find(reinterpret_cast<std::uintptr_t>(h));
  return it == globals.end() ? nullptr : &it->second;
}

}  // namespace
}  // namespace winsim::client

using namespace winsim::client;

extern "C" {

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
  if (dwBytes > kMaxBlock) {
    set_error(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  GlobalBlock block;
  block.bytes.reset(new (std::nothrow) std::byte[dwBytes ? dwBytes : 1]());
  if (!block.bytes) {
    set_error(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  block.size = dwBytes;
  block.fixed = !(uFlags & GMEM_MOVEABLE);
  UiState &ui = process().ui;
  // A fixed block's handle is its address; a movable one's is a handle of its own.
  std::uintptr_t h = block.fixed ? reinterpret_cast<std::uintptr_t>(block.bytes.get()) : ui.nextGlobal;
  if (!block.fixed) ui.nextGlobal += 8;
  ui.globals.emplace(h, std::move(block));
  return reinterpret_cast<HGLOBAL>(h);
}

LPVOID WINAPI GlobalLock(HGLOBAL hMem) {
  GlobalBlock *b = find_block(hMem);
  if (!b) {
    set_error(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!b->fixed) ++b->locks;
  return b->bytes.get();
}

BOOL WINAPI GlobalUnlock(HGLOBAL hMem) {
  GlobalBlock *b = find_block(hMem);
  if (!b) {
    set_error(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (b->fixed || b->locks == 0) {
    set_error(ERROR_NOT_LOCKED);
    return FALSE;
  }
  if (--b->locks == 0) {
    set_error(NO_ERROR);
    return FALSE;
  }
  return TRUE;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
  if (!process().ui.globals.erase(reinterpret_cast<std::uintptr_t>(hMem))) {
    set_error(ERROR_INVALID_HANDLE);
    return hMem;
  }
  return nullptr;
}

SIZE_T WINAPI GlobalSize(HGLOBAL hMem) {
  GlobalBlock *b = find_block(hMem);
  return b ? b->size : 0;
}

LANGID WINAPI GetUserDefaultLangID(void) {
  std::string v = setting("langid").value_or("0x0409");
  return static_cast<LANGID>(std::strtoul(v.c_str(), nullptr, 0));
}

}  // extern "C"
