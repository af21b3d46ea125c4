#include "settings.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace winsim::server {

namespace {

enum class Kind { Version, Count, Positive, Choice, Int, IntList, Events, WorkArea };

struct Key {
  const char *name;
  const char *def;
  Kind kind;
  std::vector<std::string> choices = {};
};

const std::vector<Key> &table() {
  static const std::vector<Key> keys = {
      {"version", "95", Kind::Version},
      {"vbl", "60", Kind::Count},
      {"period.video", "2", Kind::Positive},
      {"period.monitor", "60", Kind::Positive},
      {"vxd", "present", Kind::Choice, {"present", "absent", "silent"}},
      {"escape", "answer", Kind::Choice, {"answer", "ignore"}},
      {"escape.Rset", "0", Kind::Int},
      {"escape.GoEV", "0", Kind::Int},
      {"escape.GoEM", "0", Kind::Int},
      {"escape.NoEV", "0", Kind::Int},
      {"escape.NoEM", "1", Kind::Int},
      {"escape.TrgV", "0", Kind::Int},
      {"escape.TrgM", "0", Kind::Int},
      {"screen-dc", "ok", Kind::Choice, {"ok", "none"}},
      {"events", "ok", Kind::Events},
      {"ring0", "ok", Kind::Choice, {"ok", "zero"}},
      {"ddraw", "present", Kind::Choice, {"present", "absent", "noentry"}},
      {"ddraw.create", "0", Kind::Int},
      {"ddraw.coop", "0", Kind::Int},
      {"ddraw.primary", "0", Kind::Int},
      {"ddraw.overlay", "0", Kind::Int},
      {"overlay.results", "", Kind::IntList},
      {"user32.RegisterClassExA", "present", Kind::Choice, {"present", "absent"}},
      {"langid", "0x0409", Kind::Int},
      {"workarea", "0,0,800,572", Kind::WorkArea},
      {"winhelp", "ok", Kind::Choice, {"ok", "fail"}},
  };
  return keys;
}

const Key *key_of(const std::string &name) {
  for (const auto &k : table())
    if (name == k.name) return &k;
  return nullptr;
}

std::vector<std::string> split(const std::string &text, char sep) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t at = text.find(sep, start);
    parts.push_back(text.substr(start, at - start));
    if (at == std::string::npos) return parts;
    start = at + 1;
  }
}

bool all_ints(const std::vector<std::string> &parts) {
  return std::all_of(parts.begin(), parts.end(),
                     [](const std::string &p) { return parse_u32(p).has_value(); });
}

}  // namespace

std::optional<std::uint32_t> parse_u32(const std::string &text) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  const char *s = text.c_str();
  bool negative = *s == '-';
  if (negative) ++s;
  int base = 10;
  if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    if (negative) return std::nullopt;
    base = 16;
    s += 2;
  }
  if (*s == '\0' || *s == '+' || *s == '-' || *s == ' ') return std::nullopt;
  char *end = nullptr;
  errno = 0;
  unsigned long long v = std::strtoull(s, &end, base);
  if (errno != 0 || *end != '\0') return std::nullopt;
  if (negative ? v > 0x80000000ull : v > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<std::uint32_t>(negative ? 0u - v : v);
}

Settings::Settings() {
  for (const auto &k : table()) values_.emplace_back(k.name, k.def);
}

std::string Settings::check(const std::string &name, const std::string &value) {
  const Key *key = key_of(name);
  if (!key) return "unknown setting: " + name;
  bool ok = false;
  switch (key->kind) {
    case Kind::Version:
      ok = value == "95" || value == "nt" || value == "win32s" || parse_u32(value).has_value();
      break;
    case Kind::Count:
    case Kind::Positive: {
      auto v = parse_u32(value);
      ok = v && value[0] != '-' && *v <= 100000 && (key->kind == Kind::Count || *v > 0);
      break;
    }
    case Kind::Choice:
      ok = std::find(key->choices.begin(), key->choices.end(), value) != key->choices.end();
      break;
    case Kind::Int:
      ok = parse_u32(value).has_value();
      break;
    case Kind::IntList:
      ok = value.empty() || all_ints(split(value, ','));
      break;
    case Kind::Events:
      ok = value == "ok" || value == "fail" ||
           (value.rfind("exists:", 0) == 0 && parse_u32(value.substr(7)).has_value() &&
            value[7] != '-');
      break;
    case Kind::WorkArea: {
      auto parts = split(value, ',');
      ok = value == "fail" || (parts.size() == 4 && all_ints(parts));
      break;
    }
  }
  return ok ? "" : "bad value for " + name + ": " + value;
}

std::string Settings::apply(const std::vector<std::string> &items) {
  std::vector<std::pair<std::string, std::string>> parsed;
  for (const auto &item : items) {
    auto eq = item.find('=');
    if (eq == std::string::npos) return "not KEY=VALUE: " + item;
    std::string key = item.substr(0, eq), value = item.substr(eq + 1);
    if (std::string why = check(key, value); !why.empty()) return why;
    parsed.emplace_back(std::move(key), std::move(value));
  }
  for (auto &[key, value] : parsed)
    for (auto &slot : values_)
      if (slot.first == key) slot.second = value;
  return "";
}

const std::string *Settings::find(const std::string &key) const {
  for (const auto &slot : values_)
    if (slot.first == key) return &slot.second;
  return nullptr;
}

const std::string &Settings::get(const std::string &key) const {
  static const std::string empty;
  const std::string *v = find(key);
  return v ? *v : empty;
}

std::uint32_t Settings::number(const std::string &key) const {
  return parse_u32(get(key)).value_or(0);
}

std::string Settings::show() const {
  std::string out;
  for (const auto &[key, value] : values_) out += key + "=" + value + "\n";
  return out;
}

std::uint32_t Settings::version_value() const {
  const std::string &v = get("version");
  if (v == "95") return 0xC3B60004u;
  if (v == "nt") return 0x05650004u;
  if (v == "win32s") return 0x80AC0A03u;
  return parse_u32(v).value_or(0);
}

}  // namespace winsim::server
