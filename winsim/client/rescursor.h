// Little-endian reading through resource bytes; every read fails rather than run past the end.
#pragma once

#include <cstdint>
#include <string>

#include "resfile.h"

namespace winsim::res {

class Cursor {
 public:
  explicit Cursor(Bytes data) : data_(data) {}

  bool peek_u16(std::uint16_t &v) const {
    if (pos_ + 2 > data_.size()) return false;
    v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    return true;
  }
  bool u16(std::uint16_t &v) { return peek_u16(v) && skip(2); }
  bool i16(std::int16_t &v) {
    std::uint16_t u = 0;
    if (!u16(u)) return false;
    v = static_cast<std::int16_t>(u);
    return true;
  }
  bool u32(std::uint32_t &v) {
    std::uint16_t lo = 0, hi = 0;
    if (!u16(lo) || !u16(hi)) return false;
    v = lo | (static_cast<std::uint32_t>(hi) << 16);
    return true;
  }
  // A zero-terminated UTF-16 string.
  bool sz(std::u16string &s) {
    s.clear();
    for (std::uint16_t c = 0;;) {
      if (!u16(c)) return false;
      if (!c) return true;
      s.push_back(static_cast<char16_t>(c));
    }
  }
  bool skip(std::size_t n) {
    if (pos_ + n > data_.size()) return false;
    pos_ += n;
    return true;
  }
  void align4() { pos_ = (pos_ + 3) & ~std::size_t{3}; }
  std::size_t pos() const { return pos_; }

 private:
  Bytes data_;
  std::size_t pos_ = 0;
};

}  // namespace winsim::res
