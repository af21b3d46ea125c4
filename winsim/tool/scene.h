// The desktop's `scene` listing, read back into what a picture is painted from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winsim::tool {

struct SceneControl {
  std::int32_t id = 0;
  std::string className, text;
  std::vector<std::string> flags;  // "default", "icon", "blackrect" ...
  // Where the control sits in the dialog's client area, when the desktop knows it.
  bool placed = false;
  std::int32_t left = 0, top = 0, right = 0, bottom = 0, font = 0;

  bool has(const std::string &flag) const;
};

struct SceneWindow {
  std::uint32_t hwnd = 0;
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool visible = false, iconic = false, foreground = false;
  std::string kind;  // window, dialog or messagebox
  std::string title;
  std::vector<std::string> bar;              // menu bar texts, '&' as given
  std::vector<std::pair<int, std::string>> rows;  // client cell rows with text
  std::vector<SceneControl> controls;

  bool is_dialog() const { return kind != "window"; }
};

struct SceneItem {
  std::uint32_t flags = 0;
  std::string text;
};

struct ScenePopup {
  std::int32_t x = 0, y = 0;
  std::vector<SceneItem> items;
};

struct Scene {
  std::vector<SceneWindow> windows;  // in painting order
  std::vector<ScenePopup> popups;
};

// nullopt, with the offending line in `error`, when a line does not parse.
std::optional<Scene> parse_scene(std::string_view text, std::string *error = nullptr);
// Undoes the listings' escaping (\\, \t, \n, \", \xHH).
std::string unescape_text(std::string_view text);

}  // namespace winsim::tool
