// Menus live on the desktop; templates come from the program's resources.
#include <windows.h>

#include "handles.h"
#include "process.h"
#include "rpc.h"
#include "wininfo.h"

using namespace winsim::client;
using namespace winsim;

extern "C" {

HMENU WINAPI GetMenu(HWND hWnd) {
  auto info = window_info(hWnd);
  return info ? to_handle<HMENU>(info->menu) : nullptr;
}

BOOL WINAPI SetMenu(HWND hWnd, HMENU hMenu) {
  proto::SetMenuReq req;
  req.hwnd = hval(hWnd);
  req.menu = hval(hMenu);
  return call_ok(req);
}

HMENU WINAPI LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName) {
  const auto *entries = module_resources(hInstance);
  if (!entries || !lpMenuName) return nullptr;
  const res::Entry *e = res::find(*entries, res::id_name(4), res_name(lpMenuName));
  if (!e) {
    set_error(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  auto items = res::menu_items(e->data);
  if (!items) {
    set_error(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  proto::CreateMenuReq req;
  req.items = std::move(*items);
  std::uint32_t status = 0;
  auto rep = call(req, status);
  if (status || !rep.menu) {
    set_error(status ? status : ERROR_INVALID_MENU_HANDLE);
    return nullptr;
  }
  return to_handle<HMENU>(rep.menu);
}

HMENU WINAPI GetSubMenu(HMENU hMenu, int nPos) {
  proto::GetSubMenuReq req;
  req.menu = hval(hMenu);
  req.pos = nPos;
  auto rep = call_checked(req);
  return rep ? to_handle<HMENU>(rep->sub) : nullptr;
}

DWORD WINAPI CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
  proto::CheckMenuItemReq req;
  req.menu = hval(hMenu);
  req.item = uIDCheckItem;
  req.flags = uCheck;
  auto rep = call_checked(req);
  if (!rep) return 0xFFFFFFFFu;
  return rep->prev;
}

BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
  proto::EnableMenuItemReq req;
  req.menu = hval(hMenu);
  req.item = uIDEnableItem;
  req.flags = uEnable;
  auto rep = call_checked(req);
  if (!rep) return -1;
  return static_cast<BOOL>(rep->prev);
}

}  // extern "C"
