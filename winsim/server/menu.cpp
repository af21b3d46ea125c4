#include "menu.h"

#include "common.h"
#include "protocol.h"

namespace winsim::server {

namespace {

// Popups nest no deeper than this; it bounds both parsing and the depth-first searches.
constexpr int kMaxDepth = 32;

}  // namespace

std::optional<std::uint32_t> Menus::create(const std::string &items, std::uint64_t owner) {
  proto::Reader rd(items);
  std::map<std::uint32_t, Menu> made;
  std::uint32_t next = next_;
  // Reads one level into a new menu; returns its handle, 0 when malformed.
  auto level = [&](auto &self, int depth) -> std::uint32_t {
    if (depth > kMaxDepth) return 0;
    Menu menu{next, owner, {}};
    next += 4;
    for (;;) {
      if (depth == 0 && rd.done()) break;
      MenuItem item;
      if (!rd.get(item.flags) || !rd.get(item.id) || !rd.get(item.text)) return 0;
      bool end = item.flags & kMfEnd;
      item.flags &= ~kMfEnd;
      if (item.flags & kMfPopup) {
        item.sub = self(self, depth + 1);
        if (item.sub == 0) return 0;
      }
      menu.items.push_back(std::move(item));
      if (end) break;
    }
    std::uint32_t handle = menu.handle;
    made.emplace(handle, std::move(menu));
    return handle;
  };
  std::uint32_t top = level(level, 0);
  if (top == 0 || !rd.done()) return std::nullopt;
  next_ = next;
  menus_.merge(made);
  return top;
}

Menu *Menus::find(std::uint32_t handle) {
  auto it = menus_.find(handle);
  return it == menus_.end() ? nullptr : &it->second;
}

std::uint32_t Menus::sub_menu(std::uint32_t menu, std::int32_t pos) {
  Menu *m = find(menu);
  if (!m || pos < 0 || static_cast<std::size_t>(pos) >= m->items.size()) return 0;
  return m->items[static_cast<std::size_t>(pos)].sub;
}

MenuItem *Menus::locate(std::uint32_t menu, std::uint32_t item, std::uint32_t flags, int depth) {
  Menu *m = find(menu);
  if (!m || depth > kMaxDepth) return nullptr;
  if (flags & kMfByPosition) return item < m->items.size() ? &m->items[item] : nullptr;
  for (auto &it : m->items) {
    if (it.flags & kMfPopup) {
      if (MenuItem *found = locate(it.sub, item, flags, depth + 1)) return found;
    } else if (!(it.flags & kMfSeparator) && it.id == item) {
      return &it;
    }
  }
  return nullptr;
}

std::uint32_t Menus::check(std::uint32_t menu, std::uint32_t item, std::uint32_t flags) {
  MenuItem *it = locate(menu, item, flags);
  if (!it) return kNoItem;
  std::uint32_t prev = it->flags & kMfChecked;
  it->flags = (it->flags & ~kMfChecked) | (flags & kMfChecked);
  return prev;
}

std::uint32_t Menus::enable(std::uint32_t menu, std::uint32_t item, std::uint32_t flags) {
  constexpr std::uint32_t kBits = kMfGrayed | kMfDisabled;
  MenuItem *it = locate(menu, item, flags);
  if (!it) return kNoItem;
  std::uint32_t prev = it->flags & kBits;
  it->flags = (it->flags & ~kBits) | (flags & kBits);
  return prev;
}

std::string Menus::state_text(std::uint32_t menu) {
  std::string out;
  auto walk = [&](auto &self, std::uint32_t handle, int depth) -> void {
    Menu *m = find(handle);
    if (!m || depth > kMaxDepth) return;
    for (const auto &it : m->items) {
      if (it.flags & kMfPopup) {
        self(self, it.sub, depth + 1);
      } else if (!(it.flags & kMfSeparator)) {
        out += std::to_string(it.id) + " checked=" + ((it.flags & kMfChecked) ? "1" : "0") +
               " grayed=" + ((it.flags & kMfGrayed) ? "1" : "0") + " \"" +
               escape_text(it.text, true) + "\"\n";
      }
    }
  };
  walk(walk, menu, 0);
  return out;
}

void Menus::destroy_owned_by(std::uint64_t owner) {
  std::erase_if(menus_, [owner](const auto &kv) { return kv.second.owner == owner; });
}

}  // namespace winsim::server
