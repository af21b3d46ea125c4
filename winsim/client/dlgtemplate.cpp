#include "dlgtemplate.h"

#include <cctype>

namespace winsim::client {
namespace {

class Cursor {
 public:
  explicit Cursor(res::Bytes data) : data_(data) {}
  bool u16(std::uint16_t &v) {
    if (pos_ + 2 > data_.size()) return false;
    v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return true;
  }
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
  bool wstr(std::string &out) {
    std::u16string text;
    for (std::uint16_t c = 0;;) {
      if (!u16(c)) return false;
      if (c == 0) break;
      text.push_back(static_cast<char16_t>(c));
    }
    out = res::to_ansi(text);
    return true;
  }
  // A text, or 0xFFFF and an ordinal; 0x0000 alone is none.
  bool text_or_ordinal(std::string &out, std::uint16_t &ordinal) {
    std::uint16_t first = 0;
    std::size_t at = pos_;
    ordinal = 0;
    out.clear();
    if (!u16(first)) return false;
    if (first == 0) return true;
    if (first == 0xFFFF) return u16(ordinal);
    pos_ = at;
    return wstr(out);
  }
  bool skip(std::size_t n) {
    if (pos_ + n > data_.size()) return false;
    pos_ += n;
    return true;
  }
  void align4() { pos_ = (pos_ + 3) & ~static_cast<std::size_t>(3); }

 private:
  res::Bytes data_;
  std::size_t pos_ = 0;
};

std::string predefined_class(std::uint16_t atom) {
  switch (atom) {
    case 0x80: return "button";
    case 0x81: return "edit";
    case 0x82: return "static";
    case 0x83: return "listbox";
    case 0x84: return "scrollbar";
    case 0x85: return "combobox";
    default: return "#" + std::to_string(atom);
  }
}

std::string lower(std::string s) {
  for (char &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

constexpr std::uint32_t kDsSetFont = 0x40;

}  // namespace

std::optional<DialogTemplate> parse_dialog_template(res::Bytes data) {
  Cursor cur(data);
  DialogTemplate t;
  std::uint16_t count = 0, ordinal = 0;
  std::string ignored;
  if (!cur.u32(t.style) || !cur.u32(t.exStyle)) return std::nullopt;
  // The extended form starts with version 1 and signature 0xFFFF.
  if (t.style == 0xFFFF0001u) return std::nullopt;
  if (!cur.u16(count) || !cur.i16(t.x) || !cur.i16(t.y) || !cur.i16(t.cx) || !cur.i16(t.cy))
    return std::nullopt;
  if (!cur.text_or_ordinal(ignored, ordinal) || !cur.text_or_ordinal(ignored, ordinal) || !cur.wstr(t.title))
    return std::nullopt;
  if (t.style & kDsSetFont) {
    if (!cur.u16(t.pointSize) || !cur.wstr(t.face)) return std::nullopt;
  }
  for (std::uint16_t i = 0; i < count; ++i) {
    DialogItemTemplate item;
    std::uint16_t extra = 0;
    cur.align4();
    if (!cur.u32(item.style) || !cur.u32(item.exStyle) || !cur.i16(item.x) || !cur.i16(item.y) ||
        !cur.i16(item.cx) || !cur.i16(item.cy) || !cur.u16(item.id))
      return std::nullopt;
    if (!cur.text_or_ordinal(item.className, ordinal)) return std::nullopt;
    item.className = ordinal ? predefined_class(ordinal) : lower(item.className);
    if (!cur.text_or_ordinal(item.text, ordinal)) return std::nullopt;
    if (ordinal) item.text = "#" + std::to_string(ordinal);
    if (!cur.u16(extra) || !cur.skip(extra)) return std::nullopt;
    t.items.push_back(std::move(item));
  }
  return t;
}

}  // namespace winsim::client
