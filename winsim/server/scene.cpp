#include "scene.h"

#include <algorithm>

#include "common.h"
#include "listing.h"
#include "state.h"

namespace winsim::server {

namespace {

void add_menu_items(std::string &out, const char *tag, Menus &menus, std::uint32_t handle, bool flags) {
  Menu *m = menus.find(handle);
  if (!m) return;
  for (const MenuItem &item : m->items) {
    out += tag;
    if (flags) out += " " + hex8(item.flags);
    out += " " + escape_text(item.text) + "\n";
  }
}

// Space-separated flags as one field: "a,b", or "-" for none.
std::string flags_field(const std::string &flags) {
  std::string out;
  for (char ch : flags) out += ch == ' ' ? ',' : ch;
  return out.empty() ? "-" : escape_text(out);
}

void add_rows(std::string &out, const Window &w) {
  if (!w.shows()) return;
  std::string screen = w.surface.screen_text();
  int row = 0;
  for (std::size_t at = 0; at < screen.size(); ++row) {
    std::size_t end = screen.find('\n', at);
    if (end == std::string::npos) end = screen.size();
    if (end > at) out += "row " + std::to_string(row) + " " + screen.substr(at, end - at) + "\n";
    at = end + 1;
  }
}

}  // namespace

std::string scene_text(Server &s) {
  std::vector<const Window *> order;
  auto is_dialog = [&](const Window *w) { return s.ui.dialogs.count(w->hwnd) != 0; };
  for (const auto &w : s.windows.all()) order.push_back(w.get());
  std::stable_sort(order.begin(), order.end(), [&](const Window *a, const Window *b) {
    auto rank = [&](const Window *w) { return w->hwnd == s.windows.foreground ? 2 : is_dialog(w) ? 1 : 0; };
    return rank(a) < rank(b);
  });

  std::string out;
  for (const Window *w : order) {
    auto dlg = s.ui.dialogs.find(w->hwnd);
    const char *kind = dlg == s.ui.dialogs.end() ? "window" : dlg->second.kind == 1 ? "messagebox" : "dialog";
    out += "window " + hex8(w->hwnd) + " " + std::to_string(w->rect.left) + " " + std::to_string(w->rect.top) +
           " " + std::to_string(w->rect.right) + " " + std::to_string(w->rect.bottom) + " " +
           (w->visible ? "1" : "0") + " " + (w->iconic ? "1" : "0") + " " +
           (s.windows.foreground == w->hwnd ? "1" : "0") + " " + kind + " " + escape_text(w->title) + "\n";
    if (w->menu) add_menu_items(out, "bar", s.menus, w->menu, false);
    add_rows(out, *w);
    if (dlg != s.ui.dialogs.end())
      for (const auto &ctl : dlg->second.controls) {
        out += "control " + std::to_string(ctl.id) + " " + escape_text(ctl.className) + " " +
               flags_field(ctl.flags) + " " + escape_text(ctl.text) + "\n";
        if (ctl.placed)
          out += "rect " + std::to_string(ctl.left) + " " + std::to_string(ctl.top) + " " + std::to_string(ctl.right) +
                 " " + std::to_string(ctl.bottom) + " " + std::to_string(ctl.font) + "\n";
      }
  }
  for (const auto &[hwnd, t] : s.ui.tracked) {
    if (!s.conn(t.conn) || !s.windows.find(hwnd)) continue;
    out += "popup " + std::to_string(t.x) + " " + std::to_string(t.y) + "\n";
    add_menu_items(out, "item", s.menus, t.menu, true);
  }
  return out;
}

}  // namespace winsim::server
