// The user's menu choices and mouse clicks, and where on a window they land.
#include "common.h"
#include "handlers.h"
#include "metrics.h"

namespace winsim::server {

namespace {

constexpr std::uint32_t kWmNcLButtonDown = 0xA1;
constexpr std::uint32_t kWmNcRButtonDown = 0xA4;
constexpr std::uint32_t kWmLButtonDown = 0x201;
constexpr std::uint32_t kWmRButtonDown = 0x204;
constexpr std::uint32_t kHtCaption = 2;
constexpr std::uint32_t kHtSysMenu = 3;
constexpr std::uint32_t kHtMenu = 5;
constexpr std::uint32_t kMkLButton = 1;
constexpr std::uint32_t kMkRButton = 2;

std::uint64_t pack_point(std::int32_t x, std::int32_t y) {
  return (static_cast<std::uint32_t>(x) & 0xFFFFu) | ((static_cast<std::uint32_t>(y) & 0xFFFFu) << 16);
}

Msg mouse(Server &s, std::uint32_t hwnd, std::uint32_t msg, std::uint64_t wParam,
          std::uint64_t lParam, ScreenPoint at) {
  Msg m;
  m.hwnd = hwnd;
  m.msg = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = s.now_ms();
  m.x = at.x;
  m.y = at.y;
  return m;
}

// The command item `id` of menu `handle` or its popups, depth first.
const MenuItem *find_item(Menus &menus, std::uint32_t handle, std::uint32_t id, int depth = 0) {
  Menu *m = menus.find(handle);
  if (!m || depth > 32) return nullptr;
  for (const auto &it : m->items) {
    if (it.flags & kMfPopup) {
      if (const MenuItem *found = find_item(menus, it.sub, id, depth + 1)) return found;
    } else if (!(it.flags & kMfSeparator) && it.id == id) {
      return &it;
    }
  }
  return nullptr;
}

// Why item id of menu cannot be chosen; "" when it can.
std::string refusal(Menus &menus, std::uint32_t menu, std::uint32_t id, const char *where) {
  const MenuItem *item = find_item(menus, menu, id);
  if (!item) return "no item " + std::to_string(id) + " in " + where;
  if (item->flags & (kMfGrayed | kMfDisabled)) return "item " + std::to_string(id) + " is greyed";
  return "";
}

// The tracking of hwnd's menus, if its thread still runs it.
TrackedMenu *tracked(Server &s, std::uint32_t hwnd) {
  auto it = s.ui.tracked.find(hwnd);
  if (it == s.ui.tracked.end()) return nullptr;
  if (!s.conn(it->second.conn) || !s.windows.find(hwnd)) {
    s.ui.tracked.erase(it);
    return nullptr;
  }
  return &it->second;
}

void post_choice(Conn &to, std::uint32_t hwnd, std::uint32_t id, std::uint32_t time) {
  Msg m;
  m.hwnd = hwnd;
  m.msg = kMsgMenuChoice;
  m.wParam = id;
  m.time = time;
  to.queue.post(m);
}

}  // namespace

ScreenPoint system_menu_point(const Rect &r) {
  return {r.left + metrics::kFrame + metrics::kCaption / 2, r.top + metrics::kFrame + metrics::kCaption / 2};
}

ScreenPoint caption_point(const Rect &r) {
  return {(r.left + r.right) / 2, r.top + metrics::kFrame + metrics::kCaption / 2};
}

ScreenPoint menu_bar_point(const Rect &r) {
  return {r.left + metrics::kFrame + 8, r.top + metrics::kFrame + metrics::kCaption + metrics::kMenuBar / 2};
}

ScreenPoint client_origin(const Rect &r, bool hasMenu) {
  return {r.left + metrics::kFrame,
          r.top + metrics::kFrame + metrics::kCaption + (hasMenu ? metrics::kMenuBar : 0)};
}

void handle(Server &s, Conn &c, const proto::MenuTrackReq &r) {
  Window *w = s.windows.find(r.hwnd);
  if (!w || w->owner != c.id()) return s.reply(c, w ? kErrAccessDenied : kErrInvalidWindow, proto::MenuTrackRep{});
  if (!r.open) {
    auto it = s.ui.tracked.find(r.hwnd);
    if (it != s.ui.tracked.end() && it->second.conn == c.id()) s.ui.tracked.erase(it);
    return s.reply(c, 0, proto::MenuTrackRep{});
  }
  if (!s.menus.find(r.menu)) return s.reply(c, kErrInvalidMenu, proto::MenuTrackRep{});
  s.ui.tracked[r.hwnd] = TrackedMenu{c.id(), r.menu, r.x, r.y, r.bar != 0};
  // The click that opened the menu bar already named the item.
  if (r.bar) {
    auto pending = s.ui.pendingBar.find(r.hwnd);
    if (pending != s.ui.pendingBar.end()) {
      post_choice(c, r.hwnd, pending->second, s.now_ms());
      s.ui.pendingBar.erase(pending);
    }
  }
  s.reply(c, 0, proto::MenuTrackRep{});
}

void handle(Server &s, Conn &c, const proto::MenuChooseReq &r) {
  Window *w = s.windows.find(r.hwnd);
  Queue *q = s.queue_of(r.hwnd);
  if (!w || !q) return s.reply(c, kErrInvalidWindow, proto::MenuChooseRep{});
  if (s.ui.disabled.count(r.hwnd)) return s.reply(c, kErrAccessDenied, proto::MenuChooseRep{"window is disabled"});
  if (TrackedMenu *open = tracked(s, r.hwnd)) {
    std::string why = refusal(s.menus, open->menu, r.id, open->bar ? "the menu" : "the open menu");
    if (!why.empty()) return s.reply(c, kErrNotFound, proto::MenuChooseRep{why});
    post_choice(*s.conn(open->conn), r.hwnd, r.id, s.now_ms());
    return s.reply(c, 0, proto::MenuChooseRep{});
  }
  if (!w->menu || !w->shows()) return s.reply(c, kErrNotFound, proto::MenuChooseRep{"window shows no menu"});
  std::string why = refusal(s.menus, w->menu, r.id, "the menu");
  if (!why.empty()) return s.reply(c, kErrNotFound, proto::MenuChooseRep{why});
  // A click on the menu bar starts the window's menu loop, which then takes the item.
  s.ui.pendingBar[r.hwnd] = r.id;
  ScreenPoint at = menu_bar_point(w->rect);
  q->input(mouse(s, r.hwnd, kWmNcLButtonDown, kHtMenu, pack_point(at.x, at.y), at));
  s.reply(c, 0, proto::MenuChooseRep{});
}

void handle(Server &s, Conn &c, const proto::MouseInputReq &r) {
  Window *w = s.windows.find(r.hwnd);
  Queue *q = s.queue_of(r.hwnd);
  if (!w || !q) return s.reply(c, kErrInvalidWindow, proto::MouseInputRep{});
  if (r.button > 1 || r.area > 2) return s.reply(c, kErrInvalidParameter, proto::MouseInputRep{"bad button or area"});
  if (!w->shows()) return s.reply(c, kErrAccessDenied, proto::MouseInputRep{"window is not shown"});
  if (s.ui.disabled.count(r.hwnd)) return s.reply(c, kErrAccessDenied, proto::MouseInputRep{"window is disabled"});
  bool right = r.button == 1;
  if (r.area == 0) {
    if (r.x < 0 || r.y < 0 || r.x >= w->client_width() || r.y >= w->client_height())
      return s.reply(c, kErrInvalidParameter, proto::MouseInputRep{"point outside the client area"});
    ScreenPoint o = client_origin(w->rect, w->menu != 0);
    ScreenPoint at{o.x + r.x, o.y + r.y};
    std::uint32_t down = right ? kWmRButtonDown : kWmLButtonDown;
    q->input(mouse(s, r.hwnd, down, right ? kMkRButton : kMkLButton, pack_point(r.x, r.y), at));
    q->input(mouse(s, r.hwnd, down + 1, 0, pack_point(r.x, r.y), at));
  } else {
    ScreenPoint at = r.area == 1 ? system_menu_point(w->rect) : caption_point(w->rect);
    std::uint32_t hit = r.area == 1 ? kHtSysMenu : kHtCaption;
    std::uint32_t down = right ? kWmNcRButtonDown : kWmNcLButtonDown;
    q->input(mouse(s, r.hwnd, down, hit, pack_point(at.x, at.y), at));
    q->input(mouse(s, r.hwnd, down + 1, hit, pack_point(at.x, at.y), at));
  }
  s.reply(c, 0, proto::MouseInputRep{});
}

}  // namespace winsim::server
