// The display mode and what programs hold of DirectDraw.
#include <cstdio>
#include <vector>

#include "common.h"
#include "verbs.h"

namespace winsim::tool {

namespace {

constexpr std::uint32_t kWmDisplayChange = 0x007E;

std::uint32_t positional_u32(const Args &args, std::size_t i, const char *what) {
  auto v = parse_u32(args.positional[i]);
  if (!v || *v == 0) throw BadUsage{std::string("bad ") + what + ": " + args.positional[i]};
  return *v;
}

}  // namespace

int verb_display_mode(const Args &args) {
  std::uint32_t width = positional_u32(args, 0, "W"), height = positional_u32(args, 1, "H"),
                bpp = positional_u32(args, 2, "BPP");
  if (width > 0xFFFF || height > 0xFFFF) throw BadUsage{"W and H must fit in 16 bits"};
  Connection conn = Connection::require(desktop_socket_path());
  proto::DisplayModeReq req;
  req.width = width;
  req.height = height;
  req.bpp = bpp;
  proto::DisplayModeRep mode;
  if (std::uint32_t status = conn.call(req, mode)) refuse("display-mode: " + error_text(status));

  // Sent to every top-level window, all sends queued before any answer is awaited, as a
  // broadcast does; a window that is gone meanwhile is passed over.
  std::vector<std::uint32_t> ids;
  for (std::uint32_t hwnd : mode.windows) {
    proto::SendReq send;
    send.hwnd = hwnd;
    send.msg = kWmDisplayChange;
    send.wParam = bpp;
    send.lParam = (height << 16) | width;
    proto::SendRep sent;
    if (conn.call(send, sent) == 0) ids.push_back(sent.id);
  }
  for (std::uint32_t id : ids) {
    proto::WaitReplyReq wait;
    wait.id = id;
    proto::WaitReplyRep reply;
    conn.call(wait, reply);  // a receiver that ended meanwhile has nothing to answer
  }
  return 0;
}

int verb_ddraw_held(const Args &args) {
  auto pid = parse_u32(args.positional[0]);
  if (!pid) throw BadUsage{"bad PID: " + args.positional[0]};
  Connection conn = Connection::require(desktop_socket_path());
  proto::DdHeldReq req;
  req.pid = *pid;
  proto::DdHeldRep rep;
  if (conn.call(req, rep)) refuse("no such process: " + args.positional[0]);
  std::printf("ddraw.dll=%u directdraw=%u primary=%u overlay=%u\n", rep.libraryRefs,
              rep.directDraws, rep.primaries, rep.overlays);
  return 0;
}

}  // namespace winsim::tool
