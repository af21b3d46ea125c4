#include "window.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "metrics.h"

namespace winsim::server {

std::int32_t Window::client_width() const {
  return metrics::client_width(rect.right - rect.left);
}

std::int32_t Window::client_height() const {
  return metrics::client_height(rect.bottom - rect.top, menu != 0);
}

void Window::fit_surface() { surface.resize(client_width(), client_height()); }

Window &Windows::create(ConnId owner, std::uint32_t pid, std::string className,
                        std::string title, std::int32_t x, std::int32_t y, std::int32_t cx,
                        std::int32_t cy) {
  auto w = std::make_unique<Window>();
  w->hwnd = next_;
  next_ += 4;
  w->owner = owner;
  w->pid = pid;
  w->className = std::move(className);
  w->title = std::move(title);
  if (x == metrics::kUseDefault) {
    x = metrics::kDefaultX;
    y = metrics::kDefaultY;
  }
  if (cx == metrics::kUseDefault) {
    cx = metrics::kDefaultWidth;
    cy = metrics::kDefaultHeight;
  }
  // Sizes beyond any screen are cut so the cell grid stays bounded.
  cx = std::clamp(cx, 0, 16384);
  cy = std::clamp(cy, 0, 16384);
  w->rect = {x, y, x + cx, y + cy};
  list_.push_back(std::move(w));
  return *list_.back();
}

Window *Windows::find(std::uint32_t hwnd) const {
  if (hwnd == 0) return nullptr;
  for (const auto &w : list_)
    if (w->hwnd == hwnd) return w.get();
  return nullptr;
}

void Windows::destroy(std::uint32_t hwnd) {
  if (foreground == hwnd) foreground = 0;
  std::erase_if(list_, [hwnd](const auto &w) { return w->hwnd == hwnd; });
}

bool equal_nocase(const std::string &a, const std::string &b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

std::uint32_t resolve_window(const Windows &windows, const std::string &name) {
  if (name.size() > 2 && name[0] == '0' && (name[1] == 'x' || name[1] == 'X')) {
    char *end = nullptr;
    unsigned long v = std::strtoul(name.c_str() + 2, &end, 16);
    if (*end == '\0' && v <= 0xFFFFFFFFul && windows.find(static_cast<std::uint32_t>(v)))
      return static_cast<std::uint32_t>(v);
  }
  for (const auto &w : windows.all())
    if (w->title == name) return w->hwnd;
  return 0;
}

}  // namespace winsim::server
