#include "dlgtemplate.h"

#include <cctype>

#include "rescursor.h"

namespace winsim::client {
namespace {

using res::Cursor;

bool wstr(Cursor &cur, std::string &out) {
  std::u16string text;
  if (!cur.sz(text)) return false;
  out = res::to_ansi(text);
  return true;
}

// A text, or 0xFFFF and an ordinal; 0x0000 alone is none.
bool text_or_ordinal(Cursor &cur, std::string &out, std::uint16_t &ordinal) {
  std::uint16_t first = 0;
  ordinal = 0;
  out.clear();
  if (!cur.peek_u16(first)) return false;
  if (first == 0xFFFF) return cur.skip(2) && cur.u16(ordinal);
  return wstr(cur, out);
}

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
  // The menu and the class are read past; then the title.
  if (!text_or_ordinal(cur, ignored, ordinal) || !text_or_ordinal(cur, ignored, ordinal) ||
      !wstr(cur, t.title))
    return std::nullopt;
  if (t.style & kDsSetFont) {
    if (!cur.u16(t.pointSize) || !wstr(cur, t.face)) return std::nullopt;
  }
  for (std::uint16_t i = 0; i < count; ++i) {
    DialogItemTemplate item;
    std::uint16_t extra = 0;
    cur.align4();
    if (!cur.u32(item.style) || !cur.u32(item.exStyle) || !cur.i16(item.x) || !cur.i16(item.y) ||
        !cur.i16(item.cx) || !cur.i16(item.cy) || !cur.u16(item.id))
      return std::nullopt;
    if (!text_or_ordinal(cur, item.className, ordinal)) return std::nullopt;
    item.className = ordinal ? predefined_class(ordinal) : lower(item.className);
    if (!text_or_ordinal(cur, item.text, ordinal)) return std::nullopt;
    if (ordinal) item.text = "#" + std::to_string(ordinal);
    if (!cur.u16(extra) || !cur.skip(extra)) return std::nullopt;
    t.items.push_back(std::move(item));
  }
  return t;
}

}  // namespace winsim::client
