#include "cmdline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using winsim::client::build_command_line;
using winsim::client::command_tail;

struct BuildCase {
  std::vector<std::string_view> args;
  std::string line;
};

TEST(CommandLine, JoinsArgumentsQuotingOnlyEmptyOrSpaced) {
  const BuildCase cases[] = {
      {{"prog"}, "prog"},
      {{"prog", "kill", "nolurk"}, "prog kill nolurk"},
      {{"/opt/my dir/prog", "a b"}, "\"/opt/my dir/prog\" \"a b\""},
      {{"prog", ""}, "prog \"\""},
      {{"prog", "a\tb"}, "prog a\tb"},  // a tab is not quoted
      {{"prog", "say \"hi\""}, "prog \"say \"hi\"\""},
  };
  for (const auto &c : cases) EXPECT_EQ(build_command_line(c.args), c.line) << c.line;
}

struct TailCase {
  const char *line;
  const char *tail;
};

TEST(CommandLine, TailSkipsNameAndFollowingBlanks) {
  const TailCase cases[] = {
      {"prog kill", "kill"},
      {"prog", ""},
      {"prog   \t  -lurk  x ", "-lurk  x "},
      {"\"my prog\" +kill", "+kill"},
      {"\"my prog\"+kill", "+kill"},       // the name ends at the closing quote
      {"\"my prog +kill", ""},            // no closing quote: all of it is the name
      {"\"\" nolurk", "nolurk"},
      {"prog\tkill", "kill"},             // a tab ends an unquoted name
      {"prog\x01\x1f kill", "kill"},      // so does any code up to 32
      {"pr\"og\" kill", "kill"},          // a quote inside a name is just a character
      {"prog \t\n", ""},
      {"", ""},
  };
  for (const auto &c : cases) EXPECT_STREQ(command_tail(c.line), c.tail) << c.line;
}

TEST(CommandLine, RoundTripOfQuotedProgramName) {
  std::vector<std::string_view> args{"/tmp/a b/ostik", "kill", "wakeup"};
  std::string line = build_command_line(args);
  EXPECT_STREQ(command_tail(line.c_str()), "kill wakeup");
}

}  // namespace
