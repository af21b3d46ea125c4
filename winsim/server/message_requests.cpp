// Requests on message queues: posting, sending, peeking and waiting.
#include "handlers.h"

namespace winsim::server {

namespace {

// More copies than this in one PostBatch would only exhaust memory.
constexpr std::uint32_t kMaxBatch = 1u << 20;

// The queue a post goes to: the window owner's, or the caller's own for hwnd 0.
Queue *post_target(Server &s, Conn &c, std::uint32_t hwnd) {
  if (hwnd == 0) return c.process ? &c.queue : nullptr;
  return s.queue_of(hwnd);
}

Msg posted(Server &s, std::uint32_t hwnd, std::uint32_t msg, std::uint64_t w, std::uint64_t l) {
  Msg m;
  m.hwnd = hwnd;
  m.msg = msg;
  m.wParam = w;
  m.lParam = l;
  m.time = s.now_ms();
  return m;
}

}  // namespace

void handle(Server &s, Conn &c, const proto::PostReq &r) {
  Queue *q = post_target(s, c, r.hwnd);
  if (!q) return s.reply(c, kErrInvalidWindow, proto::PostRep{});
  q->post(posted(s, r.hwnd, r.msg, r.wParam, r.lParam));
  s.reply(c, 0, proto::PostRep{});
}

void handle(Server &s, Conn &c, const proto::PostBatchReq &r) {
  Queue *q = post_target(s, c, r.hwnd);
  if (!q) return s.reply(c, kErrInvalidWindow, proto::PostBatchRep{});
  if (r.count > kMaxBatch) return s.reply(c, kErrInvalidParameter, proto::PostBatchRep{});
  Msg m = posted(s, r.hwnd, r.msg, r.wParam, r.lParam);
  for (std::uint32_t i = 0; i < r.count; ++i) q->post(m);
  s.reply(c, 0, proto::PostBatchRep{});
}

void handle(Server &s, Conn &c, const proto::PostQuitReq &r) {
  c.queue.post_quit(r.code);
  s.reply(c, 0, proto::PostQuitRep{});
}

void handle(Server &s, Conn &c, const proto::SendReq &r) {
  Window *w = s.windows.find(r.hwnd);
  Conn *to = w ? s.conn(w->owner) : nullptr;
  if (!to) return s.reply(c, kErrInvalidWindow, proto::SendRep{});
  if (to == &c) return s.reply(c, kErrInvalidParameter, proto::SendRep{});
  std::uint32_t id = s.nextSendId++;
  SentMessage m;
  m.id = id;
  m.from = c.id();
  m.to = to->id();
  m.hwnd = r.hwnd;
  m.msg = r.msg;
  m.wParam = r.wParam;
  m.lParam = r.lParam;
  s.sends.emplace(id, m);
  to->queue.add_sent(id);
  s.reply(c, 0, proto::SendRep{id});
}

void handle(Server &s, Conn &c, const proto::WaitReplyReq &r) { s.hold(c, Held{r, {}, 0}, kInfinite); }

void handle(Server &s, Conn &c, const proto::ReceiveSentReq &) {
  auto id = c.queue.pop_sent();
  auto it = id ? s.sends.find(*id) : s.sends.end();
  if (it == s.sends.end()) return s.reply(c, kErrNotFound, proto::ReceiveSentRep{});
  SentMessage &m = it->second;
  m.received = true;
  s.reply(c, 0, proto::ReceiveSentRep{m.id, m.hwnd, m.msg, m.wParam, m.lParam});
}

void handle(Server &s, Conn &c, const proto::ReplySentReq &r) {
  auto it = s.sends.find(r.id);
  if (it == s.sends.end() || it->second.to != c.id() || !it->second.received || it->second.replied)
    return s.reply(c, kErrInvalidParameter, proto::ReplySentRep{});
  it->second.replied = true;
  it->second.result = r.result;
  if (it->second.senderGone) s.sends.erase(it);
  s.reply(c, 0, proto::ReplySentRep{});
}

void handle(Server &s, Conn &c, const proto::PeekReq &r) {
  proto::PeekRep rep;
  if (c.queue.has_sent()) {
    rep.sent = 1;
  } else if (auto m = c.queue.take({r.hwnd, r.msgMin, r.msgMax}, r.remove & 1, s.paintable(c.id()),
                                   s.now_ms())) {
    rep.got = 1;
    rep.mHwnd = m->hwnd;
    rep.mMsg = m->msg;
    rep.mWParam = m->wParam;
    rep.mLParam = m->lParam;
    rep.mTime = m->time;
    rep.mX = m->x;
    rep.mY = m->y;
    rep.mKeys = m->keys;
    rep.mChar = m->chr;
  }
  s.reply(c, 0, rep);
}

void handle(Server &s, Conn &c, const proto::GetReq &r) { s.hold(c, Held{r, {}, 0}, kInfinite); }

void handle(Server &s, Conn &c, const proto::WaitMessageReq &r) {
  s.hold(c, Held{r, {}, 0}, kInfinite);
}

void handle(Server &s, Conn &c, const proto::QueueStatusReq &r) {
  s.reply(c, 0, proto::QueueStatusRep{c.queue.status(r.flags, s.paint_pending(c.id()))});
}

void handle(Server &s, Conn &c, const proto::MsgWaitReq &r) { s.hold(c, Held{r, {}, 0}, r.timeoutMs); }

void handle(Server &s, Conn &c, const proto::WaitSingleReq &r) {
  s.hold(c, Held{r, {}, 0}, r.timeoutMs);
}

}  // namespace winsim::server
