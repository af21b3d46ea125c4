// Requests of the simulated adapter: the escape, ring-0 handles, the VxD and `signal`.
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "handlers.h"

namespace winsim::server {

namespace {

constexpr std::uint32_t kErrGenFailure = 31;
constexpr std::uint32_t kErrInvalidFunction = 1;

std::uint32_t word_at(const std::string &bytes, std::size_t index) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[index * 4 + i]);
  return v;
}

std::string words_bytes(const EscapeWords &words) {
  std::string out;
  for (std::uint32_t w : words)
    for (int i = 0; i < 4; ++i) out += static_cast<char>(w >> (8 * i));
  return out;
}

std::string words_text(const EscapeWords &words) {
  std::string out;
  char buf[16];
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%s%08x", i ? "," : "", words[i]);
    out += buf;
  }
  return out;
}

bool is_vxd(const std::string &path) { return ::strcasecmp(path.c_str(), kVxdPath) == 0; }

}  // namespace

void handle(Server &s, Conn &c, const proto::EscapeReq &r) {
  proto::EscapeRep rep;
  if (r.escape == kQueryEscSupport) {
    if (r.input.size() < 4) return s.reply(c, kErrInvalidParameter, rep);
    std::uint32_t asked = word_at(r.input, 0);
    rep.ret = asked == kOstikEscape || asked == kQueryEscSupport ? 1 : 0;
    return s.reply(c, 0, rep);
  }
  if (r.escape != kOstikEscape) return s.reply(c, 0, rep);  // not supported: 0
  if (r.input.size() < 28 || r.outputSize < 28) {
    rep.ret = -1;
    return s.reply(c, kErrInvalidParameter, rep);
  }
  EscapeWords in{};
  for (std::size_t i = 0; i < in.size(); ++i) in[i] = word_at(r.input, i);
  auto out = s.adapter.escape(s, c.process, in);
  s.record.add("escape " + command_name(in[0]) + " in=" + words_text(in) +
               " out=" + words_text(out.value_or(in)));
  if (out) {
    rep.ret = 1;
    rep.output = words_bytes(*out);
  }
  s.reply(c, 0, rep);
}

void handle(Server &s, Conn &c, const proto::OpenVxDHandleReq &r) {
  auto event = c.process ? c.process->handles.share(r.handle) : nullptr;
  if (!event) return s.reply(c, kErrInvalidHandle, proto::OpenVxDHandleRep{});
  if (s.settings.get("ring0") == "zero") return s.reply(c, 0, proto::OpenVxDHandleRep{});
  s.reply(c, 0, proto::OpenVxDHandleRep{s.adapter.ring0_handle(event)});
}

void handle(Server &s, Conn &c, const proto::OpenDeviceReq &r) {
  if (!is_vxd(r.path)) return s.reply(c, kErrFileNotFound, proto::OpenDeviceRep{});
  bool absent = s.settings.get("vxd") == "absent";
  s.record.add(absent ? "vxd open absent" : "vxd open ok");
  s.reply(c, absent ? kErrFileNotFound : 0, proto::OpenDeviceRep{});
}

void handle(Server &s, Conn &c, const proto::DeviceControlReq &r) {
  if (!is_vxd(r.path)) return s.reply(c, kErrInvalidHandle, proto::DeviceControlRep{});
  std::uint32_t status = 0;
  proto::DeviceControlRep rep;
  if (r.code != kVxdStatusCode) {
    status = kErrInvalidFunction;
  } else if (s.settings.get("vxd") == "silent") {
    status = kErrGenFailure;
  } else if (r.input.size() < 4 || word_at(r.input, 0) != kStat) {
    status = kErrInvalidParameter;
  } else {
    // The status: 'Stat' echoed and the two periods, as far as the caller's buffer goes.
    EscapeWords words{kStat, s.settings.number("period.video"), s.settings.number("period.monitor")};
    rep.output = words_bytes(words).substr(0, std::min<std::size_t>(12, r.outputSize));
    rep.returned = static_cast<std::uint32_t>(rep.output.size());
  }
  char line[64];
  std::snprintf(line, sizeof line, "vxd ioctl %08x %s", r.code, status ? "fail" : "ok");
  s.record.add(line);
  s.reply(c, status, rep);
}

void handle(Server &s, Conn &c, const proto::SignalReq &r) {
  if (r.which != "video" && r.which != "monitor") return s.reply(c, kErrInvalidParameter, proto::SignalRep{});
  Source which = r.which == "video" ? Source::Video : Source::Monitor;
  // Signals to events that are gone are dropped; the caller is not told.
  for (std::uint32_t i = 0; i < r.count; ++i) s.adapter.signal(s, which);
  s.reply(c, 0, proto::SignalRep{});
}

}  // namespace winsim::server
