#include "verinfo.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace winsim::client {
namespace {

std::uint64_t le(res::Bytes b, std::size_t at, std::size_t n) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(b[at + i]) << (8 * i);
  return v;
}

bool fits(res::Bytes b, std::uint64_t at, std::uint64_t n) { return at <= b.size() && n <= b.size() - at; }

std::size_t align4(std::size_t v) { return (v + 3) & ~static_cast<std::size_t>(3); }

// One node of a version block: wLength, wValueLength, wType, szKey, value, children.
struct Node {
  std::size_t start = 0, end = 0;
  std::size_t valueLength = 0;
  bool text = false;
  std::u16string key;
  std::size_t value = 0, children = 0;
};

std::optional<Node> read_node(res::Bytes b, std::size_t at, std::size_t limit) {
  if (!fits(b, at, 6) || at + 6 > limit) return std::nullopt;
  Node n;
  n.start = at;
  std::size_t length = le(b, at, 2);
  n.valueLength = le(b, at + 2, 2);
  n.text = le(b, at + 4, 2) == 1;
  if (length < 6 || at + length > limit) return std::nullopt;
  n.end = at + length;
  std::size_t p = at + 6;
  for (;;) {
    if (p + 2 > n.end) return std::nullopt;
    auto c = static_cast<char16_t>(le(b, p, 2));
    p += 2;
    if (c == 0) break;
    n.key.push_back(c);
  }
  n.value = align4(p);
  std::size_t valueBytes = n.text ? 2 * n.valueLength : n.valueLength;
  if (n.value + valueBytes > n.end) {
    // Some writers count a text value's bytes rather than its characters.
    if (!n.text || n.value + n.valueLength > n.end) return std::nullopt;
    valueBytes = n.valueLength;
  }
  n.children = align4(n.value + valueBytes);
  return n;
}

bool same_key(const std::u16string &key, std::string_view name) {
  if (key.size() != name.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    char16_t k = key[i];
    if (k > 0x7F) return false;
    if (std::tolower(static_cast<unsigned char>(k)) != std::tolower(static_cast<unsigned char>(name[i])))
      return false;
  }
  return true;
}

}  // namespace

std::optional<res::Bytes> elf_section(res::Bytes f, std::string_view name) {
  if (f.size() < 52 || std::memcmp(f.data(), "\x7f" "ELF", 4) != 0 || f[5] != 1) return std::nullopt;
  bool wide = f[4] == 2;
  if (!wide && f[4] != 1) return std::nullopt;
  if (wide && f.size() < 64) return std::nullopt;
  std::uint64_t shoff = wide ? le(f, 0x28, 8) : le(f, 0x20, 4);
  std::size_t entsize = le(f, wide ? 0x3A : 0x2E, 2);
  std::size_t count = le(f, wide ? 0x3C : 0x30, 2);
  std::size_t strndx = le(f, wide ? 0x3E : 0x32, 2);
  std::size_t need = wide ? 64 : 40;
  if (entsize < need || strndx >= count || !fits(f, shoff, static_cast<std::uint64_t>(entsize) * count))
    return std::nullopt;
  auto header = [&](std::size_t i, std::uint64_t &nameOff, std::uint64_t &off, std::uint64_t &size) {
    std::uint64_t h = shoff + i * entsize;
    nameOff = le(f, h, 4);
    off = wide ? le(f, h + 0x18, 8) : le(f, h + 0x10, 4);
    size = wide ? le(f, h + 0x20, 8) : le(f, h + 0x14, 4);
  };
  std::uint64_t strName = 0, strOff = 0, strSize = 0;
  header(strndx, strName, strOff, strSize);
  if (!fits(f, strOff, strSize)) return std::nullopt;
  for (std::size_t i = 0; i < count; ++i) {
    std::uint64_t nameOff = 0, off = 0, size = 0;
    header(i, nameOff, off, size);
    if (nameOff >= strSize) continue;
    const char *s = reinterpret_cast<const char *>(f.data() + strOff + nameOff);
    std::size_t max = static_cast<std::size_t>(strSize - nameOff);
    std::string_view found(s, strnlen(s, max));
    if (found != name) continue;
    if (!fits(f, off, size)) return std::nullopt;
    return f.subspan(static_cast<std::size_t>(off), static_cast<std::size_t>(size));
  }
  return std::nullopt;
}

std::optional<res::Bytes> version_resource(res::Bytes resFile) {
  auto entries = res::parse_res(resFile);
  if (!entries) return std::nullopt;
  for (const res::Entry &e : *entries)
    if (e.type.isId && e.type.id == 16) return e.data;
  return std::nullopt;
}

std::optional<VersionValue> find_version_value(res::Bytes block, std::string_view path) {
  auto root = read_node(block, 0, block.size());
  if (!root) return std::nullopt;
  std::vector<std::string_view> parts;
  for (std::size_t at = 0; at <= path.size();) {
    std::size_t next = path.find('\\', at);
    if (next == std::string_view::npos) next = path.size();
    if (next > at) parts.push_back(path.substr(at, next - at));
    at = next + 1;
  }
  Node node = *root;
  for (std::string_view part : parts) {
    std::optional<Node> found;
    for (std::size_t at = node.children; at + 6 <= node.end;) {
      auto child = read_node(block, at, node.end);
      if (!child) return std::nullopt;
      if (same_key(child->key, part)) {
        found = child;
        break;
      }
      at = align4(child->end);
    }
    if (!found) return std::nullopt;
    node = *found;
  }
  return VersionValue{node.value, node.valueLength, node.text};
}

}  // namespace winsim::client
