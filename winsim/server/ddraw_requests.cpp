// Requests of ddraw.dll and its DirectDraw objects, answered by the driver's DirectDraw layer.
#include <algorithm>
#include <cctype>

#include "handlers.h"

namespace winsim::server {

namespace {

constexpr std::uint32_t kErrModNotFound = 126;
constexpr std::uint32_t kErrProcNotFound = 127;

// The owner key of the caller's process; nullopt for the winsim command.
std::optional<std::uint64_t> owner_of(const Conn &c) {
  if (!c.process) return std::nullopt;
  return c.process->key;
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  return text;
}

}  // namespace

void handle(Server &s, Conn &c, const proto::LibLoadReq &r) {
  auto owner = owner_of(c);
  if (!owner) return s.reply(c, kErrAccessDenied, proto::LibLoadRep{});
  if (lower(r.name) != "ddraw.dll" || !s.ddraw.load_library(s.settings, *owner))
    return s.reply(c, kErrModNotFound, proto::LibLoadRep{});
  s.reply(c, 0, proto::LibLoadRep{kDdrawModule});
}

void handle(Server &s, Conn &c, const proto::LibFreeReq &r) {
  auto owner = owner_of(c);
  if (!owner || r.module != kDdrawModule || !s.ddraw.free_library(*owner))
    return s.reply(c, kErrInvalidHandle, proto::LibFreeRep{});
  s.reply(c, 0, proto::LibFreeRep{});
}

void handle(Server &s, Conn &c, const proto::LibProcReq &r) {
  auto owner = owner_of(c);
  if (!owner || r.module != kDdrawModule || s.ddraw.library_refs(*owner) == 0)
    return s.reply(c, kErrModNotFound, proto::LibProcRep{});
  bool found = r.name == "DirectDrawCreate" && s.settings.get("ddraw") != "noentry";
  s.reply(c, found ? 0 : kErrProcNotFound, proto::LibProcRep{});
}

void handle(Server &s, Conn &c, const proto::DdCreateReq &) {
  auto owner = owner_of(c);
  if (!owner) return s.reply(c, kErrAccessDenied, proto::DdCreateRep{});
  s.ddraw.forget_ended(s.processes);
  proto::DdCreateRep rep;
  rep.hr = s.ddraw.create(s.settings, *owner, rep.object);
  s.reply(c, 0, rep);
}

void handle(Server &s, Conn &c, const proto::DdCoopReq &r) {
  auto owner = owner_of(c);
  if (!owner) return s.reply(c, kErrAccessDenied, proto::DdCoopRep{});
  s.reply(c, 0, proto::DdCoopRep{s.ddraw.set_coop(s.settings, *owner, r.object, r.flags)});
}

void handle(Server &s, Conn &c, const proto::DdSurfaceReq &r) {
  auto owner = owner_of(c);
  if (!owner) return s.reply(c, kErrAccessDenied, proto::DdSurfaceRep{});
  proto::DdSurfaceRep rep;
  rep.hr = s.ddraw.create_surface(s.settings, *owner, r.object, r.desc, rep.surface);
  s.reply(c, 0, rep);
}

void handle(Server &s, Conn &c, const proto::DdUpdateOverlayReq &r) {
  auto owner = owner_of(c);
  if (!owner || (!r.dst.empty() && r.dst.size() != 4) || (!r.src.empty() && r.src.size() != 4))
    return s.reply(c, kErrInvalidParameter, proto::DdUpdateOverlayRep{});
  OverlayCall call;
  call.surface = r.surface;
  call.dest = r.dest;
  call.flags = r.flags;
  call.hasDst = !r.dst.empty();
  for (std::size_t i = 0; i < r.dst.size(); ++i) call.dst[i] = static_cast<std::int32_t>(r.dst[i]);
  call.fx = r.fx;
  s.reply(c, 0, proto::DdUpdateOverlayRep{s.ddraw.update_overlay(s.settings, s.record, *owner, call)});
}

void handle(Server &s, Conn &c, const proto::DdReleaseReq &r) {
  auto owner = owner_of(c);
  if (!owner || !s.ddraw.release(*owner, r.object))
    return s.reply(c, kErrInvalidHandle, proto::DdReleaseRep{});
  s.reply(c, 0, proto::DdReleaseRep{});
}

void handle(Server &s, Conn &c, const proto::DisplayModeReq &r) {
  if (r.width == 0 || r.height == 0 || r.bpp == 0)
    return s.reply(c, kErrInvalidParameter, proto::DisplayModeRep{});
  s.ddraw.lose_surfaces();
  proto::DisplayModeRep rep;
  for (const auto &w : s.windows.all()) rep.windows.push_back(w->hwnd);
  s.reply(c, 0, rep);
}

void handle(Server &s, Conn &c, const proto::DdHeldReq &r) {
  Process *p = s.processes.latest(static_cast<pid_t>(r.pid));
  if (!p) return s.reply(c, kErrInvalidParameter, proto::DdHeldRep{});
  s.ddraw.forget_ended(s.processes);
  DdHeldCounts held = s.ddraw.held(p->key);
  s.reply(c, 0, proto::DdHeldRep{held.libraryRefs, held.directDraws, held.primaries, held.overlays});
}

}  // namespace winsim::server
