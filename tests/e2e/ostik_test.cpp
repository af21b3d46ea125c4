// The helper on a private desktop: its options, its log as drawn, instance control and its end.
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "desktop.h"

namespace {

const char kTitle[] = "Quorvane Helper Ostik";

const std::vector<std::string> kUsage = {
    "Unknown command.",
    "",
    "  Quorvane Helper Ostik: the adapter's resident event helper.",
    "",
    "  Command-line options: may be prefaced by -+/\\\\ or nothing.",
    "    lurk :lurk on loading (default).",
    "    nolurk :don't lurk on loading.",
    "    wakeup :wake up any other instance of ostik (default).",
    "    nowakeup :do not wake up any other instance of ostik, just exit if found.",
    "    kill :kill any other instance of ostik and exit always.",
    "    nokill :do not kill any other instance of ostik (default).",
    "",
};

// A `textout` line: y, x 0 and the numbered text as LogPrintf draws it.
std::string drawn(int y, int number, const std::string &text) {
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "%d 0 %6d:", y, number);
  return prefix + text;
}

// The lines a log shows from message `first` on, one line per message, from y = 16 * first.
// Messages from kDriverEnd on sit one line lower: the driver link's last message has two.
std::vector<std::string> numbered(int first, const std::vector<std::string> &texts);

// What a healthy driver link logs at start-up, messages 1 to 25.
const std::vector<std::string> kDriverStart = {
    "Event \"ParoxOstikVideoEvent(1)\" set up.", "Ring0 event \"ParoxOstikVideoEvent(1)\" set up.",
    "Event \"ParoxOstikMonitorEvent(1)\" set up.", "Ring0 event \"ParoxOstikMonitorEvent(1)\" set up.",
    "Found \\\\\\\\.\\\\quomvd VxD.", "VxD op succeeded.",
    "PAROX_OSTIK_ESCAPE: Rset", "    hVideoEvent 0x0", "    dwPeriodVideoVBL 2",
    "    hMonitorEvent 0x0", "    dwPeriodMonitorVBL 60", "    result=0",
    "PAROX_OSTIK_ESCAPE: GoEV", "    hVideoEvent 0xc1f0a010", "    dwPeriodVideoVBL 2",
    "    hMonitorEvent 0x0", "    dwPeriodMonitorVBL 60", "    result=0",
    "PAROX_OSTIK_ESCAPE: GoEM", "    hVideoEvent 0xc1f0a010", "    dwPeriodVideoVBL 2",
    "    hMonitorEvent 0xc1f0a020", "    dwPeriodMonitorVBL 60", "    result=0",
    "All systems nominal."};
const int kDriverEnd = 26;

// Where message n starts: the log goes back to the top once it has passed y = 580.
int topOf(int n) {
  int y = 0;
  for (int m = 0; m < n; ++m) {
    y += m == kDriverEnd - 1 ? 32 : 16;
    if (y > 580) y = 0;
  }
  return y;
}

std::vector<std::string> numbered(int first, const std::vector<std::string> &texts) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    int n = first + static_cast<int>(i);
    out.push_back(drawn(topOf(n), n, texts[i]));
    if (n == kDriverEnd - 1) out.push_back(std::to_string(topOf(n) + 16) + " 0 Ready for takeoff.");
  }
  return out;
}

// A shown helper's log: "Text output running.", the driver link, then `texts`.
std::vector<std::string> started(const std::vector<std::string> &texts) {
  std::vector<std::string> all = {"Text output running."};
  all.insert(all.end(), kDriverStart.begin(), kDriverStart.end());
  all.insert(all.end(), texts.begin(), texts.end());
  return all;
}

struct WindowState {
  bool found = false, visible = false, iconic = false, foreground = false;
};

}  // namespace

class Ostik : public Desktop {
 protected:
  std::vector<std::string> startArgs() const override { return {"--vbl", "0"}; }

  std::uint32_t start(std::vector<std::string> args, int show = -1) {
    args.insert(args.begin(), binary("ostik"));
    std::uint32_t pid = launch(args, show);
    waitIdle();
    return pid;
  }

  // The state of the helper's window of process pid, as `windows` lists it.
  WindowState window(std::uint32_t pid) {
    WindowState s;
    std::string owner = " pid=" + std::to_string(pid) + " class=\"Ostik\" title=\"" + kTitle + "\"";
    for (const auto &line : lines("windows")) {
      if (line.find(owner) == std::string::npos) continue;
      s.found = true;
      s.visible = line.find("visible=1") != std::string::npos;
      s.iconic = line.find("iconic=1") != std::string::npos;
      s.foreground = line.find("foreground=1") != std::string::npos;
    }
    return s;
  }

  std::string state(std::uint32_t pid) {
    std::string head = std::to_string(pid) + " state=";
    for (const auto &line : lines("ps"))
      if (line.rfind(head, 0) == 0) return line.substr(head.size(), line.find(' ', head.size()) - head.size());
    return "";
  }

  void closeAndExpectExit(std::uint32_t pid) {
    Result r = run({"close", kTitle});
    ASSERT_EQ(r.status, 0) << describe(r);
    EXPECT_EQ(waitExit(pid), "0");
  }
};

TEST_F(Ostik, OptionsDecideWhatTheLogShows) {
  std::vector<std::string> usage = kUsage;
  struct Case {
    std::vector<std::string> args;
    bool visible;
    std::vector<std::string> log;  // one line per message, numbered from 0
  } cases[] = {
      {{}, false, {}},
      {{"-nolurk"}, true, started({"Command line was: <-nolurk>", "Command: <nolurk>"})},
      {{"nolurk", "lurk"}, false, {}},
      {{"foo", "lurk"}, false, {}},  // the later option wins; the usage goes to a silent log
      {{"/LURK"}, true, started({"Command line was: </LURK>", "Command: <LURK>"})},
      {{"nolurk\tkill"}, true,
       started({"Command line was: <nolurk\\tkill>", "Command: <nolurk\\tkill>"})},
      // The unknown token clears kill: with no running copy this one starts, shown.
      {{"kill", "foo"}, true,
       started({"Command line was: <kill foo>", "Command: <kill>", "Command: <foo>"})},
  };
  for (auto &c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    std::uint32_t pid = start(c.args);
    WindowState w = window(pid);
    ASSERT_TRUE(w.found);
    EXPECT_EQ(w.visible, c.visible);
    std::vector<std::string> want = numbered(0, c.log);
    if (c.visible && c.log.back().find("Command: <") == 0 &&
        c.log.back() != "Command: <nolurk>") {
      std::vector<std::string> tail = numbered(static_cast<int>(c.log.size()), usage);
      want.insert(want.end(), tail.begin(), tail.end());
    }
    EXPECT_EQ(lines("textout", kTitle), want);
    closeAndExpectExit(pid);
  }
}

TEST_F(Ostik, ScreenShowsTheLogRows) {
  std::uint32_t pid = start({"nolurk"});
  std::vector<std::string> screen = lines("screen", kTitle);
  // The client area holds the rows down to the driver link's last message.
  ASSERT_EQ(screen.size(), 26u);
  EXPECT_EQ(screen[0], "     0:Text output running.");
  EXPECT_EQ(screen[1], "     1:Event \"ParoxOstikVideoEvent(1)\" set up.");
  EXPECT_EQ(screen[25], "    25:All systems nominal.");
  closeAndExpectExit(pid);
}

TEST_F(Ostik, LongCommandTailIsCutNeverOverrun) {
  // 1200 characters: the option buffer keeps 999, the echo is cut to the log's bound.
  std::string longToken(1200 - 7, 'x');
  std::uint32_t pid = start({"nolurk", longToken});
  ASSERT_TRUE(window(pid).visible);
  std::vector<std::string> log = lines("textout", kTitle);
  ASSERT_GE(log.size(), 31u);
  std::string echoHead = drawn(432, 26, "Command line was: <nolurk xxx");
  EXPECT_EQ(log[27].rfind(echoHead, 0), 0u);
  EXPECT_LE(log[27].size() - std::string("432 0 ").size(), 1023u) << "one log line fits its area";
  EXPECT_EQ(log[28], drawn(448, 27, "Command: <nolurk>"));
  EXPECT_EQ(log[29], drawn(464, 28, "Command: <" + std::string(999 - 7, 'x') + ">"));
  EXPECT_EQ(log[30], drawn(480, 29, "Unknown command."));
  closeAndExpectExit(pid);
}

TEST_F(Ostik, SecondCopyWakesClosesOrLeavesTheFirst) {
  enum First { kLurking, kMinimised, kVisibleInBackground };
  struct Case {
    const char *name;
    First first;
    std::vector<std::string> second;
    bool ended, visible, iconic, foreground;
  } cases[] = {
      {"lurking, woken", kLurking, {}, false, true, false, true},
      {"minimised, restored", kMinimised, {}, false, true, false, true},
      {"visible, brought to the front", kVisibleInBackground, {}, false, true, false, true},
      {"lurking, nowakeup", kLurking, {"nowakeup"}, false, false, false, false},
      {"visible, nowakeup", kVisibleInBackground, {"nowakeup"}, false, true, false, false},
      {"lurking, kill", kLurking, {"kill"}, true, false, false, false},
      {"visible, kill nowakeup", kVisibleInBackground, {"kill", "nowakeup"}, true, false, false, false},
      {"minimised, kill nowakeup", kMinimised, {"kill", "nowakeup"}, true, false, false, false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    std::uint32_t first = start(c.first == kLurking ? std::vector<std::string>{} : std::vector<std::string>{"nolurk"});
    std::uint32_t other = 0;
    if (c.first == kMinimised) {
      ASSERT_EQ(run({"minimize", kTitle}).status, 0);
      waitIdle();
      ASSERT_TRUE(window(first).iconic);
    }
    if (c.first == kVisibleInBackground) {
      other = launch({binary("other_window"), "Somebody", "else"}, 1);
      waitIdle();
      ASSERT_FALSE(window(first).foreground);
    }
    std::vector<std::string> before = lines("textout", kTitle);

    std::uint32_t second = start(c.second);
    EXPECT_EQ(waitExit(second), "0");
    waitIdle();

    int copies = 0;
    for (const auto &line : lines("windows")) copies += line.find("class=\"Ostik\" title=\"Quorvane") != std::string::npos;
    if (c.ended) {
      EXPECT_EQ(waitExit(first), "0");
      EXPECT_EQ(copies, 0);
    } else {
      EXPECT_EQ(copies, 1) << "the second copy made no window";
      WindowState w = window(first);
      EXPECT_EQ(w.visible, c.visible);
      EXPECT_EQ(w.iconic, c.iconic);
      EXPECT_EQ(w.foreground, c.foreground);
      // Waking draws nothing: the show notice is issued while the log is still silent.
      EXPECT_EQ(lines("textout", kTitle), before);
      closeAndExpectExit(first);
    }
    if (other) {
      ASSERT_EQ(run({"close", "Somebody else"}).status, 0);
      EXPECT_EQ(waitExit(other), "0");
    }
  }
}

TEST_F(Ostik, KillWithNoRunningCopyEndsAtOnceWithoutAWindow) {
  std::uint32_t pid = start({"kill"});
  EXPECT_EQ(waitExit(pid), "0");
  EXPECT_TRUE(lines("windows").empty());
}

TEST_F(Ostik, WindowOfTheClassWithAnotherTitleIsNotARunningCopy) {
  std::uint32_t other = launch({binary("other_window"), "Not", "the", "helper"}, 1);
  waitIdle();
  std::uint32_t pid = start({"nolurk"});
  EXPECT_EQ(state(pid), "waiting") << "it found no running copy and went on";
  WindowState w = window(pid);
  EXPECT_TRUE(w.visible);
  EXPECT_EQ(lines("windows").size(), 2u);
  EXPECT_EQ(state(other), "waiting");
  closeAndExpectExit(pid);
  ASSERT_EQ(run({"close", "Not the helper"}).status, 0);
  EXPECT_EQ(waitExit(other), "0");
}

TEST_F(Ostik, ClosingEndsWithExitCodeZero) {
  for (const auto &how : std::vector<std::vector<std::string>>{
           {"close", kTitle}, {"post", kTitle, "WM_CLOSE"}}) {
    SCOPED_TRACE(how[0]);
    std::uint32_t pid = start({});
    Result r = run(how);
    ASSERT_EQ(r.status, 0) << describe(r);
    EXPECT_EQ(waitExit(pid), "0");
    EXPECT_TRUE(lines("windows").empty());
  }
}

TEST_F(Ostik, MessagesQueuedTogetherAreAllHandled) {
  std::uint32_t pid = start({"nolurk"});
  // Three show notices not caused by ShowWindow, queued in one step: each is handled, with no
  // further input, and none changes the lurk state.
  Result r = run({"post", "--count", "3", kTitle, "WM_SHOWWINDOW", "1", "3"});
  ASSERT_EQ(r.status, 0) << describe(r);
  waitIdle();
  std::vector<std::string> want = numbered(0, started({"Command line was: <nolurk>", "Command: <nolurk>"}));
  for (int i = 0; i < 3; ++i) {
    std::vector<std::string> pair = numbered(28 + 2 * i, {"Asked to show/hide myself.",
                                                          "...but not because of a ShowWindow()"});
    want.insert(want.end(), pair.begin(), pair.end());
  }
  EXPECT_EQ(lines("textout", kTitle), want);
  EXPECT_TRUE(window(pid).visible);
  closeAndExpectExit(pid);
}

TEST_F(Ostik, AnIdleHelperAsksTheDesktopNothing) {
  std::uint32_t pid = start({"nolurk"});
  auto requests = [&] {
    for (const auto &line : lines("ps"))
      if (line.rfind(std::to_string(pid) + " ", 0) == 0) return line.substr(line.find("requests="));
    return std::string();
  };
  std::string before = requests();
  ASSERT_FALSE(before.empty());
  // Another program comes and goes; the helper's wait is not disturbed.
  std::uint32_t other = launch({binary("other_window"), "Passer-by"}, 1);
  waitIdle();
  ASSERT_EQ(run({"close", "Passer-by"}).status, 0);
  EXPECT_EQ(waitExit(other), "0");
  waitIdle();
  EXPECT_EQ(requests(), before);
  closeAndExpectExit(pid);
}

TEST_F(Ostik, StartsTheDefaultDesktopWhenNoneRuns) {
  // A desktop directory nobody started: the helper starts it, as a window server would be.
  std::string fresh = dir() + "/fresh";
  std::string env = "WINSIM_DESKTOP='" + fresh + "' ";
  int status = std::system((env + "'" + binary("ostik") + "' kill").c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(std::system((env + "'" + binary("winsim") + "' ps >/dev/null").c_str()), 0)
      << "the desktop it started still runs";
  EXPECT_EQ(std::system((env + "'" + binary("winsim") + "' stop").c_str()), 0);
}

TEST_F(Ostik, ShownWithTheShowStateItWasStartedWith) {
  struct Case {
    std::vector<std::string> args;
    int show;
    bool visible, iconic;
  } cases[] = {
      {{"nolurk"}, 2, true, true},    // SW_SHOWMINIMIZED
      {{"nolurk"}, 1, true, false},   // SW_SHOWNORMAL
      {{"nolurk"}, -1, true, false},  // none given: SW_SHOWDEFAULT
      {{}, 2, false, false},          // lurking: hidden whatever the launcher asked
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args) + " show " + std::to_string(c.show));
    std::uint32_t pid = start(c.args, c.show);
    WindowState w = window(pid);
    ASSERT_TRUE(w.found);
    EXPECT_EQ(w.visible, c.visible);
    EXPECT_EQ(w.iconic, c.iconic);
    closeAndExpectExit(pid);
  }
}

TEST_F(Ostik, ClassRegistrationFollowsTheWindowsFamily) {
  struct Case {
    std::vector<std::string> settings;
    const char *menu, *smallIcon, *call;
  } cases[] = {
      {{"version=95"}, "WIN95", "1", "RegisterClassExA"},
      {{"version=nt"}, "Ostik", "0", "RegisterClassA"},
      {{"version=win32s"}, "Ostik", "0", "RegisterClassA"},
      // A USER32 without RegisterClassExA: the plain call, and still the family's menu.
      {{"version=95", "user32.RegisterClassExA=absent"}, "WIN95", "0", "RegisterClassA"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.settings));
    std::vector<std::string> set = {"set", "version=95", "user32.RegisterClassExA=present"};
    set.insert(set.end(), c.settings.begin(), c.settings.end());
    ASSERT_EQ(run(set).status, 0);
    std::uint32_t pid = start({"nolurk"});
    EXPECT_EQ(lines("classes"), (std::vector<std::string>{
                                    std::to_string(pid) + " class=\"Ostik\" style=0x00000003 menu=\"" + c.menu +
                                    "\" icon=1 small-icon=" + c.smallIcon + " call=" + c.call}));
    closeAndExpectExit(pid);
  }
}
