#include "resfile.h"

#include "protocol.h"
#include "rescursor.h"

namespace winsim::res {
namespace {

// A type or name field: 0xFFFF then an id, or a string.
bool read_name(Cursor &c, Name &n) {
  std::uint16_t first = 0;
  if (!c.peek_u16(first)) return false;
  if (first == 0xFFFF) {
    n.isId = true;
    n.text.clear();
    return c.skip(2) && c.u16(n.id);
  }
  n.isId = false;
  n.id = 0;
  if (!c.sz(n.text)) return false;
  for (char16_t &ch : n.text)
    if (ch >= u'a' && ch <= u'z') ch = static_cast<char16_t>(ch - u'a' + u'A');
  return true;
}

// Code page 1252's characters 0x80..0x9F (0 where it has none).
constexpr char16_t kHigh1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ansi_char(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kHigh1252[i] && kHigh1252[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

Name id_name(std::uint16_t id) { return Name{true, id, {}}; }

Name text_name(std::string_view text) {
  if (!text.empty() && text[0] == '#') {
    unsigned v = 0;
    for (char c : text.substr(1)) {
      if (c < '0' || c > '9') break;
      v = (v * 10 + static_cast<unsigned>(c - '0')) & 0xFFFF;
    }
    return id_name(static_cast<std::uint16_t>(v));
  }
  Name n;
  n.isId = false;
  for (unsigned char c : text) {
    char16_t u = c;
    if (c >= 0x80 && c <= 0x9F && kHigh1252[c - 0x80]) u = kHigh1252[c - 0x80];
    if (u >= u'a' && u <= u'z') u = static_cast<char16_t>(u - u'a' + u'A');
    n.text.push_back(u);
  }
  return n;
}

std::optional<std::vector<Entry>> parse_res(Bytes file) {
  std::vector<Entry> out;
  std::size_t at = 0;
  bool first = true;
  while (at < file.size()) {
    Cursor c(file.subspan(at));
    std::uint32_t dataSize = 0, headerSize = 0, dataVersion = 0, version = 0, chars = 0;
    std::uint16_t memFlags = 0, lang = 0;
    Entry e;
    if (!c.u32(dataSize) || !c.u32(headerSize) || !read_name(c, e.type) || !read_name(c, e.name))
      return std::nullopt;
    c.align4();
    if (!c.u32(dataVersion) || !c.u16(memFlags) || !c.u16(lang) || !c.u32(version) ||
        !c.u32(chars))
      return std::nullopt;
    if (headerSize < c.pos() || headerSize > file.size() - at ||
        dataSize > file.size() - at - headerSize)
      return std::nullopt;
    e.language = lang;
    e.data = file.subspan(at + headerSize, dataSize);
    // The file starts with an empty entry that only marks the format.
    if (!(first && dataSize == 0)) out.push_back(std::move(e));
    first = false;
    at += headerSize + ((dataSize + 3) & ~std::uint32_t{3});
  }
  return out;
}

const Entry *find(const std::vector<Entry> &entries, const Name &type, const Name &name) {
  for (const Entry &e : entries)
    if (e.type == type && e.name == name) return &e;
  return nullptr;
}

std::string to_ansi(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) out.push_back(ansi_char(c));
  return out;
}

std::optional<std::string> find_string(const std::vector<Entry> &entries, std::uint32_t id) {
  if (id > 0xFFFF) return std::nullopt;
  const Entry *block = find(entries, id_name(6), id_name(static_cast<std::uint16_t>(id / 16 + 1)));
  if (!block) return std::nullopt;
  Cursor c(block->data);
  for (std::uint32_t i = 0; i < 16; ++i) {
    std::uint16_t len = 0;
    if (!c.u16(len)) return std::nullopt;
    std::u16string s;
    for (std::uint16_t k = 0; k < len; ++k) {
      std::uint16_t ch = 0;
      if (!c.u16(ch)) return std::nullopt;
      s.push_back(static_cast<char16_t>(ch));
    }
    if (i == id % 16) {
      if (s.empty()) return std::nullopt;
      return to_ansi(s);
    }
  }
  return std::nullopt;
}

std::optional<std::vector<Accel>> parse_accelerators(Bytes data) {
  std::vector<Accel> out;
  Cursor c(data);
  for (;;) {
    std::uint16_t flags = 0, key = 0, cmd = 0, pad = 0;
    if (!c.u16(flags) || !c.u16(key) || !c.u16(cmd) || !c.u16(pad)) return std::nullopt;
    out.push_back(Accel{static_cast<std::uint8_t>(flags & 0x7F), key, cmd});
    if (flags & 0x80) return out;
  }
}

namespace {

constexpr std::uint16_t kPopup = 0x10;
constexpr std::uint16_t kEnd = 0x80;
constexpr std::uint32_t kSeparator = 0x800;

// One level of a menu template, up to and including its item marked as the end.
bool menu_level(Cursor &c, proto::Writer &w, int depth) {
  if (depth > 16) return false;
  for (;;) {
    std::uint16_t flags = 0, id = 0;
    std::u16string text;
    if (!c.u16(flags)) return false;
    if (!(flags & kPopup) && !c.u16(id)) return false;
    if (!c.sz(text)) return false;
    std::uint32_t out = flags;
    // A template writes a separator as an empty item with id 0.
    if (!(flags & kPopup) && id == 0 && text.empty()) out |= kSeparator;
    w.put(out);
    w.put(static_cast<std::uint32_t>(id));
    w.put(to_ansi(text));
    if ((flags & kPopup) && !menu_level(c, w, depth + 1)) return false;
    if (flags & kEnd) return true;
  }
}

}  // namespace

std::optional<std::string> menu_items(Bytes data) {
  Cursor c(data);
  std::uint16_t version = 0, offset = 0;
  if (!c.u16(version) || !c.u16(offset) || version != 0) return std::nullopt;
  // Extra header bytes, none in practice.
  if (!c.skip(offset & ~1u)) return std::nullopt;
  proto::Writer w;
  if (!menu_level(c, w, 0)) return std::nullopt;
  return w.bytes();
}

}  // namespace winsim::res
