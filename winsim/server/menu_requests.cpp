// Requests on menus.
#include "handlers.h"

namespace winsim::server {

void handle(Server &s, Conn &c, const proto::CreateMenuReq &r) {
  auto menu = s.menus.create(r.items, c.process ? c.process->key : 0);
  if (!menu) return s.reply(c, kErrInvalidParameter, proto::CreateMenuRep{});
  s.reply(c, 0, proto::CreateMenuRep{*menu});
}

void handle(Server &s, Conn &c, const proto::GetSubMenuReq &r) {
  if (!s.menus.find(r.menu)) return s.reply(c, kErrInvalidMenu, proto::GetSubMenuRep{});
  s.reply(c, 0, proto::GetSubMenuRep{s.menus.sub_menu(r.menu, r.pos)});
}

void handle(Server &s, Conn &c, const proto::CheckMenuItemReq &r) {
  if (!s.menus.find(r.menu)) return s.reply(c, kErrInvalidMenu, proto::CheckMenuItemRep{kNoItem});
  s.reply(c, 0, proto::CheckMenuItemRep{s.menus.check(r.menu, r.item, r.flags)});
}

void handle(Server &s, Conn &c, const proto::EnableMenuItemReq &r) {
  if (!s.menus.find(r.menu)) return s.reply(c, kErrInvalidMenu, proto::EnableMenuItemRep{kNoItem});
  s.reply(c, 0, proto::EnableMenuItemRep{s.menus.enable(r.menu, r.item, r.flags)});
}

}  // namespace winsim::server
