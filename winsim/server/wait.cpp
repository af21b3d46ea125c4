// The one generic wait: every held request is re-examined after each change, earliest first.
#include <algorithm>

#include "state.h"

namespace winsim::server {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};

// Most handles one wait may name, as on the platform.
constexpr std::size_t kMaxWaitHandles = 64;

template <class Rep>
void fill_message(Rep &rep, const Msg &m) {
  rep.got = 1;
  rep.mHwnd = m.hwnd;
  rep.mMsg = m.msg;
  rep.mWParam = m.wParam;
  rep.mLParam = m.lParam;
  rep.mTime = m.time;
  rep.mX = m.x;
  rep.mY = m.y;
  rep.mKeys = m.keys;
  rep.mChar = m.chr;
}

struct WaitOutcome {
  std::uint32_t status = 0, sent = 0, result = 0;
};

// MsgWait and WaitSingle: invalid handle, first signalled handle, a sent message, new input
// in mask (useInput), or the time-out; nullopt while none holds.
std::optional<WaitOutcome> examine_wait(Conn &c, const std::vector<std::uint32_t> &handles,
                                        bool useInput, std::uint32_t mask, bool timedOut) {
  if (handles.size() > kMaxWaitHandles) return WaitOutcome{kErrInvalidParameter, 0, kWaitFailed};
  for (std::uint32_t h : handles)
    if (!c.process || !c.process->handles.get(h))
      return WaitOutcome{kErrInvalidHandle, 0, kWaitFailed};
  for (std::size_t i = 0; i < handles.size(); ++i) {
    Event *e = c.process->handles.get(handles[i]);
    if (!e->signalled) continue;
    if (!e->manualReset) e->signalled = false;
    return WaitOutcome{0, 0, static_cast<std::uint32_t>(i)};
  }
  if (c.queue.has_sent()) return WaitOutcome{0, 1, 0};
  if (useInput && (c.queue.changed() & mask))
    return WaitOutcome{0, 0, static_cast<std::uint32_t>(handles.size())};
  if (timedOut) return WaitOutcome{0, 0, kWaitTimeout};
  return std::nullopt;
}

}  // namespace

void Server::hold(Conn &c, Held held, std::uint32_t timeoutMs) {
  held.seq = ++heldSeq_;
  if (timeoutMs != kInfinite && timeoutMs != 0)
    held.deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  c.held = std::move(held);
  if (!try_answer(c, false) && timeoutMs == 0) try_answer(c, true);
}

bool Server::try_answer(Conn &c, bool timedOut) {
  bool answered = std::visit(
      Overloaded{
          [&](const proto::GetReq &r) {
            proto::GetRep rep;
            if (c.queue.has_sent()) {
              rep.sent = 1;
            } else {
              auto m = c.queue.take({r.hwnd, r.msgMin, r.msgMax}, true, paintable(c.id()), now_ms());
              if (!m) return false;
              fill_message(rep, *m);
            }
            reply(c, 0, rep);
            return true;
          },
          [&](const proto::WaitMessageReq &) {
            proto::WaitMessageRep rep;
            rep.sent = c.queue.has_sent() ? 1 : 0;
            if (!rep.sent && !(c.queue.changed() & 0xFF)) return false;
            reply(c, 0, rep);
            return true;
          },
          [&](const proto::MsgWaitReq &r) {
            auto out = examine_wait(c, r.handles, true, r.mask, timedOut);
            if (!out) return false;
            reply(c, out->status, proto::MsgWaitRep{out->sent, out->result});
            return true;
          },
          [&](const proto::WaitSingleReq &r) {
            auto out = examine_wait(c, {r.handle}, false, 0, timedOut);
            if (!out) return false;
            reply(c, out->status, proto::WaitSingleRep{out->sent, out->result});
            return true;
          },
          [&](const proto::WaitReplyReq &r) {
            auto it = sends.find(r.id);
            if (it == sends.end() || it->second.from != c.id()) {
              reply(c, kErrInvalidParameter, proto::WaitReplyRep{});
              return true;
            }
            if (it->second.replied || it->second.failed) {
              std::uint32_t status = it->second.replied ? 0 : kErrInvalidWindow;
              proto::WaitReplyRep rep{0, it->second.replied ? it->second.result : 0};
              sends.erase(it);
              reply(c, status, rep);
              return true;
            }
            if (!c.queue.has_sent()) return false;
            reply(c, 0, proto::WaitReplyRep{1, 0});
            return true;
          },
          [&](const proto::WaitIdleReq &) {
            // Answered by settle() once nothing else can move.
            if (!timedOut) return false;
            reply(c, kErrTimeout, proto::WaitIdleRep{});
            return true;
          },
          [&](const proto::WaitExitReq &r) {
            Process *p = processes.latest(static_cast<pid_t>(r.pid));
            if (p && p->ended) {
              reply(c, 0, proto::WaitExitRep{p->exitCode, p->exitKnown ? 1u : 0u});
              return true;
            }
            if (!timedOut) return false;
            reply(c, kErrTimeout, proto::WaitExitRep{});
            return true;
          },
      },
      c.held->req);
  if (answered) c.held.reset();
  return answered;
}

void Server::settle() {
  auto waiting = [this](bool idleWaits) {
    std::vector<Conn *> list;
    for (auto &[id, c] : conns)
      if (c->held && std::holds_alternative<proto::WaitIdleReq>(c->held->req) == idleWaits)
        list.push_back(c.get());
    std::sort(list.begin(), list.end(),
              [](const Conn *a, const Conn *b) { return a->held->seq < b->held->seq; });
    return list;
  };
  for (bool progress = true; progress;) {
    progress = false;
    for (Conn *c : waiting(false))
      if (c->held && try_answer(*c, false)) progress = true;
  }
  if (!idle()) return;
  for (Conn *c : waiting(true)) {
    reply(*c, 0, proto::WaitIdleRep{});
    c->held.reset();
  }
}

void Server::expire(Clock::time_point now) {
  for (auto &[id, c] : conns)
    if (c->held && c->held->deadline && *c->held->deadline <= now) try_answer(*c, true);
  adapter.tick(*this, now);
  settle();
}

std::optional<Clock::time_point> Server::next_deadline() const {
  std::optional<Clock::time_point> next;
  for (const auto &[id, c] : conns)
    if (c->held && c->held->deadline && (!next || *c->held->deadline < *next))
      next = c->held->deadline;
  if (auto due = adapter.next_due(); due && (!next || *due < *next)) next = due;
  return next;
}

bool Server::idle() const {
  if (adapter.overdue(Clock::now())) return false;
  return std::none_of(processes.all().begin(), processes.all().end(), [this](const auto &p) {
    ProcState s = state_of(*p);
    return s == ProcState::Starting || s == ProcState::Running;
  });
}

}  // namespace winsim::server
