// Requests on window placement and state, dialogs and GDI objects, and their listings.
#include <cstdio>

#include "common.h"
#include "handlers.h"
#include "listing.h"

namespace winsim::server {

namespace {

std::string dialogs_text(Server &s) {
  std::string out;
  for (auto it = s.ui.dialogs.begin(); it != s.ui.dialogs.end();) {
    Window *w = s.windows.find(it->first);
    if (!w || !s.conn(it->second.conn)) {
      it = s.ui.dialogs.erase(it);
      continue;
    }
    const DialogRecord &d = it->second;
    out += hex8(w->hwnd) + " title=\"" + escape_text(w->title, true) + "\" owner=" + hex8(d.owner) +
           " rect=" + std::to_string(w->rect.left) + "," + std::to_string(w->rect.top) + "," +
           std::to_string(w->rect.right) + "," + std::to_string(w->rect.bottom) +
           " visible=" + (w->visible ? "1" : "0") + " kind=" + (d.kind == 1 ? "messagebox" : "dialog") +
           "\n";
    for (const auto &ctl : d.controls) {
      out += "  " + std::to_string(ctl.id) + " " + escape_text(ctl.className) + " \"" +
             escape_text(ctl.text, true) + "\" font=" + std::to_string(ctl.font);
      if (!ctl.flags.empty()) out += " " + escape_text(ctl.flags);
      out += "\n";
    }
    ++it;
  }
  return out;
}

std::string popups_text(Server &s) {
  std::string out;
  for (auto it = s.ui.tracked.begin(); it != s.ui.tracked.end();) {
    if (!s.conn(it->second.conn) || !s.windows.find(it->first)) {
      it = s.ui.tracked.erase(it);
      continue;
    }
    const TrackedMenu &t = it->second;
    out += hex8(it->first) + " menu=" + hex8(t.menu) + " x=" + std::to_string(t.x) + " y=" +
           std::to_string(t.y) + " bar=" + (t.bar ? "1" : "0") + "\n";
    std::string items = s.menus.state_text(t.menu);
    for (std::size_t at = 0; at < items.size();) {
      std::size_t end = items.find('\n', at);
      if (end == std::string::npos) end = items.size();
      out += "  " + items.substr(at, end - at) + "\n";
      at = end + 1;
    }
    ++it;
  }
  return out;
}

std::string gdi_text(const Server &s) {
  std::string out;
  for (const auto &[pid, n] : s.ui.gdi) {
    std::uint32_t live = 0;
    for (const auto &[h, f] : s.ui.fonts) live += f.pid == pid;
    out += std::to_string(pid) + " created=" + std::to_string(n.created) + " deleted=" +
           std::to_string(n.deleted) + " refused=" + std::to_string(n.refused) +
           " live=" + std::to_string(live) + "\n";
    for (const auto &[h, f] : s.ui.fonts) {
      if (f.pid != pid) continue;
      char pitch[8];
      std::snprintf(pitch, sizeof pitch, "0x%02x", f.pitch);
      out += std::to_string(pid) + " " + hex8(h) + " font height=" + std::to_string(f.height) +
             " width=" + std::to_string(f.width) + " weight=" + std::to_string(f.weight) +
             " charset=" + std::to_string(f.charset) + " pitch=" + pitch + " italic=" +
             std::to_string(f.italic) + " face=\"" + escape_text(f.face, true) + "\"\n";
    }
  }
  return out;
}

}  // namespace

void handle(Server &s, Conn &c, const proto::EnableWindowReq &r) {
  if (!s.windows.find(r.hwnd)) return s.reply(c, kErrInvalidWindow, proto::EnableWindowRep{});
  if (r.enable > 2) return s.reply(c, kErrInvalidParameter, proto::EnableWindowRep{});
  proto::EnableWindowRep rep{s.ui.disabled.count(r.hwnd) ? 1u : 0u};
  if (r.enable == 0) s.ui.disabled.insert(r.hwnd);
  if (r.enable == 1) s.ui.disabled.erase(r.hwnd);
  s.reply(c, 0, rep);
}

void handle(Server &s, Conn &c, const proto::GetForegroundReq &) {
  s.reply(c, 0, proto::GetForegroundRep{s.windows.foreground});
}

void handle(Server &s, Conn &c, const proto::MoveWindowReq &r) {
  Window *w = s.windows.find(r.hwnd);
  if (!w || w->owner != c.id()) return s.reply(c, w ? kErrAccessDenied : kErrInvalidWindow, proto::MoveWindowRep{});
  if (r.right < r.left || r.bottom < r.top || r.right - r.left > 16384 || r.bottom - r.top > 16384)
    return s.reply(c, kErrInvalidParameter, proto::MoveWindowRep{});
  bool resized = r.right - r.left != w->rect.right - w->rect.left || r.bottom - r.top != w->rect.bottom - w->rect.top;
  w->rect = {r.left, r.top, r.right, r.bottom};
  if (resized) {
    w->fit_surface();
    s.invalidate(*w, true);
  }
  s.reply(c, 0, proto::MoveWindowRep{});
}

void handle(Server &s, Conn &c, const proto::SetTitleReq &r) {
  Window *w = s.windows.find(r.hwnd);
  if (!w || w->owner != c.id()) return s.reply(c, w ? kErrAccessDenied : kErrInvalidWindow, proto::SetTitleRep{});
  w->title = r.title;
  s.reply(c, 0, proto::SetTitleRep{});
}

void handle(Server &s, Conn &c, const proto::DialogSetReq &r) {
  Window *w = s.windows.find(r.hwnd);
  if (!w || w->owner != c.id()) return s.reply(c, w ? kErrAccessDenied : kErrInvalidWindow, proto::DialogSetRep{});
  std::size_t n = r.ids.size();
  if (r.classes.size() != n || r.texts.size() != n || r.fonts.size() != n || r.flags.size() != n || r.kind > 1 ||
      (!r.rects.empty() && r.rects.size() != 4 * n))
    return s.reply(c, kErrInvalidParameter, proto::DialogSetRep{});
  DialogRecord d{c.id(), r.owner, r.kind, {}};
  auto at = [&r](std::size_t i) { return static_cast<std::int32_t>(r.rects[i]); };
  for (std::size_t i = 0; i < n; ++i) {
    DialogControl ctl{static_cast<std::int16_t>(r.ids[i] & 0xFFFF), r.classes[i], r.texts[i], r.flags[i], r.fonts[i]};
    if (!r.rects.empty()) {
      ctl.placed = true;
      ctl.left = at(4 * i);
      ctl.top = at(4 * i + 1);
      ctl.right = at(4 * i + 2);
      ctl.bottom = at(4 * i + 3);
    }
    d.controls.push_back(std::move(ctl));
  }
  s.ui.dialogs[r.hwnd] = std::move(d);
  s.reply(c, 0, proto::DialogSetRep{});
}

void handle(Server &s, Conn &c, const proto::DialogGoneReq &r) {
  auto it = s.ui.dialogs.find(r.hwnd);
  if (it == s.ui.dialogs.end() || it->second.conn != c.id())
    return s.reply(c, kErrInvalidWindow, proto::DialogGoneRep{});
  s.ui.dialogs.erase(it);
  s.reply(c, 0, proto::DialogGoneRep{});
}

void handle(Server &s, Conn &c, const proto::CreateFontReq &r) {
  if (!c.process) return s.reply(c, kErrAccessDenied, proto::CreateFontRep{});
  Font f{static_cast<std::uint32_t>(c.process->pid), c.process->key, r.height, r.width, r.weight,
         r.charset, r.pitch, r.italic, r.face};
  std::uint32_t handle = s.ui.nextGdi;
  s.ui.nextGdi += 4;
  s.ui.fonts.emplace(handle, std::move(f));
  ++s.ui.gdi[static_cast<std::uint32_t>(c.process->pid)].created;
  s.reply(c, 0, proto::CreateFontRep{handle});
}

void handle(Server &s, Conn &c, const proto::DeleteObjectReq &r) {
  if (!c.process) return s.reply(c, kErrAccessDenied, proto::DeleteObjectRep{});
  GdiCounts &n = s.ui.gdi[static_cast<std::uint32_t>(c.process->pid)];
  auto it = s.ui.fonts.find(r.handle);
  // Another process's object is not this one's to delete.
  if (it == s.ui.fonts.end() || it->second.process != c.process->key) {
    ++n.refused;
    return s.reply(c, kErrInvalidHandle, proto::DeleteObjectRep{});
  }
  s.ui.fonts.erase(it);
  ++n.deleted;
  s.reply(c, 0, proto::DeleteObjectRep{});
}

void handle(Server &s, Conn &c, const proto::UiQueryReq &r) {
  if (r.what == "dialogs") return s.reply(c, 0, proto::UiQueryRep{dialogs_text(s)});
  if (r.what == "gdi") return s.reply(c, 0, proto::UiQueryRep{gdi_text(s)});
  if (r.what == "popups") return s.reply(c, 0, proto::UiQueryRep{popups_text(s)});
  s.reply(c, kErrInvalidParameter, proto::UiQueryRep{});
}

}  // namespace winsim::server
