#include "adapter.h"

#include <cstdio>

#include "state.h"

namespace winsim::server {

namespace {

constexpr std::uint32_t fourcc(const char (&s)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(s[0])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[2])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[3]));
}

constexpr std::uint32_t kRset = fourcc("Rset"), kGoEV = fourcc("GoEV"), kGoEM = fourcc("GoEM"),
                        kNoEV = fourcc("NoEV"), kNoEM = fourcc("NoEM"), kTrgV = fourcc("TrgV"),
                        kTrgM = fourcc("TrgM");

enum Word { kCommand, kVideo, kMonitor, kPeriodVideo, kPeriodMonitor, kResult, kSpare };

bool known_command(std::uint32_t c) {
  return c == kRset || c == kGoEV || c == kGoEM || c == kNoEV || c == kNoEM || c == kTrgV || c == kTrgM;
}

bool nt_family(std::uint32_t version) { return (version & 0x80000000u) == 0; }

}  // namespace

std::string command_name(std::uint32_t command) {
  std::string name;
  for (int shift = 24; shift >= 0; shift -= 8) {
    char ch = static_cast<char>(command >> shift);
    if (ch < 33 || ch > 126) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "%08x", command);
      return hex;
    }
    name += ch;
  }
  return name;
}

std::uint32_t Adapter::ring0_handle(const std::shared_ptr<Event> &event) {
  for (auto it = ring0_.begin(); it != ring0_.end();) {
    auto live = it->second.lock();
    if (!live) {
      it = ring0_.erase(it);
      continue;
    }
    if (live == event) return it->first;
    ++it;
  }
  // The lowest free one, as ring-0 memory of events that are gone is used again.
  std::uint32_t handle = kFirstRing0;
  while (ring0_.count(handle)) handle += 0x10;
  ring0_.emplace(handle, event);
  return handle;
}

std::shared_ptr<Event> Adapter::resolve(const Server &s, const Process *caller, std::uint32_t handle) {
  if (handle == 0) return nullptr;
  if (auto it = ring0_.find(handle); it != ring0_.end()) return it->second.lock();
  // A driver of the NT family, called in the caller's own context, can take the caller's
  // Win32 handle itself.
  if (caller && nt_family(s.settings.version_value())) return caller->handles.share(handle);
  return nullptr;
}

std::optional<EscapeWords> Adapter::escape(Server &s, const Process *caller, const EscapeWords &in) {
  if (s.settings.get("escape") == "ignore") return std::nullopt;
  EscapeWords out = in;
  std::uint32_t command = in[kCommand];
  const std::string *result = s.settings.find("escape." + command_name(command));
  out[kResult] = known_command(command) && result ? parse_u32(*result).value_or(0) : 0xFFFFFFFFu;
  out[kPeriodVideo] = s.settings.number("period.video");
  out[kPeriodMonitor] = s.settings.number("period.monitor");
  // A refused command is not carried out; NoEM's refusal is its nominal answer, so it is.
  if (out[kResult] != 0 && command != kNoEM) return out;
  if (command == kRset) {
    video_ = {};
    monitor_ = {};
  } else if (command == kGoEV) {
    video_ = {resolve(s, caller, in[kVideo]), std::nullopt};
  } else if (command == kGoEM) {
    monitor_ = {resolve(s, caller, in[kMonitor]), std::nullopt};
  } else if (command == kNoEV) {
    video_ = {};
  } else if (command == kNoEM) {
    monitor_ = {};
  } else if (command == kTrgV) {
    signal(s, Source::Video);
  } else if (command == kTrgM) {
    signal(s, Source::Monitor);
  }
  return out;
}

bool Adapter::signal(Server &s, Source which) {
  Registration &reg = which == Source::Video ? video_ : monitor_;
  auto event = reg.event.lock();
  if (!event) return false;
  event->signalled = true;
  s.record.add(which == Source::Video ? "signal video" : "signal monitor");
  return true;
}

void Adapter::tick_one(Server &s, Source which, Registration &reg, Clock::time_point now) {
  std::uint32_t vbl = s.settings.number("vbl");
  if (vbl == 0 || reg.event.expired()) {
    reg.next.reset();
    return;
  }
  std::uint32_t period = s.settings.number(which == Source::Video ? "period.video" : "period.monitor");
  auto interval = std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(static_cast<double>(period) / vbl));
  if (!reg.next) {
    reg.next = now + interval;
    return;
  }
  if (now < *reg.next) return;
  signal(s, which);
  *reg.next += interval;
  // Blanks the server slept through merge into the one signal, as they would in the event.
  if (*reg.next <= now) reg.next = now + interval;
}

void Adapter::tick(Server &s, Clock::time_point now) {
  tick_one(s, Source::Video, video_, now);
  tick_one(s, Source::Monitor, monitor_, now);
}

std::optional<Clock::time_point> Adapter::next_due() const {
  std::optional<Clock::time_point> next = video_.next;
  if (monitor_.next && (!next || *monitor_.next < *next)) next = monitor_.next;
  return next;
}

bool Adapter::overdue(Clock::time_point now) const {
  auto next = next_due();
  return next && *next <= now;
}

}  // namespace winsim::server
