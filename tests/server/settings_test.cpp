#include <gtest/gtest.h>

#include "settings.h"

namespace winsim::server {
namespace {

TEST(Settings, ShowListsDefaultsInTableOrder) {
  Settings s;
  std::string text = s.show();
  EXPECT_EQ(text.rfind("version=95\nvbl=60\nperiod.video=2\nperiod.monitor=60\nvxd=present\n", 0), 0u)
      << text;
  EXPECT_NE(text.find("escape.NoEM=1\n"), std::string::npos);
  EXPECT_NE(text.find("overlay.results=\n"), std::string::npos);
  EXPECT_NE(text.find("langid=0x0409\nworkarea=0,0,800,572\nwinhelp=ok\n"), std::string::npos);
}

TEST(Settings, AppliesGoodValues) {
  Settings s;
  EXPECT_EQ(s.apply({"vbl=0", "vxd=silent", "overlay.results=0x88760230,0", "events=exists:3",
                     "workarea=fail", "escape.Rset=5", "ddraw.create=0x80004005"}),
            "");
  EXPECT_EQ(s.get("vbl"), "0");
  EXPECT_EQ(s.get("vxd"), "silent");
  EXPECT_EQ(s.get("events"), "exists:3");
  EXPECT_EQ(s.number("ddraw.create"), 0x80004005u);
  EXPECT_EQ(s.number("escape.Rset"), 5u);
}

TEST(Settings, RefusesBadItemsAndAppliesNone) {
  const char *bad[] = {"nosuch=1",   "vbl",          "vbl=-1",        "vbl=fast",
                       "period.video=0", "vxd=maybe", "events=exists:", "events=exists:-2",
                       "workarea=1,2,3", "workarea=a,b,c,d", "overlay.results=1,,2",
                       "version=nt4", "langid=0x", "escape.GoEV=1x"};
  for (const char *item : bad) {
    Settings s;
    std::string error = s.apply({"vxd=absent", item});
    EXPECT_FALSE(error.empty()) << item;
    std::string key = std::string(item).substr(0, std::string(item).find('='));
    EXPECT_NE(error.find(key), std::string::npos) << error;
    EXPECT_EQ(s.get("vxd"), "present") << "applied despite " << item;
  }
}

TEST(Settings, VersionValues) {
  struct Case {
    const char *value;
    std::uint32_t expected;
  } cases[] = {{"95", 0xC3B60004u}, {"nt", 0x05650004u}, {"win32s", 0x80AC0A03u},
               {"0x12345678", 0x12345678u}, {"4", 4u}};
  for (const auto &c : cases) {
    Settings s;
    ASSERT_EQ(s.apply({std::string("version=") + c.value}), "");
    EXPECT_EQ(s.version_value(), c.expected) << c.value;
  }
}

TEST(Settings, ParseU32) {
  EXPECT_EQ(parse_u32("0"), 0u);
  EXPECT_EQ(parse_u32("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(parse_u32("0xFFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(parse_u32("4294967296"), std::nullopt);
  EXPECT_EQ(parse_u32("-0x1"), std::nullopt);
  EXPECT_EQ(parse_u32(" 1"), std::nullopt);
  EXPECT_EQ(parse_u32(""), std::nullopt);
}

}  // namespace
}  // namespace winsim::server
