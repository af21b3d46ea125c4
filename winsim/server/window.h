// Top-level windows, kept in creation order; handles are never reused.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "surface.h"

namespace winsim::server {

using ConnId = std::uint64_t;

struct Rect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct Window {
  std::uint32_t hwnd = 0;
  ConnId owner = 0;
  std::uint32_t pid = 0;
  std::string className, title;
  std::uint32_t style = 0, exStyle = 0;
  Rect rect;
  std::uint32_t menu = 0;
  bool visible = false, iconic = false;
  bool invalid = false, erase = false;
  Surface surface;

  bool shows() const { return visible && !iconic; }
  bool paint_pending() const { return shows() && invalid; }
  std::int32_t client_width() const;
  std::int32_t client_height() const;
  // Keeps the cell grid the size of the client area (after a menu change).
  void fit_surface();
};

class Windows {
 public:
  // x == CW_USEDEFAULT picks the default position, cx == CW_USEDEFAULT the default size.
  Window &create(ConnId owner, std::uint32_t pid, std::string className, std::string title,
                 std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy);
  Window *find(std::uint32_t hwnd) const;
  void destroy(std::uint32_t hwnd);
  const std::vector<std::unique_ptr<Window>> &all() const { return list_; }

  std::uint32_t foreground = 0;

 private:
  std::uint32_t next_ = 0x00010010;
  std::vector<std::unique_ptr<Window>> list_;
};

// "0x..." naming a window, else the first window with exactly that title; 0 for none.
std::uint32_t resolve_window(const Windows &windows, const std::string &name);
bool equal_nocase(const std::string &a, const std::string &b);

}  // namespace winsim::server
