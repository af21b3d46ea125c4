#include <cstdio>

#include "handlers.h"

namespace winsim::server {

namespace {

template <class Req>
bool run(Server &s, Conn &c, const proto::Frame &frame) {
  Req r;
  proto::Reader rd(frame.payload);
  if (!proto::decode(rd, r)) {
    std::fprintf(stderr, "winsim: malformed %s from connection %u\n", proto::code_name(frame.code),
                 static_cast<unsigned>(c.id()));
    return false;
  }
  if (s.tracing)
    std::fprintf(stderr, "winsim[%u] > %s\n", static_cast<unsigned>(c.id()), proto::trace(r).c_str());
  c.busy = true;
  handle(s, c, r);
  if (c.process) ++c.process->requests;
  return true;
}

}  // namespace

bool dispatch(Server &s, Conn &c, const proto::Frame &frame) {
  // Clients are synchronous: a second request while one is outstanding is a broken client.
  if (c.busy) return false;
  if (!c.hello && frame.code != proto::Code::Hello) return false;
  switch (frame.code) {
#define WINSIM_DISPATCH(name, fields) \
  case proto::Code::name:             \
    return run<proto::name##Req>(s, c, frame);
    WINSIM_REQUESTS(WINSIM_DISPATCH)
#undef WINSIM_DISPATCH
    default:
      return false;
  }
}

}  // namespace winsim::server
