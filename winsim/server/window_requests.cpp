// Requests on windows: creation, state, lookup, painting and drawing.
#include "handlers.h"

namespace winsim::server {

namespace {

// The caller's own window, or the status that refuses it.
std::uint32_t own(Server &s, Conn &c, std::uint32_t hwnd, Window *&w) {
  w = s.windows.find(hwnd);
  if (!w) return kErrInvalidWindow;
  return w->owner == c.id() ? 0 : kErrAccessDenied;
}

}  // namespace

void handle(Server &s, Conn &c, const proto::CreateWindowReq &r) {
  // Only top-level windows exist: the parent is not looked at.
  if (r.menu != 0 && !s.menus.find(r.menu)) return s.reply(c, kErrInvalidMenu, proto::CreateWindowRep{});
  std::uint32_t pid = c.process ? static_cast<std::uint32_t>(c.process->pid) : 0;
  Window &w = s.windows.create(c.id(), pid, r.className, r.title, r.x, r.y, r.cx, r.cy);
  w.style = r.style;
  w.exStyle = r.exStyle;
  w.menu = r.menu;
  w.fit_surface();
  s.reply(c, 0, proto::CreateWindowRep{w.hwnd});
}

void handle(Server &s, Conn &c, const proto::DestroyWindowReq &r) {
  Window *w = nullptr;
  if (std::uint32_t err = own(s, c, r.hwnd, w)) return s.reply(c, err, proto::DestroyWindowRep{});
  s.destroy_window(r.hwnd);
  s.reply(c, 0, proto::DestroyWindowRep{});
}

void handle(Server &s, Conn &c, const proto::GetWindowInfoReq &r) {
  Window *w = s.windows.find(r.hwnd);
  if (!w) return s.reply(c, kErrInvalidWindow, proto::GetWindowInfoRep{});
  proto::GetWindowInfoRep rep;
  rep.owner = w->pid;
  rep.mine = w->owner == c.id();
  rep.visible = w->visible;
  rep.iconic = w->iconic;
  rep.style = w->style;
  rep.left = w->rect.left;
  rep.top = w->rect.top;
  rep.right = w->rect.right;
  rep.bottom = w->rect.bottom;
  rep.clientWidth = w->client_width();
  rep.clientHeight = w->client_height();
  rep.menu = w->menu;
  rep.className = w->className;
  rep.title = w->title;
  s.reply(c, 0, rep);
}

void handle(Server &s, Conn &c, const proto::SetWindowStateReq &r) {
  Window *w = nullptr;
  if (std::uint32_t err = own(s, c, r.hwnd, w)) return s.reply(c, err, proto::SetWindowStateRep{});
  if (r.activate > 2) return s.reply(c, kErrInvalidParameter, proto::SetWindowStateRep{});
  bool visible = r.visible != 0, iconic = r.iconic != 0;
  bool uncovered = (visible && !w->visible) || (visible && w->iconic && !iconic);
  bool covered = (w->visible && !visible) || (!w->iconic && iconic);
  w->visible = visible;
  w->iconic = iconic;
  if (covered) {
    w->surface.clear();
    w->invalid = false;
    w->erase = false;
  }
  if (uncovered) s.invalidate(*w, true);
  if (r.activate == 1) s.windows.foreground = w->hwnd;
  if (r.activate == 2 && s.windows.foreground == w->hwnd) s.windows.foreground = 0;
  s.reply(c, 0, proto::SetWindowStateRep{});
}

void handle(Server &s, Conn &c, const proto::FindWindowReq &r) {
  proto::FindWindowRep rep;
  for (const auto &w : s.windows.all()) {
    if (r.byClass && !equal_nocase(w->className, r.className)) continue;
    if (r.byTitle && !equal_nocase(w->title, r.title)) continue;
    rep.hwnd = w->hwnd;
    break;
  }
  s.reply(c, 0, rep);
}

void handle(Server &s, Conn &c, const proto::SetForegroundReq &r) {
  if (!s.windows.find(r.hwnd)) return s.reply(c, kErrInvalidWindow, proto::SetForegroundRep{});
  s.windows.foreground = r.hwnd;
  s.reply(c, 0, proto::SetForegroundRep{});
}

void handle(Server &s, Conn &c, const proto::SetMenuReq &r) {
  Window *w = nullptr;
  if (std::uint32_t err = own(s, c, r.hwnd, w)) return s.reply(c, err, proto::SetMenuRep{});
  if (r.menu != 0 && !s.menus.find(r.menu)) return s.reply(c, kErrInvalidMenu, proto::SetMenuRep{});
  w->menu = r.menu;
  w->fit_surface();
  s.reply(c, 0, proto::SetMenuRep{});
}

void handle(Server &s, Conn &c, const proto::BeginPaintReq &r) {
  Window *w = s.windows.find(r.hwnd);
  if (!w) return s.reply(c, kErrInvalidWindow, proto::BeginPaintRep{});
  proto::BeginPaintRep rep{w->erase ? 1u : 0u};
  w->invalid = false;
  w->erase = false;
  s.reply(c, 0, rep);
}

void handle(Server &s, Conn &c, const proto::InvalidateReq &r) {
  Window *w = s.windows.find(r.hwnd);
  if (!w) return s.reply(c, kErrInvalidWindow, proto::InvalidateRep{});
  s.invalidate(*w, r.erase != 0);
  s.reply(c, 0, proto::InvalidateRep{});
}

void handle(Server &s, Conn &c, const proto::GetUpdateReq &r) {
  Window *w = s.windows.find(r.hwnd);
  if (!w) return s.reply(c, kErrInvalidWindow, proto::GetUpdateRep{});
  s.reply(c, 0, proto::GetUpdateRep{w->invalid ? 1u : 0u});
}

void handle(Server &s, Conn &c, const proto::EraseClientReq &r) {
  Window *w = s.windows.find(r.hwnd);
  if (!w) return s.reply(c, kErrInvalidWindow, proto::EraseClientRep{});
  if (w->shows()) w->surface.clear();
  s.reply(c, 0, proto::EraseClientRep{});
}

void handle(Server &s, Conn &c, const proto::TextOutReq &r) {
  Window *w = s.windows.find(r.hwnd);
  if (!w) return s.reply(c, kErrInvalidWindow, proto::TextOutRep{});
  w->surface.text_out(r.x, r.y, r.text, w->shows());
  s.reply(c, 0, proto::TextOutRep{});
}

}  // namespace winsim::server
