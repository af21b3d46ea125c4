#include <gtest/gtest.h>

#include "menu.h"
#include "protocol.h"

namespace winsim::server {
namespace {

struct Item {
  std::uint32_t flags, id;
  const char *text;
};

std::string items(std::initializer_list<Item> list) {
  proto::Writer w;
  for (const auto &i : list) {
    w.put(i.flags);
    w.put(i.id);
    w.put(std::string(i.text));
  }
  return w.bytes();
}

// File [Open 10, separator, Exit 11 (grayed)], Misc [Video 20, Sub [Deep 30]], Help 40 (checked).
std::string sample() {
  return items({{kMfPopup, 0, "&File"},
                {0, 10, "&Open"},
                {kMfSeparator, 0, ""},
                {kMfGrayed | kMfEnd, 11, "E\"xit"},
                {kMfPopup, 0, "&Misc"},
                {0, 20, "Trigger &Video"},
                {kMfPopup | kMfEnd, 0, "Sub"},
                {kMfEnd, 30, "Deep"},
                {kMfChecked | kMfEnd, 40, "Help"}});
}

TEST(Menu, BuildsPopupsAsMenusOfTheirOwn) {
  Menus m;
  auto top = m.create(sample(), 7);
  ASSERT_TRUE(top);
  std::uint32_t file = m.sub_menu(*top, 0), misc = m.sub_menu(*top, 1);
  ASSERT_NE(file, 0u);
  ASSERT_NE(misc, 0u);
  EXPECT_NE(file, misc);
  EXPECT_EQ(m.sub_menu(*top, 2), 0u);   // a command, not a popup
  EXPECT_EQ(m.sub_menu(*top, 3), 0u);   // past the end
  EXPECT_EQ(m.sub_menu(*top, -1), 0u);
  ASSERT_TRUE(m.find(file));
  EXPECT_EQ(m.find(file)->items.size(), 3u);
  std::uint32_t sub = m.sub_menu(misc, 1);
  ASSERT_NE(sub, 0u);
  EXPECT_EQ(m.find(sub)->items.at(0).id, 30u);
}

TEST(Menu, StateListsCommandsDepthFirst) {
  Menus m;
  auto top = m.create(sample(), 7);
  ASSERT_TRUE(top);
  EXPECT_EQ(m.state_text(*top),
            "10 checked=0 grayed=0 \"&Open\"\n"
            "11 checked=0 grayed=1 \"E\\\"xit\"\n"
            "20 checked=0 grayed=0 \"Trigger &Video\"\n"
            "30 checked=0 grayed=0 \"Deep\"\n"
            "40 checked=1 grayed=0 \"Help\"\n");
}

TEST(Menu, CheckAndEnableByIdOrPosition) {
  Menus m;
  auto top = m.create(sample(), 7);
  ASSERT_TRUE(top);
  std::uint32_t misc = m.sub_menu(*top, 1);
  EXPECT_EQ(m.check(*top, 30, kMfChecked), 0u);       // found through two popups
  EXPECT_EQ(m.check(*top, 30, 0), kMfChecked);        // prev was checked
  EXPECT_EQ(m.check(*top, 40, 0), kMfChecked);
  EXPECT_EQ(m.check(*top, 99, kMfChecked), kNoItem);
  EXPECT_EQ(m.check(misc, 0, kMfByPosition | kMfChecked), 0u);  // Trigger &Video
  EXPECT_EQ(m.check(misc, 5, kMfByPosition), kNoItem);
  EXPECT_EQ(m.enable(*top, 11, 0), kMfGrayed);
  EXPECT_EQ(m.enable(*top, 10, kMfGrayed | kMfDisabled), 0u);
  EXPECT_EQ(m.enable(*top, 10, 0), kMfGrayed | kMfDisabled);
  EXPECT_EQ(m.enable(*top, 0, kMfByPosition | kMfGrayed), 0u);  // the File popup itself
  EXPECT_EQ(m.state_text(*top),
            "10 checked=0 grayed=0 \"&Open\"\n"
            "11 checked=0 grayed=0 \"E\\\"xit\"\n"
            "20 checked=1 grayed=0 \"Trigger &Video\"\n"
            "30 checked=0 grayed=0 \"Deep\"\n"
            "40 checked=0 grayed=0 \"Help\"\n");
}

TEST(Menu, RefusesMalformedItems) {
  Menus m;
  std::string good = sample();
  EXPECT_FALSE(m.create(good.substr(0, good.size() - 3), 1));  // cut inside a text
  EXPECT_FALSE(m.create(items({{kMfPopup, 0, "Open"}, {0, 1, "never ends"}}), 1));
  EXPECT_FALSE(m.create(items({{kMfEnd, 1, "a"}, {0, 2, "after the end"}}), 1));
  auto empty = m.create("", 1);
  ASSERT_TRUE(empty);
  EXPECT_EQ(m.state_text(*empty), "");
}

TEST(Menu, OwnerEndRemovesItsMenus) {
  Menus m;
  auto a = m.create(sample(), 1);
  auto b = m.create(sample(), 2);
  ASSERT_TRUE(a && b);
  std::uint32_t aFile = m.sub_menu(*a, 0);
  m.destroy_owned_by(1);
  EXPECT_EQ(m.find(*a), nullptr);
  EXPECT_EQ(m.find(aFile), nullptr);
  EXPECT_NE(m.find(*b), nullptr);
}

}  // namespace
}  // namespace winsim::server
