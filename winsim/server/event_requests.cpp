// Requests on kernel objects: events and handles.
#include "common.h"
#include "handlers.h"

namespace winsim::server {

namespace {

constexpr std::uint32_t kErrAlreadyExists = 183;

// The events setting: "fail" refuses every named event; "exists:N" makes every name ending
// in "(k)" with k below N belong to an object that is not an event.
std::uint32_t name_refused(const std::string &setting, const std::string &name) {
  if (name.empty() || setting == "ok") return 0;
  if (setting == "fail") return kErrAccessDenied;
  auto open = name.rfind('(');
  if (open == std::string::npos || name.back() != ')') return 0;
  auto k = parse_u32(name.substr(open + 1, name.size() - open - 2));
  auto limit = parse_u32(setting.substr(7));
  return k && limit && *k < *limit ? kErrAlreadyExists : 0;
}

}  // namespace

void handle(Server &s, Conn &c, const proto::CreateEventReq &r) {
  if (!c.process) return s.reply(c, kErrAccessDenied, proto::CreateEventRep{});
  if (std::uint32_t refused = name_refused(s.settings.get("events"), r.name))
    return s.reply(c, refused, proto::CreateEventRep{});
  std::shared_ptr<Event> event = r.name.empty() ? nullptr : s.eventNames.find(r.name);
  bool existed = event != nullptr;
  if (!event) {
    event = std::make_shared<Event>(Event{r.manualReset != 0, r.initialState != 0, r.name});
    s.eventNames.add(event);
  }
  std::uint32_t handle = c.process->handles.add(std::move(event));
  s.reply(c, 0, proto::CreateEventRep{handle, existed ? 1u : 0u});
}

void handle(Server &s, Conn &c, const proto::OpenEventReq &r) {
  if (!c.process) return s.reply(c, kErrAccessDenied, proto::OpenEventRep{});
  std::shared_ptr<Event> event = r.name.empty() ? nullptr : s.eventNames.find(r.name);
  if (!event) return s.reply(c, kErrFileNotFound, proto::OpenEventRep{});
  s.reply(c, 0, proto::OpenEventRep{c.process->handles.add(std::move(event))});
}

void handle(Server &s, Conn &c, const proto::EventOpReq &r) {
  Event *e = c.process ? c.process->handles.get(r.handle) : nullptr;
  if (!e) return s.reply(c, kErrInvalidHandle, proto::EventOpRep{});
  switch (r.op) {
    case 0:
      e->signalled = true;
      break;
    case 1:
      e->signalled = false;
      break;
    case 2:
      // Pulse: whoever waits now is released, then the event is reset.
      e->signalled = true;
      s.settle();
      e->signalled = false;
      break;
    default:
      return s.reply(c, kErrInvalidParameter, proto::EventOpRep{});
  }
  s.reply(c, 0, proto::EventOpRep{});
}

void handle(Server &s, Conn &c, const proto::CloseHandleReq &r) {
  const Event *event = c.process ? c.process->handles.get(r.handle) : nullptr;
  std::string name = event ? event->name : std::string();
  if (!c.process || !c.process->handles.close(r.handle))
    return s.reply(c, kErrInvalidHandle, proto::CloseHandleRep{});
  // A named event closed on purpose, as against one that goes with its process.
  if (!name.empty()) s.record.add("event close " + escape_text(name));
  s.reply(c, 0, proto::CloseHandleRep{});
}

}  // namespace winsim::server
