// The desktop itself, before any program runs on it.
#include <algorithm>
#include <csignal>

#include "desktop.h"

namespace {

bool has_line(const std::vector<std::string> &lines, const std::string &line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

TEST_F(Desktop, StartsEmptyTakesSettingsAndStops) {
  EXPECT_TRUE(lines("ps").empty());
  EXPECT_TRUE(lines("windows").empty());
  waitIdle();

  Result set = run({"set", "vbl=30", "vxd=absent"});
  ASSERT_EQ(set.status, 0) << describe(set);
  auto shown = lines("show");
  EXPECT_TRUE(has_line(shown, "vbl=30"));
  EXPECT_TRUE(has_line(shown, "vxd=absent"));
  EXPECT_TRUE(has_line(shown, "version=95")) << "untouched settings keep their defaults";

  // A second start finds the running desktop and only applies its settings.
  Result again = run({"start", "--vbl", "20"});
  ASSERT_EQ(again.status, 0) << describe(again);
  EXPECT_TRUE(has_line(lines("show"), "vbl=20"));

  Result stop = run({"stop"});
  ASSERT_EQ(stop.status, 0) << describe(stop);
  for (auto verb : {"ps", "stop", "wait-idle"}) {
    Result r = run({verb});
    EXPECT_EQ(r.status, 1) << verb << ": " << describe(r);
    EXPECT_NE(r.err.find("no desktop running"), std::string::npos) << verb << ": " << describe(r);
  }

  // Start again after a stop: a fresh desktop with fresh settings.
  Result restart = run({"start"});
  ASSERT_EQ(restart.status, 0) << describe(restart);
  EXPECT_TRUE(has_line(lines("show"), "vbl=60"));
}

TEST_F(Desktop, RefusalsExitOneWithOneLine) {
  struct Case {
    std::vector<std::string> args;
  } cases[] = {
      {{"set", "vbl=fast"}},
      {{"set", "no.such.key=1"}},
      {{"set", "vbl=30", "vxd=sideways"}},  // all or nothing: vbl stays
      {{"start", "--vxd", "sideways"}},
      {{"textout", "No Such Window"}},
      {{"post", "0x12345", "WM_CLOSE"}},
      {{"key", "No Such Window", "F1"}},
      {{"wait-exit", "99999"}},
      {{"launch", "--", "./no/such/program"}},
  };
  for (const auto &c : cases) {
    Result r = run(c.args);
    EXPECT_EQ(r.status, 1) << c.args[0] << " " << c.args[1] << ": " << describe(r);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.args[0] << ": " << describe(r);
    EXPECT_TRUE(r.out.empty()) << describe(r);
  }
  EXPECT_TRUE(has_line(lines("show"), "vbl=60"));
  EXPECT_TRUE(has_line(lines("show"), "vxd=present"));
}

TEST_F(Desktop, BadUsageExitsTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"ps", "extra"},
      {"set"},
      {"set", "vbl"},
      {"post", "Main"},
      {"post", "Main", "WM_NOSUCH"},
      {"post", "--count", "many", "Main", "WM_NULL"},
      {"send", "Main", "WM_NULL", "1", "2", "3"},
      {"key", "Main", "F13"},
      {"wait-exit", "abc"},
      {"wait-idle", "--timeout", "soon"},
      {"launch"},
      {"close"},
  };
  for (const auto &args : cases) {
    Result r = run(args);
    std::string what = args.empty() ? "(none)" : args[0];
    EXPECT_EQ(r.status, 2) << what << ": " << describe(r);
    EXPECT_NE(r.err.find("usage: winsim"), std::string::npos) << what << ": " << describe(r);
  }
}

// The desktop refuses to start with a bad setting and says why.
TEST_F(Desktop, StartWithBadSettingFailsWithReason) {
  ASSERT_EQ(run({"stop"}).status, 0);
  Result r = run({"start", "--vbl", "fast"});
  EXPECT_EQ(r.status, 1) << describe(r);
  EXPECT_NE(r.err.find("vbl"), std::string::npos) << describe(r);
  EXPECT_EQ(run({"ps"}).status, 1);
}

// Any program can be launched; the desktop reaps it and reports its exit code. The program
// is found on PATH and keeps its arguments, so the shell sees "exit 3".
TEST_F(Desktop, LaunchFindsProgramAndReportsExitCode) {
  std::uint32_t pid = launch({"sh", "-c", "exit 3"});
  ASSERT_NE(pid, 0u);
  EXPECT_EQ(waitExit(pid), "3");
  waitIdle();
  auto ps = lines("ps");
  ASSERT_EQ(ps.size(), 1u);
  EXPECT_EQ(ps[0].rfind(std::to_string(pid) + " state=ended ", 0), 0u) << ps[0];
  EXPECT_NE(ps[0].find(" exit=3"), std::string::npos) << ps[0];
}

// A program that never ends keeps the desktop busy; the waits give up after their timeout.
// Stopping the desktop ends it.
TEST_F(Desktop, WaitsTimeOut) {
  std::uint32_t pid = launch({"tail", "-f", "/dev/null"});
  ASSERT_NE(pid, 0u);
  for (auto args : {std::vector<std::string>{"wait-exit", std::to_string(pid), "--timeout", "0.2"},
                    std::vector<std::string>{"wait-idle", "--timeout", "0.2"}}) {
    Result r = run(args);
    EXPECT_EQ(r.status, 1) << args[0] << ": " << describe(r);
    EXPECT_NE(r.err.find("timed out"), std::string::npos) << args[0] << ": " << describe(r);
  }
  ASSERT_EQ(run({"stop"}).status, 0);
  EXPECT_NE(::kill(static_cast<pid_t>(pid), 0), 0) << "the program outlived its desktop";
}

// The verbs that act on a window, against a plain program of the desktop: the caption buttons
// reach its window procedure, and closing it ends the program with WinMain's code.
TEST_F(Desktop, WindowVerbsReachAProgram) {
  std::uint32_t pid = launch({binary("other_window"), "Other", "one"}, 1);
  ASSERT_NE(pid, 0u);
  waitIdle();
  auto windows = lines("windows");
  ASSERT_EQ(windows.size(), 1u);
  const std::string &w = windows[0];
  EXPECT_NE(w.find(" pid=" + std::to_string(pid) + " class=\"Ostik\" title=\"Other one\" visible=1 iconic=0"),
            std::string::npos) << w;
  const std::string title = "Other one", handle = w.substr(0, w.find(' '));

  Result sent = run({"send", handle, "WM_NULL", "0", "0"});
  EXPECT_EQ(sent.status, 0) << describe(sent);
  EXPECT_EQ(sent.out, "0\n") << describe(sent);
  for (auto args : {std::vector<std::string>{"key", title, "alt+?"},
                    std::vector<std::string>{"post", "--count", "5", title, "WM_NULL", "-1", "0x10"},
                    std::vector<std::string>{"minimize", title}}) {
    Result r = run(args);
    EXPECT_EQ(r.status, 0) << args[0] << ": " << describe(r);
  }
  waitIdle();
  EXPECT_NE(lines("windows")[0].find(" iconic=1"), std::string::npos) << lines("windows")[0];
  ASSERT_EQ(run({"restore", handle}).status, 0);
  waitIdle();
  EXPECT_NE(lines("windows")[0].find(" iconic=0"), std::string::npos) << lines("windows")[0];

  ASSERT_EQ(run({"close", title}).status, 0);
  EXPECT_EQ(waitExit(pid), "0");
  EXPECT_TRUE(lines("windows").empty());
}
