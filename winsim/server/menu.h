// Menus: a tree of items where each popup is a menu of its own, owned by a process.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace winsim::server {

inline constexpr std::uint32_t kMfGrayed = 0x1;
inline constexpr std::uint32_t kMfDisabled = 0x2;
inline constexpr std::uint32_t kMfChecked = 0x8;
inline constexpr std::uint32_t kMfPopup = 0x10;
inline constexpr std::uint32_t kMfEnd = 0x80;
inline constexpr std::uint32_t kMfByPosition = 0x400;
inline constexpr std::uint32_t kMfSeparator = 0x800;
inline constexpr std::uint32_t kNoItem = 0xFFFFFFFFu;

struct MenuItem {
  std::uint32_t flags = 0;  // without MF_END
  std::uint32_t id = 0;
  std::string text;
  std::uint32_t sub = 0;  // the popup's menu handle
};

struct Menu {
  std::uint32_t handle = 0;
  std::uint64_t owner = 0;  // process key; 0 for none
  std::vector<MenuItem> items;
};

class Menus {
 public:
  // Builds menus from serialized items; returns the top menu's handle, nullopt when malformed.
  std::optional<std::uint32_t> create(const std::string &items, std::uint64_t owner);
  Menu *find(std::uint32_t handle);
  // The popup at pos, 0 if none.
  std::uint32_t sub_menu(std::uint32_t menu, std::int32_t pos);
  // CheckMenuItem / EnableMenuItem on an existing menu: the old bits, or kNoItem.
  std::uint32_t check(std::uint32_t menu, std::uint32_t item, std::uint32_t flags);
  std::uint32_t enable(std::uint32_t menu, std::uint32_t item, std::uint32_t flags);
  // `ID checked=0|1 grayed=0|1 "TEXT"` for each command item, depth first.
  std::string state_text(std::uint32_t menu);
  void destroy_owned_by(std::uint64_t owner);

 private:
  MenuItem *locate(std::uint32_t menu, std::uint32_t item, std::uint32_t flags, int depth = 0);
  std::uint32_t next_ = 0x00800010;
  std::map<std::uint32_t, Menu> menus_;
};

}  // namespace winsim::server
