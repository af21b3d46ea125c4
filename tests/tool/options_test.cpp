#include <gtest/gtest.h>

#include "options.h"

using namespace winsim::tool;

namespace {

std::optional<Args> parse(std::vector<std::string> argv, const ArgShape &shape) { return parse_args(argv, shape); }

}  // namespace

TEST(ParseArgs, OptionsMayComeAfterPositionalsAndNegativeNumbersStayPositional) {
  ArgShape shape{{"count"}, false, false, 2, 4};
  auto a = parse({"Main", "WM_USER", "--count", "3", "-1", "0x10"}, shape);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->positional, (std::vector<std::string>{"Main", "WM_USER", "-1", "0x10"}));
  EXPECT_EQ(a->options.at("count"), "3");

  auto b = parse({"--count=7", "W", "1"}, shape);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->options.at("count"), "7");
}

TEST(ParseArgs, RejectsBadShapes) {
  ArgShape shape{{"count"}, false, false, 2, 4};
  EXPECT_FALSE(parse({"W"}, shape)) << "too few";
  EXPECT_FALSE(parse({"W", "1", "2", "3", "4"}, shape)) << "too many";
  EXPECT_FALSE(parse({"W", "1", "--count"}, shape)) << "missing value";
  EXPECT_FALSE(parse({"W", "1", "--bogus", "1"}, shape)) << "unknown option";
}

TEST(ParseArgs, SettingsKeepOrderAndLaunchStopsAtProgram) {
  ArgShape start{{}, true, false, 0, 0};
  auto s = parse({"--vbl", "0", "--version=nt", "--escape.Rset", "5"}, start);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->settings, (std::vector<std::string>{"vbl=0", "version=nt", "escape.Rset=5"}));

  ArgShape launch{{"show"}, false, true, 1, 100};
  auto l = parse({"--show", "7", "--", "prog", "--show", "x", "--"}, launch);
  ASSERT_TRUE(l);
  EXPECT_EQ(l->options.at("show"), "7");
  EXPECT_EQ(l->positional, (std::vector<std::string>{"prog", "--show", "x", "--"}));
  auto bare = parse({"prog", "--flag"}, launch);
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->positional, (std::vector<std::string>{"prog", "--flag"}));
}

TEST(Numbers, U32AndParams) {
  EXPECT_EQ(parse_u32("0"), 0u);
  EXPECT_EQ(parse_u32("4294967295"), 0xFFFFFFFFu);
  EXPECT_EQ(parse_u32("0xF060"), 0xF060u);
  for (const char *bad : {"", "4294967296", "-1", "+1", "0x", "12a", "0x1g", " 1"})
    EXPECT_FALSE(parse_u32(bad)) << bad;

  EXPECT_EQ(parse_param("-1"), ~std::uint64_t{0});
  EXPECT_EQ(parse_param("-2"), std::uint64_t(-2));
  EXPECT_EQ(parse_param("-9223372036854775808"), std::uint64_t{1} << 63);
  EXPECT_EQ(parse_param("0xFFFFFFFFFFFFFFFF"), ~std::uint64_t{0});
  EXPECT_EQ(parse_param("65536"), 65536u);
  for (const char *bad : {"-", "-9223372036854775809", "-0x1", "--1", "0x10000000000000000"})
    EXPECT_FALSE(parse_param(bad)) << bad;
}

TEST(Numbers, Seconds) {
  EXPECT_EQ(parse_seconds("60"), 60000u);
  EXPECT_EQ(parse_seconds("0.5"), 500u);
  EXPECT_EQ(parse_seconds(".25"), 250u);
  EXPECT_EQ(parse_seconds("0"), 0u);
  for (const char *bad : {"", ".", "1.", "-1", "0x10", "1.5s", "4294968"})
    EXPECT_FALSE(parse_seconds(bad)) << bad;
}
