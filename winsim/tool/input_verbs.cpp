// Acting on windows like a user or another program: messages, keys, caption buttons.
#include <cinttypes>
#include <cstdio>

#include "common.h"
#include "keys.h"
#include "messages.h"
#include "verbs.h"

namespace winsim::tool {

namespace {

struct Message {
  std::uint32_t msg = 0;
  std::uint64_t wParam = 0, lParam = 0;
};

// WINDOW MSG [WPARAM [LPARAM]], all but WINDOW.
Message parse_message_args(const Args &args) {
  Message m;
  const auto &p = args.positional;
  auto msg = parse_message(p[1]);
  if (!msg) throw BadUsage{"bad MSG: " + p[1]};
  m.msg = *msg;
  for (std::size_t i = 2; i < p.size(); ++i) {
    auto v = parse_param(p[i]);
    if (!v) throw BadUsage{std::string(i == 2 ? "bad WPARAM: " : "bad LPARAM: ") + p[i]};
    (i == 2 ? m.wParam : m.lParam) = *v;
  }
  return m;
}

void check(std::uint32_t status, const char *what) {
  if (status) refuse(std::string(what) + ": " + error_text(status));
}

void post(Connection &conn, std::uint32_t hwnd, const Message &m) {
  proto::PostReq req{};
  req.hwnd = hwnd;
  req.msg = m.msg;
  req.wParam = m.wParam;
  req.lParam = m.lParam;
  proto::PostRep rep;
  check(conn.call(req, rep), "post");
}

int caption_button(const Args &args, std::uint32_t command) {
  Connection conn = Connection::require(desktop_socket_path());
  post(conn, resolve_window(conn, args.positional[0]), Message{kWmSysCommand, command, 0});
  return 0;
}

}  // namespace

int verb_post(const Args &args) {
  Message m = parse_message_args(args);
  std::uint32_t count = option_u32(args, "count", 1);
  Connection conn = Connection::require(desktop_socket_path());
  std::uint32_t hwnd = resolve_window(conn, args.positional[0]);
  if (!args.has("count")) {
    post(conn, hwnd, m);
    return 0;
  }
  proto::PostBatchReq req;
  req.hwnd = hwnd;
  req.msg = m.msg;
  req.wParam = m.wParam;
  req.lParam = m.lParam;
  req.count = count;
  proto::PostBatchRep rep;
  check(conn.call(req, rep), "post");
  return 0;
}

int verb_send(const Args &args) {
  Message m = parse_message_args(args);
  Connection conn = Connection::require(desktop_socket_path());
  proto::SendReq req;
  req.hwnd = resolve_window(conn, args.positional[0]);
  req.msg = m.msg;
  req.wParam = m.wParam;
  req.lParam = m.lParam;
  proto::SendRep sent;
  check(conn.call(req, sent), "send");
  proto::WaitReplyReq wait;
  wait.id = sent.id;
  proto::WaitReplyRep reply;
  check(conn.call(wait, reply), "send");
  std::printf("%" PRId64 "\n", static_cast<std::int64_t>(reply.result));
  return 0;
}

int verb_key(const Args &args) {
  auto key = parse_key(args.positional[1]);
  if (!key) throw BadUsage{"bad KEY: " + args.positional[1]};
  Connection conn = Connection::require(desktop_socket_path());
  proto::KeyInputReq req;
  req.hwnd = resolve_window(conn, args.positional[0]);
  req.vk = key->vk;
  req.chr = key->chr;
  req.mods = key->mods;
  proto::KeyInputRep rep;
  check(conn.call(req, rep), "key");
  return 0;
}

int verb_close(const Args &args) { return caption_button(args, kScClose); }
int verb_minimize(const Args &args) { return caption_button(args, kScMinimize); }
int verb_restore(const Args &args) { return caption_button(args, kScRestore); }

}  // namespace winsim::tool
