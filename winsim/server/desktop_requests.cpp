// Requests about the desktop as a whole: connection, processes, settings, listings.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common.h"
#include "handlers.h"
#include "keyboard.h"
#include "listing.h"
#include "scene.h"

namespace winsim::server {

namespace {

std::string ps_text(const Server &s) {
  std::string out;
  for (const auto &p : s.processes.all()) {
    out += std::to_string(p->pid) + " state=" + state_name(s.state_of(*p)) +
           " requests=" + std::to_string(p->requests) + " exit=" +
           (p->ended && p->exitKnown ? std::to_string(p->exitCode) : "-") + "\n";
  }
  return out;
}

std::string windows_text(const Server &s) {
  std::string out;
  for (const auto &w : s.windows.all()) {
    out += hex8(w->hwnd) + " pid=" + std::to_string(w->pid) + " class=\"" +
           escape_text(w->className, true) + "\" title=\"" + escape_text(w->title, true) +
           "\" visible=" + (w->visible ? "1" : "0") + " iconic=" + (w->iconic ? "1" : "0") +
           " foreground=" + (s.windows.foreground == w->hwnd ? "1" : "0") + "\n";
  }
  return out;
}

}  // namespace

void handle(Server &s, Conn &c, const proto::HelloReq &r) {
  if (c.hello || r.role > 1) return s.reply(c, kErrInvalidParameter, proto::HelloRep{});
  c.hello = true;
  c.role = r.role;
  if (r.role == 0) {
    Process *p = s.processes.live(c.peer_pid());
    if (!p) p = &s.processes.add(c.peer_pid(), false);
    p->connected = true;
    p->conns.push_back(c.id());
    c.process = p;
  }
  s.reply(c, 0, proto::HelloRep{static_cast<std::uint32_t>(c.peer_pid())});
}

void handle(Server &s, Conn &c, const proto::ExitReq &r) {
  if (!c.process) return s.reply(c, kErrAccessDenied, proto::ExitRep{});
  c.process->announced = true;
  c.process->announcedCode = r.code;
  s.reply(c, 0, proto::ExitRep{});
}

void handle(Server &s, Conn &c, const proto::GetSettingReq &r) {
  if (r.key == "version.value") return s.reply(c, 0, proto::GetSettingRep{hex8(s.settings.version_value())});
  const std::string *v = s.settings.find(r.key);
  if (!v) return s.reply(c, kErrNotFound, proto::GetSettingRep{});
  s.reply(c, 0, proto::GetSettingRep{*v});
}

void handle(Server &s, Conn &c, const proto::RecordReq &r) {
  s.record.add(r.line);
  s.reply(c, 0, proto::RecordRep{});
}

void handle(Server &s, Conn &c, const proto::LaunchReq &r) {
  if (r.argv.empty()) return s.reply(c, kErrInvalidParameter, proto::LaunchRep{});
  pid_t pid = s.launch(r.argv, r.show);
  if (pid < 0) {
    std::fprintf(stderr, "winsim: cannot launch %s: %s\n", r.argv[0].c_str(), std::strerror(errno));
    return s.reply(c, kErrNotEnoughMemory, proto::LaunchRep{});
  }
  s.reply(c, 0, proto::LaunchRep{static_cast<std::uint32_t>(pid)});
}

void handle(Server &s, Conn &c, const proto::WaitIdleReq &r) {
  // Idleness is judged by settle(), once every other held request has been re-examined.
  s.hold(c, Held{r, {}, 0}, r.timeoutMs);
}

void handle(Server &s, Conn &c, const proto::WaitExitReq &r) {
  if (!s.processes.latest(static_cast<pid_t>(r.pid)))
    return s.reply(c, kErrInvalidParameter, proto::WaitExitRep{});
  s.hold(c, Held{r, {}, 0}, r.timeoutMs);
}

void handle(Server &s, Conn &c, const proto::QueryReq &r) {
  proto::QueryRep rep;
  if (r.what == "ps") {
    rep.text = ps_text(s);
  } else if (r.what == "windows") {
    rep.text = windows_text(s);
  } else if (r.what == "show") {
    rep.text = s.settings.show();
  } else if (r.what == "log") {
    rep.text = s.record.text();
  } else if (r.what == "scene") {
    rep.text = scene_text(s);
  } else if (r.what == "classes") {
    rep.text = classes_text(s);
  } else if (r.what == "textout" || r.what == "screen" || r.what == "menu-state") {
    Window *w = s.windows.find(r.hwnd);
    if (!w) return s.reply(c, kErrInvalidWindow, rep);
    if (r.what == "textout") rep.text = w->surface.textout_text();
    else if (r.what == "screen") rep.text = w->shows() ? w->surface.screen_text() : "";
    else if (w->menu) rep.text = s.menus.state_text(w->menu);
  } else {
    return s.reply(c, kErrInvalidParameter, rep);
  }
  s.reply(c, 0, rep);
}

void handle(Server &s, Conn &c, const proto::SetSettingsReq &r) {
  std::string error = s.settings.apply(r.items);
  s.reply(c, error.empty() ? 0 : kErrInvalidParameter, proto::SetSettingsRep{error});
}

void handle(Server &s, Conn &c, const proto::ResolveWindowReq &r) {
  std::uint32_t hwnd = resolve_window(s.windows, r.name);
  s.reply(c, hwnd ? 0 : kErrInvalidWindow, proto::ResolveWindowRep{hwnd});
}

void handle(Server &s, Conn &c, const proto::KeyInputReq &r) {
  Queue *q = s.queue_of(r.hwnd);
  if (!q) return s.reply(c, kErrInvalidWindow, proto::KeyInputRep{});
  for (const Msg &m : key_stroke(r.hwnd, r.vk, r.chr, r.mods, s.now_ms())) q->input(m);
  s.reply(c, 0, proto::KeyInputRep{});
}

void handle(Server &s, Conn &c, const proto::StopReq &) {
  s.stopRequested = true;
  s.reply(c, 0, proto::StopRep{});
}

}  // namespace winsim::server
