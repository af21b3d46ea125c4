// Records, codec and trace generated from the request table.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <string>
#include <vector>

#include "requests.h"

namespace winsim::proto {

using U32 = std::uint32_t;
using I32 = std::int32_t;
using U64 = std::uint64_t;
using STR = std::string;
using U32V = std::vector<std::uint32_t>;
using STRV = std::vector<std::string>;

enum class Code : std::uint32_t {
  None = 0,
#define WINSIM_CODE(name, fields) name,
  WINSIM_REQUESTS(WINSIM_CODE)
#undef WINSIM_CODE
  Count
};

const char *code_name(Code code);

// Request and reply records: FooReq holds the IN fields, FooRep the OUT fields.
#define IN(type, name) type name{};
#define OUT(type, name)
#define WINSIM_REQ_STRUCT(name, fields)               \
  struct name##Req {                                  \
    static constexpr Code kCode = Code::name;          \
    fields                                            \
  };
WINSIM_REQUESTS(WINSIM_REQ_STRUCT)
#undef WINSIM_REQ_STRUCT
#undef IN
#undef OUT

#define IN(type, name)
#define OUT(type, name) type name{};
#define WINSIM_REP_STRUCT(name, fields)               \
  struct name##Rep {                                  \
    static constexpr Code kCode = Code::name;          \
    fields                                            \
  };
WINSIM_REQUESTS(WINSIM_REP_STRUCT)
#undef WINSIM_REP_STRUCT
#undef IN
#undef OUT

// Little-endian writer and bounds-checked reader of one frame's payload.
class Writer {
 public:
  void put(U32 v);
  void put(I32 v) { put(static_cast<U32>(v)); }
  void put(U64 v);
  void put(const STR &v);
  void put(const U32V &v);
  void put(const STRV &v);
  const std::string &bytes() const { return buf_; }

 private:
  std::string buf_;
};

class Reader {
 public:
  explicit Reader(std::string_view bytes) : rest_(bytes) {}
  bool get(U32 &v);
  bool get(I32 &v);
  bool get(U64 &v);
  bool get(STR &v);
  bool get(U32V &v);
  bool get(STRV &v);
  bool done() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

#define IN(type, name) w.put(r.name);
#define OUT(type, name)
#define WINSIM_ENC_REQ(name, fields) \
  inline void encode(Writer &w, const name##Req &r) { (void)w; (void)r; fields }
WINSIM_REQUESTS(WINSIM_ENC_REQ)
#undef WINSIM_ENC_REQ
#undef IN
#undef OUT

#define IN(type, name) ok = ok && rd.get(r.name);
#define OUT(type, name)
#define WINSIM_DEC_REQ(name, fields)                      \
  inline bool decode(Reader &rd, name##Req &r) {          \
    bool ok = true;                                       \
    (void)r;                                              \
    fields return ok && rd.done();                        \
  }
WINSIM_REQUESTS(WINSIM_DEC_REQ)
#undef WINSIM_DEC_REQ
#undef IN
#undef OUT

#define IN(type, name)
#define OUT(type, name) w.put(r.name);
#define WINSIM_ENC_REP(name, fields) \
  inline void encode(Writer &w, const name##Rep &r) { (void)w; (void)r; fields }
WINSIM_REQUESTS(WINSIM_ENC_REP)
#undef WINSIM_ENC_REP
#undef IN
#undef OUT

#define IN(type, name)
#define OUT(type, name) ok = ok && rd.get(r.name);
#define WINSIM_DEC_REP(name, fields)                      \
  inline bool decode(Reader &rd, name##Rep &r) {          \
    bool ok = true;                                       \
    (void)r;                                              \
    fields return ok && rd.done();                        \
  }
WINSIM_REQUESTS(WINSIM_DEC_REP)
#undef WINSIM_DEC_REP
#undef IN
#undef OUT

// Readable one-line forms for WINSIM_TRACE=1.
#define WINSIM_TRACE_DECL(name, fields) \
  std::string trace(const name##Req &r);  \
  std::string trace(const name##Rep &r);
WINSIM_REQUESTS(WINSIM_TRACE_DECL)
#undef WINSIM_TRACE_DECL

// A frame on the wire: u32 length of what follows, u32 code, then for a reply u32 status,
// then the fields. Frames are at most kMaxFrame bytes.
inline constexpr std::size_t kMaxFrame = 1 << 20;

struct Frame {
  Code code = Code::None;
  std::string payload;  // for a reply, starts with the status
};

// Blocking whole-frame I/O on a stream socket. false on EOF, error or a malformed frame.
bool write_frame(int fd, Code code, const std::string &payload);
bool read_frame(int fd, Frame &frame);

template <class Rec>
std::string encode_payload(const Rec &r) {
  Writer w;
  encode(w, r);
  return w.bytes();
}

template <class Rep>
std::string encode_reply(U32 status, const Rep &r) {
  Writer w;
  w.put(status);
  encode(w, r);
  return w.bytes();
}

// Splits a reply payload into its status and record.
template <class Rep>
bool decode_reply(const std::string &payload, U32 &status, Rep &r) {
  Reader rd(payload);
  return rd.get(status) && decode(rd, r);
}

}  // namespace winsim::proto
