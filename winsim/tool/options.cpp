#include "options.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace winsim::tool {

std::optional<Args> parse_args(const std::vector<std::string> &argv, const ArgShape &shape) {
  Args args;
  bool optionsOver = false;
  for (std::size_t i = 0; i < argv.size(); ++i) {
    const std::string &a = argv[i];
    if (optionsOver || a.size() < 3 || a.compare(0, 2, "--") != 0) {
      if (a == "--" && !optionsOver) {
        optionsOver = true;
        continue;
      }
      args.positional.push_back(a);
      if (shape.stopAtPositional) optionsOver = true;
      continue;
    }
    std::string name = a.substr(2), value;
    if (auto eq = name.find('='); eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    } else {
      if (i + 1 >= argv.size()) return std::nullopt;
      value = argv[++i];
    }
    if (name.empty()) return std::nullopt;
    if (std::find(shape.valued.begin(), shape.valued.end(), name) != shape.valued.end())
      args.options[name] = value;
    else if (shape.anyKey)
      args.settings.push_back(name + "=" + value);
    else
      return std::nullopt;
  }
  if (args.positional.size() < shape.minArgs || args.positional.size() > shape.maxArgs)
    return std::nullopt;
  return args;
}

namespace {

std::optional<std::uint64_t> parse_unsigned(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty() || text[0] == '+' || text[0] == '-') return std::nullopt;
  std::uint64_t v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, base);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

}  // namespace

std::optional<std::uint32_t> parse_u32(std::string_view text) {
  auto v = parse_unsigned(text);
  if (!v || *v > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return static_cast<std::uint32_t>(*v);
}

std::optional<std::uint64_t> parse_param(std::string_view text) {
  if (text.empty() || text[0] != '-') return parse_unsigned(text);
  text.remove_prefix(1);
  if (text.size() > 1 && text[1] == 'x') return std::nullopt;  // no negative hex
  auto v = parse_unsigned(text);
  constexpr std::uint64_t kMinMagnitude = std::uint64_t{1} << 63;
  if (!v || *v > kMinMagnitude) return std::nullopt;
  return ~*v + 1;
}

std::optional<std::uint32_t> parse_seconds(std::string_view text) {
  auto dot = text.find('.');
  std::string_view whole = text.substr(0, dot);
  std::string_view frac = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
  if (whole.empty() && frac.empty()) return std::nullopt;
  std::uint64_t ms = 0;
  if (!whole.empty()) {
    for (char c : whole)
      if (c < '0' || c > '9') return std::nullopt;
    auto s = parse_unsigned(whole);
    if (!s || *s > std::numeric_limits<std::uint32_t>::max() / 1000) return std::nullopt;
    ms = *s * 1000;
  }
  if (dot != std::string_view::npos) {
    if (frac.empty()) return std::nullopt;
    std::uint64_t scale = 100;
    for (char c : frac) {
      if (c < '0' || c > '9') return std::nullopt;
      ms += static_cast<std::uint64_t>(c - '0') * scale;
      scale /= 10;
    }
  }
  if (ms > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return static_cast<std::uint32_t>(ms);
}

}  // namespace winsim::tool
