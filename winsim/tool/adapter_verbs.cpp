// Acting as the adapter: signal a registered event.
#include "common.h"
#include "failure.h"
#include "verbs.h"

namespace winsim::tool {

int verb_signal(const Args &args) {
  const std::string &which = args.positional[0];
  if (which != "video" && which != "monitor") throw BadUsage{"not video or monitor: " + which};
  std::uint32_t count = option_u32(args, "count", 1);
  if (count == 0) throw BadUsage{"--count must be at least 1"};
  Connection conn = Connection::require(desktop_socket_path());
  proto::SignalReq req;
  req.which = which;
  req.count = count;
  proto::SignalRep rep;
  if (std::uint32_t status = conn.call(req, rep)) refuse("signal: " + error_text(status));
  return 0;
}

}  // namespace winsim::tool
