#include "protocol.h"

#include <cerrno>
#include <cstring>
#include <sstream>
#include <unistd.h>

namespace winsim::proto {

const char *code_name(Code code) {
  switch (code) {
#define WINSIM_NAME(name, fields) \
  case Code::name:                \
    return #name;
    WINSIM_REQUESTS(WINSIM_NAME)
#undef WINSIM_NAME
    default:
      return "?";
  }
}

void Writer::put(U32 v) {
  char b[4];
  for (int i = 0; i < 4; ++i) b[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  buf_.append(b, 4);
}

void Writer::put(U64 v) {
  put(static_cast<U32>(v));
  put(static_cast<U32>(v >> 32));
}

void Writer::put(const STR &v) {
  put(static_cast<U32>(v.size()));
  buf_.append(v);
}

void Writer::put(const U32V &v) {
  put(static_cast<U32>(v.size()));
  for (U32 x : v) put(x);
}

void Writer::put(const STRV &v) {
  put(static_cast<U32>(v.size()));
  for (const auto &s : v) put(s);
}

bool Reader::get(U32 &v) {
  if (rest_.size() < 4) return false;
  v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<U32>(static_cast<unsigned char>(rest_[i])) << (8 * i);
  rest_.remove_prefix(4);
  return true;
}

bool Reader::get(I32 &v) {
  U32 u = 0;
  if (!get(u)) return false;
  v = static_cast<I32>(u);
  return true;
}

bool Reader::get(U64 &v) {
  U32 lo = 0, hi = 0;
  if (!get(lo) || !get(hi)) return false;
  v = (static_cast<U64>(hi) << 32) | lo;
  return true;
}

bool Reader::get(STR &v) {
  U32 n = 0;
  if (!get(n) || rest_.size() < n) return false;
  v.assign(rest_.substr(0, n));
  rest_.remove_prefix(n);
  return true;
}

bool Reader::get(U32V &v) {
  U32 n = 0;
  if (!get(n) || rest_.size() / 4 < n) return false;
  v.resize(n);
  for (auto &x : v)
    if (!get(x)) return false;
  return true;
}

bool Reader::get(STRV &v) {
  U32 n = 0;
  if (!get(n) || rest_.size() / 4 < n) return false;
  v.resize(n);
  for (auto &s : v)
    if (!get(s)) return false;
  return true;
}

namespace {

void trace_value(std::ostringstream &o, U32 v) { o << "0x" << std::hex << v << std::dec; }
void trace_value(std::ostringstream &o, I32 v) { o << v; }
void trace_value(std::ostringstream &o, U64 v) { o << "0x" << std::hex << v << std::dec; }
void trace_value(std::ostringstream &o, const STR &v) {
  o << '"';
  for (unsigned char c : v) {
    if (c == '"' || c == '\\') o << '\\' << c;
    else if (c < 32 || c > 126) {
      static const char *hex = "0123456789abcdef";
      o << "\\x" << hex[c >> 4] << hex[c & 15];
    } else o << c;
  }
  o << '"';
}
void trace_value(std::ostringstream &o, const U32V &v) {
  o << '[';
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (i) o << ',';
    trace_value(o, v[i]);
  }
  o << ']';
}
void trace_value(std::ostringstream &o, const STRV &v) {
  o << '[';
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (i) o << ',';
    trace_value(o, v[i]);
  }
  o << ']';
}

}  // namespace

#define IN(type, name) o << ' ' << #name << '='; trace_value(o, r.name);
#define OUT(type, name)
#define WINSIM_TRACE_REQ(name, fields)    \
  std::string trace(const name##Req &r) { \
    std::ostringstream o;                 \
    o << #name;                           \
    (void)r;                              \
    fields return o.str();                \
  }
WINSIM_REQUESTS(WINSIM_TRACE_REQ)
#undef WINSIM_TRACE_REQ
#undef IN
#undef OUT

#define IN(type, name)
#define OUT(type, name) o << ' ' << #name << '='; trace_value(o, r.name);
#define WINSIM_TRACE_REP(name, fields)    \
  std::string trace(const name##Rep &r) { \
    std::ostringstream o;                 \
    o << #name << " ->";                  \
    (void)r;                              \
    fields return o.str();                \
  }
WINSIM_REQUESTS(WINSIM_TRACE_REP)
#undef WINSIM_TRACE_REP
#undef IN
#undef OUT

namespace {

bool write_all(int fd, const char *p, std::size_t n) {
  while (n > 0) {
    ssize_t k = ::write(fd, p, n);
    if (k < 0 && errno == EINTR) continue;
    if (k <= 0) return false;
    p += k;
    n -= static_cast<std::size_t>(k);
  }
  return true;
}

bool read_all(int fd, char *p, std::size_t n) {
  while (n > 0) {
    ssize_t k = ::read(fd, p, n);
    if (k < 0 && errno == EINTR) continue;
    if (k <= 0) return false;
    p += k;
    n -= static_cast<std::size_t>(k);
  }
  return true;
}

}  // namespace

bool write_frame(int fd, Code code, const std::string &payload) {
  if (payload.size() + 4 > kMaxFrame) return false;
  Writer head;
  head.put(static_cast<U32>(payload.size() + 4));
  head.put(static_cast<U32>(code));
  std::string all = head.bytes() + payload;
  return write_all(fd, all.data(), all.size());
}

bool read_frame(int fd, Frame &frame) {
  char head[8];
  if (!read_all(fd, head, sizeof head)) return false;
  Reader rd(std::string_view(head, sizeof head));
  U32 len = 0, code = 0;
  rd.get(len);
  rd.get(code);
  if (len < 4 || len > kMaxFrame || code == 0 || code >= static_cast<U32>(Code::Count)) return false;
  frame.code = static_cast<Code>(code);
  frame.payload.resize(len - 4);
  return read_all(fd, frame.payload.data(), frame.payload.size());
}

}  // namespace winsim::proto
