// Typed requests over the connection, and held requests that may be interrupted by sent messages.
#pragma once

#include <cstdint>
#include <optional>

#include "process.h"
#include "protocol.h"

namespace winsim::client {

template <class Req>
struct RepOf;
#define WINSIM_REP_OF(name, fields)  \
  template <>                        \
  struct RepOf<proto::name##Req> {   \
    using type = proto::name##Rep;   \
  };
WINSIM_REQUESTS(WINSIM_REP_OF)
#undef WINSIM_REP_OF

template <class Req>
typename RepOf<Req>::type call(const Req &req, std::uint32_t &status) {
  Connection &conn = process().conn;
  if (!conn.is_open()) conn.open();
  if (conn.tracing()) conn.trace_line(">", proto::trace(req));
  std::string reply = conn.roundtrip(Req::kCode, proto::encode_payload(req));
  typename RepOf<Req>::type rep;
  if (!proto::decode_reply(reply, status, rep)) conn.lost("malformed reply");
  if (conn.tracing())
    conn.trace_line("<", proto::trace(rep) + " status=" + std::to_string(status));
  return rep;
}

// For replies whose status only matters as "did it work".
template <class Req>
typename RepOf<Req>::type call(const Req &req) {
  std::uint32_t status = 0;
  return call(req, status);
}

// Takes every message sent to this thread, runs it and answers it.
void run_sent_messages();

// For requests whose reply is only the status: false, with the last error set, when refused.
template <class Req>
bool call_ok(const Req &req) {
  std::uint32_t status = 0;
  call(req, status);
  if (status) set_error(status);
  return status == 0;
}

// nullopt, with the last error set, when refused.
template <class Req>
std::optional<typename RepOf<Req>::type> call_checked(const Req &req) {
  std::uint32_t status = 0;
  auto rep = call(req, status);
  if (status) {
    set_error(status);
    return std::nullopt;
  }
  return rep;
}

// A held request (and Peek): repeated after running sent messages until it is really answered.
template <class Req>
typename RepOf<Req>::type call_held(const Req &req, std::uint32_t &status) {
  for (;;) {
    auto rep = call(req, status);
    if (status != 0 || !rep.sent) return rep;
    run_sent_messages();
  }
}

}  // namespace winsim::client
