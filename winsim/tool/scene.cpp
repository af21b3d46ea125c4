#include "scene.h"

#include <cstdlib>
#include <algorithm>

#include "options.h"

namespace winsim::tool {

namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Splits off `count` space-separated fields; the rest of the line is the free text.
bool fields(std::string_view line, std::size_t count, std::vector<std::string> &out, std::string &rest) {
  out.clear();
  std::size_t at = 0;
  while (out.size() < count) {
    std::size_t end = line.find(' ', at);
    if (end == std::string_view::npos) end = line.size();
    if (end == at) return false;
    out.emplace_back(line.substr(at, end - at));
    at = end < line.size() ? end + 1 : end;
  }
  rest = unescape_text(line.substr(at));
  return true;
}

bool to_i32(const std::string &s, std::int32_t &v) {
  char *end = nullptr;
  long n = std::strtol(s.c_str(), &end, 10);
  if (s.empty() || *end) return false;
  v = static_cast<std::int32_t>(n);
  return true;
}

bool flag(const std::string &s, bool &v) {
  if (s != "0" && s != "1") return false;
  v = s == "1";
  return true;
}

}  // namespace

bool SceneControl::has(const std::string &flag) const {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

std::string unescape_text(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '\\' || i + 1 == text.size()) {
      out.push_back(c);
      continue;
    }
    char n = text[++i];
    if (n == 't') out.push_back('\t');
    else if (n == 'n') out.push_back('\n');
    else if (n == 'x' && i + 2 < text.size() && hex_digit(text[i + 1]) >= 0 && hex_digit(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(hex_digit(text[i + 1]) * 16 + hex_digit(text[i + 2])));
      i += 2;
    } else out.push_back(n);
  }
  return out;
}

std::optional<Scene> parse_scene(std::string_view text, std::string *error) {
  Scene scene;
  std::vector<std::string> f;
  std::string rest;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    std::string_view tag = line.substr(0, line.find(' '));
    std::string_view tail = line.substr(std::min(line.size(), tag.size() + 1));
    bool ok = false;
    if (tag == "window" && fields(tail, 9, f, rest)) {
      SceneWindow w;
      auto h = parse_u32(f[0]);
      ok = h && to_i32(f[1], w.left) && to_i32(f[2], w.top) && to_i32(f[3], w.right) && to_i32(f[4], w.bottom) &&
           flag(f[5], w.visible) && flag(f[6], w.iconic) && flag(f[7], w.foreground) &&
           (f[8] == "window" || f[8] == "dialog" || f[8] == "messagebox");
      if (ok) {
        w.hwnd = *h;
        w.kind = f[8];
        w.title = rest;
        scene.windows.push_back(std::move(w));
      }
    } else if (scene.windows.empty() && (tag == "bar" || tag == "row" || tag == "control" || tag == "rect")) {
      ok = false;
    } else if (tag == "bar") {
      scene.windows.back().bar.push_back(unescape_text(tail));
      ok = true;
    } else if (tag == "row" && fields(tail, 1, f, rest)) {
      std::int32_t n = 0;
      ok = to_i32(f[0], n) && n >= 0;
      if (ok) scene.windows.back().rows.emplace_back(n, rest);
    } else if (tag == "control" && fields(tail, 3, f, rest)) {
      SceneControl c;
      ok = to_i32(f[0], c.id);
      c.className = unescape_text(f[1]);
      for (std::size_t p = 0; f[2] != "-" && p <= f[2].size();) {
        std::size_t comma = std::min(f[2].find(',', p), f[2].size());
        c.flags.push_back(unescape_text(std::string_view(f[2]).substr(p, comma - p)));
        p = comma + 1;
      }
      c.text = rest;
      if (ok) scene.windows.back().controls.push_back(std::move(c));
    } else if (tag == "rect" && !scene.windows.back().controls.empty() && fields(tail, 5, f, rest)) {
      SceneControl &c = scene.windows.back().controls.back();
      ok = rest.empty() && !c.placed && to_i32(f[0], c.left) && to_i32(f[1], c.top) && to_i32(f[2], c.right) &&
           to_i32(f[3], c.bottom) && to_i32(f[4], c.font) && c.left <= c.right && c.top <= c.bottom;
      c.placed = ok;
    } else if (tag == "popup" && fields(tail, 2, f, rest)) {
      ScenePopup p;
      ok = to_i32(f[0], p.x) && to_i32(f[1], p.y) && rest.empty();
      if (ok) scene.popups.push_back(std::move(p));
    } else if (tag == "item" && !scene.popups.empty() && fields(tail, 1, f, rest)) {
      auto flags = parse_u32(f[0]);
      ok = flags.has_value();
      if (ok) scene.popups.back().items.push_back({*flags, rest});
    }
    if (!ok) {
      if (error) *error = std::string(line);
      return std::nullopt;
    }
  }
  return scene;
}

}  // namespace winsim::tool
