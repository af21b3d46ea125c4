// One handler per request of the table; each replies, or holds the request.
#pragma once

#include "state.h"

namespace winsim::server {

#define WINSIM_HANDLER_DECL(name, fields) void handle(Server &s, Conn &c, const proto::name##Req &r);
WINSIM_REQUESTS(WINSIM_HANDLER_DECL)
#undef WINSIM_HANDLER_DECL

// Decodes one frame and runs its handler; false when the connection broke the protocol.
bool dispatch(Server &s, Conn &c, const proto::Frame &frame);

}  // namespace winsim::server
