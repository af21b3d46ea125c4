// The helper's link to the display driver against the simulated adapter: the events, the VxD
// handshake, the escapes of start-up, shut-down and the triggers, and the wait loop's wakes.
#include <algorithm>
#include <string>
#include <vector>

#include "desktop.h"

namespace {

const char kTitle[] = "Quorvane Helper Ostik";
const std::string kVideo1 = "ParoxOstikVideoEvent(1)", kMonitor1 = "ParoxOstikMonitorEvent(1)";

std::vector<std::string> eventLines(const std::string &video, const std::string &monitor) {
  return {"Event \"" + video + "\" set up.", "Ring0 event \"" + video + "\" set up.",
          "Event \"" + monitor + "\" set up.", "Ring0 event \"" + monitor + "\" set up."};
}

// The six messages of an answered command, as the log prints them.
std::vector<std::string> block(const std::string &header, const std::string &video, int periodVideo,
                               const std::string &monitor, int periodMonitor) {
  return {header, "    hVideoEvent " + video, "    dwPeriodVideoVBL " + std::to_string(periodVideo),
          "    hMonitorEvent " + monitor, "    dwPeriodMonitorVBL " + std::to_string(periodMonitor),
          "    result=0"};
}

void append(std::vector<std::string> &to, const std::vector<std::string> &more) {
  to.insert(to.end(), more.begin(), more.end());
}

}  // namespace

class DriverLink : public Desktop {
 protected:
  std::vector<std::string> startArgs() const override { return {"--vbl", "0"}; }

  std::uint32_t start(const std::vector<std::string> &settings, std::vector<std::string> args = {"nolurk"}) {
    if (!settings.empty()) {
      std::vector<std::string> set = {"set"};
      append(set, settings);
      Result r = run(set);
      EXPECT_EQ(r.status, 0) << describe(r);
    }
    args.insert(args.begin(), binary("ostik"));
    std::uint32_t pid = launch(args);
    waitIdle();
    return pid;
  }

  // The log's messages as drawn: the text after "NNNNNN:", continuation lines as they are.
  std::vector<std::string> logTexts() {
    std::vector<std::string> out;
    for (const auto &line : lines("textout", kTitle)) {
      std::string text = line.substr(line.find(' ', line.find(' ') + 1) + 1);
      auto colon = text.find(':');
      out.push_back(colon == 6 ? text.substr(7) : text);
    }
    return out;
  }

  std::vector<std::string> record(const std::string &prefix) {
    std::vector<std::string> out;
    for (const auto &line : lines("log"))
      if (line.rfind(prefix, 0) == 0) out.push_back(line);
    return out;
  }

  void close(std::uint32_t pid) {
    Result r = run({"close", kTitle});
    ASSERT_EQ(r.status, 0) << describe(r);
    EXPECT_EQ(waitExit(pid), "0");
  }

  void signal(const std::string &which, int count = 1) {
    Result r = run({"signal", "--count", std::to_string(count), which});
    ASSERT_EQ(r.status, 0) << describe(r);
    waitIdle();
  }
};

TEST_F(DriverLink, HealthyAdapterStartUpAndShutDown) {
  std::uint32_t pid = start({});
  std::vector<std::string> want = {"Text output running."};
  append(want, eventLines(kVideo1, kMonitor1));
  append(want, {"Found \\\\\\\\.\\\\quomvd VxD.", "VxD op succeeded."});
  // Each command carries the reply to the one before; the ring-0 handles have the top bit set.
  append(want, block("PAROX_OSTIK_ESCAPE: Rset", "0x0", 2, "0x0", 60));
  append(want, block("PAROX_OSTIK_ESCAPE: GoEV", "0xc1f0a010", 2, "0x0", 60));
  append(want, block("PAROX_OSTIK_ESCAPE: GoEM", "0xc1f0a010", 2, "0xc1f0a020", 60));
  append(want, {"All systems nominal.", "Ready for takeoff.", "Command line was: <nolurk>",
                "Command: <nolurk>"});
  EXPECT_EQ(logTexts(), want);
  EXPECT_EQ(record("vxd"), (std::vector<std::string>{"vxd open ok", "vxd ioctl 00000008 ok"}));
  EXPECT_EQ(record("escape"),
            (std::vector<std::string>{
                "escape Rset in=52736574,00000000,00000000,00000000,00000000,00000000,00000000 "
                "out=52736574,00000000,00000000,00000002,0000003c,00000000,00000000",
                "escape GoEV in=476f4556,c1f0a010,00000000,00000002,0000003c,00000000,00000000 "
                "out=476f4556,c1f0a010,00000000,00000002,0000003c,00000000,00000000",
                "escape GoEM in=476f454d,c1f0a010,c1f0a020,00000002,0000003c,00000000,00000000 "
                "out=476f454d,c1f0a010,c1f0a020,00000002,0000003c,00000000,00000000"}));

  // Shut-down is drawn into a window already gone, so the record tells it: the withdrawal
  // record starts zeroed, NoEM carries the NoEV reply and is refused as expected.
  close(pid);
  std::vector<std::string> escapes = record("escape");
  ASSERT_EQ(escapes.size(), 5u);
  EXPECT_EQ(escapes[3], "escape NoEV in=4e6f4556,c1f0a010,00000000,00000000,00000000,00000000,00000000 "
                        "out=4e6f4556,c1f0a010,00000000,00000002,0000003c,00000000,00000000");
  EXPECT_EQ(escapes[4], "escape NoEM in=4e6f454d,c1f0a010,c1f0a020,00000002,0000003c,00000000,00000000 "
                        "out=4e6f454d,c1f0a010,c1f0a020,00000002,0000003c,00000001,00000000");
  // Withdrawn first, then closed by the helper itself, not left to the end of the process.
  std::vector<std::string> shutDown;
  for (const auto &line : lines("log"))
    if (line.rfind("escape N", 0) == 0 || line.rfind("event close", 0) == 0) shutDown.push_back(line.substr(0, 40));
  EXPECT_EQ(shutDown, (std::vector<std::string>{escapes[3].substr(0, 40), escapes[4].substr(0, 40),
                                                "event close " + kVideo1, "event close " + kMonitor1}));
  signal("video");
  EXPECT_TRUE(record("signal").empty()) << "the events were withdrawn and closed";
}

TEST_F(DriverLink, RefusedCommandsAreLoggedOnceAndTheSequenceGoesOn) {
  std::uint32_t pid = start({"escape.Rset=5", "escape.GoEV=-7", "escape.GoEM=0x80000001"});
  std::vector<std::string> log = logTexts();
  std::vector<std::string> want = {"ERROR: PAROX_OSTIK_ESCAPE failed! Error=5",
                                   "ERROR: PAROX_OSTIK_ESCAPE failed! Error=-7",
                                   "ERROR: PAROX_OSTIK_ESCAPE failed! Error=-2147483647",
                                   "All systems nominal."};
  ASSERT_GE(log.size(), 11u);
  EXPECT_EQ(std::vector<std::string>(log.begin() + 7, log.begin() + 11), want);
  std::vector<std::string> escapes = record("escape");
  ASSERT_EQ(escapes.size(), 3u);
  // GoEV and GoEM go out all the same, each with the failed reply before it.
  EXPECT_NE(escapes[1].find(" in=476f4556,c1f0a010,00000000,00000002,0000003c,00000005,"), std::string::npos)
      << escapes[1];
  EXPECT_NE(escapes[2].find(" in=476f454d,c1f0a010,c1f0a020,00000002,0000003c,fffffff9,"), std::string::npos)
      << escapes[2];
  // A refused registration leaves nothing for the adapter to signal.
  signal("video");
  EXPECT_TRUE(record("signal").empty());
  close(pid);
}

TEST_F(DriverLink, FailedWithdrawalStillSendsNoEM) {
  std::uint32_t pid = start({"escape.NoEV=3", "escape.NoEM=0"});
  close(pid);
  std::vector<std::string> escapes = record("escape N");
  ASSERT_EQ(escapes.size(), 2u);
  EXPECT_EQ(escapes[1], "escape NoEM in=4e6f454d,c1f0a010,c1f0a020,00000002,0000003c,00000003,00000000 "
                        "out=4e6f454d,c1f0a010,c1f0a020,00000002,0000003c,00000000,00000000");
}

TEST_F(DriverLink, NoScreenDeviceContext) {
  std::uint32_t pid = start({"screen-dc=none"});
  std::vector<std::string> log = logTexts();
  ASSERT_GE(log.size(), 9u);
  EXPECT_EQ(log[7], "ERROR: Couldn't get HDC for screen!");
  EXPECT_EQ(log[8], "All systems nominal.");
  close(pid);
  EXPECT_TRUE(record("escape").empty()) << "neither at start-up nor at shut-down";
  EXPECT_EQ(record("event close"),
            (std::vector<std::string>{"event close " + kVideo1, "event close " + kMonitor1}))
      << "the events are closed all the same";
}

TEST_F(DriverLink, EventNumbering) {
  std::uint32_t holder = launch({binary("event_holder"), kVideo1});
  waitIdle();
  struct Case {
    std::vector<std::string> settings;
    std::vector<std::string> events;
  } cases[] = {
      // Number 1 made by another process is an event: opened and shared.
      {{"events=ok"}, eventLines(kVideo1, kMonitor1)},
      // Names below 3 belong to other objects: both searches move on, each from 1.
      {{"events=exists:3"}, eventLines("ParoxOstikVideoEvent(3)", "ParoxOstikMonitorEvent(3)")},
      {{"events=fail"},
       {"Event set up failed.", "Ring0 event set up failed.", "Event set up failed.",
        "Ring0 event set up failed."}},
      {{"events=ok", "ring0=zero"},
       {"Event \"" + kVideo1 + "\" set up.", "Ring0 event set up failed.",
        "Event \"" + kMonitor1 + "\" set up.", "Ring0 event set up failed."}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.settings));
    std::size_t seen = record("escape").size();
    std::uint32_t pid = start(c.settings);
    std::vector<std::string> log = logTexts();
    ASSERT_GE(log.size(), 27u);
    EXPECT_EQ(std::vector<std::string>(log.begin() + 1, log.begin() + 5), c.events);
    EXPECT_EQ(log[25], "All systems nominal.") << "start-up goes on";
    std::vector<std::string> escapes = record("escape");
    ASSERT_EQ(escapes.size(), seen + 3);
    bool handles = c.settings.size() == 1 && c.settings[0] != "events=fail";
    // GoEM's input holds both handles as they were obtained: 0 when that failed.
    EXPECT_EQ(escapes.back().find(" in=476f454d,00000000,00000000,") == std::string::npos, handles)
        << escapes.back();
    close(pid);
  }
  EXPECT_EQ(record("escape").size(), 4u * 5u);
  (void)holder;
}

TEST_F(DriverLink, MissingOrSilentVxDEndsStartUpBeforeAnyEscape) {
  struct Case {
    const char *vxd;
    std::string failure;
    std::vector<std::string> record;
  } cases[] = {
      {"absent", "Could not find \\\\\\\\.\\\\quomvd VxD.", {"vxd open absent"}},
      {"silent", "VxD op failed.", {"vxd open ok", "vxd ioctl 00000008 fail"}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.vxd);
    std::size_t seen = record("vxd").size();
    std::uint32_t pid = start({std::string("vxd=") + c.vxd});
    EXPECT_EQ(waitExit(pid), "0");
    std::vector<std::string> vxd = record("vxd");
    EXPECT_EQ(std::vector<std::string>(vxd.begin() + seen, vxd.end()), c.record);
  }
  EXPECT_TRUE(record("escape").empty());
  EXPECT_TRUE(record("event close").empty()) << "an early end leaves the events to the process's end";
}

TEST_F(DriverLink, TheLoopWakesOncePerSignalAndMergesSignalsWhileSet) {
  std::uint32_t pid = start({});
  // Each service makes one overlay call carrying its event's key: the calls count the wakes.
  auto services = [&](const char *key) {
    std::size_t n = 0;
    for (const auto &line : record("overlay")) n += line.find(key) != std::string::npos;
    return n;
  };
  const char *video = "key=10293847/21436587";
  const char *monitor = "key=10293847/21436578";
  struct Step {
    const char *which;
    int count;
    std::size_t videoServices, monitorServices;
  } steps[] = {
      {"video", 1, 1, 0},
      {"video", 1, 2, 0},    // two signals apart: two wakes
      {"video", 3, 3, 0},    // three signals before the loop looked: one wake
      {"monitor", 2, 3, 1},  // the same for the other event
      {"monitor", 1, 3, 2},
  };
  for (const auto &step : steps) {
    SCOPED_TRACE(std::string(step.which) + " x" + std::to_string(step.count));
    signal(step.which, step.count);
    EXPECT_EQ(services(video), step.videoServices);
    EXPECT_EQ(services(monitor), step.monitorServices);
  }
  close(pid);
}

TEST_F(DriverLink, QuitTakenWithAnEventStillServicesItAndExitsWithItsWParam) {
  std::uint32_t pid = start({});
  // The About box's modal loop holds up the wait, so the signal and the quit meet in one turn.
  ASSERT_EQ(run({"post", kTitle, "WM_COMMAND", "303"}).status, 0);
  waitIdle();
  signal("video");
  ASSERT_EQ(run({"post", kTitle, "WM_QUIT", "7", "0"}).status, 0);
  EXPECT_EQ(waitExit(pid), "7");
  std::vector<std::string> tail;
  for (const auto &line : lines("log"))
    if (line.rfind("overlay", 0) == 0 || line.rfind("escape N", 0) == 0) tail.push_back(line.substr(0, 10));
  EXPECT_EQ(tail, (std::vector<std::string>{"overlay ke", "escape NoE", "escape NoE"}))
      << "the event is answered before the withdrawal";
}

TEST_F(DriverLink, WindowsNtFamilyUsesTheEventHandleItself) {
  // No OpenVxDHandle there: the driver is given the Win32 handle, and the status request
  // must name somewhere for its byte count.
  std::uint32_t pid = start({"version=nt"});
  std::vector<std::string> log = logTexts();
  ASSERT_GE(log.size(), 27u);
  EXPECT_EQ(std::vector<std::string>(log.begin() + 1, log.begin() + 5), eventLines(kVideo1, kMonitor1));
  EXPECT_EQ(log[6], "VxD op succeeded.");
  EXPECT_EQ(log[25], "All systems nominal.");
  signal("video");
  signal("monitor");
  EXPECT_EQ(record("signal"), (std::vector<std::string>{"signal video", "signal monitor"}));
  close(pid);
}

TEST_F(DriverLink, TriggersAskTheDriverToSignal) {
  std::uint32_t pid = start({});
  std::size_t before = logTexts().size();
  for (const char *id : {"1000", "1001"}) {
    Result r = run({"post", kTitle, "WM_COMMAND", id});
    ASSERT_EQ(r.status, 0) << describe(r);
    waitIdle();
  }
  // The triggered video event is serviced at once: its first service opens DirectDraw.
  std::vector<std::string> log = logTexts();
  ASSERT_EQ(log.size(), before + 15);
  EXPECT_EQ(log[before], "PAROX_OSTIK_ESCAPE:");
  EXPECT_EQ(log[before + 6], "DirectDraw opened.");
  EXPECT_EQ(log[before + 9], "PAROX_OSTIK_ESCAPE:");
  EXPECT_EQ(record("signal"), (std::vector<std::string>{"signal video", "signal monitor"}));

  // Refused triggers log their own text; with no screen DC they leave no trace at all.
  ASSERT_EQ(run({"set", "escape.TrgV=4"}).status, 0);
  ASSERT_EQ(run({"post", kTitle, "WM_COMMAND", "1000"}).status, 0);
  waitIdle();
  ASSERT_EQ(run({"set", "screen-dc=none"}).status, 0);
  ASSERT_EQ(run({"post", kTitle, "WM_COMMAND", "1001"}).status, 0);
  waitIdle();
  log = logTexts();
  ASSERT_EQ(log.size(), before + 16);
  EXPECT_EQ(log.back(), "ERROR: PAROX_OSTIK_ESCAPE TrgV failed! Error=4");
  EXPECT_EQ(record("escape T").size(), 3u);
  close(pid);
}

TEST_F(DriverLink, ZeroedRecordsShowWhenTheDriverIgnoresTheEscape) {
  std::uint32_t pid = start({"escape=ignore"});
  std::vector<std::string> log = logTexts();
  ASSERT_GE(log.size(), 26u);
  EXPECT_EQ(std::vector<std::string>(log.begin() + 7, log.begin() + 13),
            block("PAROX_OSTIK_ESCAPE: Rset", "0x0", 0, "0x0", 0));
  EXPECT_EQ(std::vector<std::string>(log.begin() + 19, log.begin() + 25),
            block("PAROX_OSTIK_ESCAPE: GoEM", "0xc1f0a010", 0, "0xc1f0a020", 0));
  close(pid);
}
