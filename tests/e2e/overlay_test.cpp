// The overlay signalling on a private desktop: DirectDraw opened and closed on demand, the
// services' answers to every driver result, surface-lost recovery, the frame-rate meter, and
// what a process holds through it all. The overlay_host fixture runs the helper's services on
// private messages; the last tests drive the helper itself through the adapter's events.
#include <regex>
#include <string>
#include <vector>

#include "desktop.h"

namespace {

const char kHost[] = "Overlay Host";
const char kOstik[] = "Quorvane Helper Ostik";

// The fixture's private messages (WM_APP + n).
constexpr int kVideo = 0x8000, kMonitor = 0x8001, kEvents = 0x8002, kFrameRate = 0x8003,
              kLurk = 0x8004, kRingIndex = 0x8005, kOpen = 0x8006, kClose = 0x8007,
              kHeldBits = 0x8008;

const char kNothingHeld[] = "ddraw.dll=0 directdraw=0 primary=0 overlay=0";
const char kAllHeld[] = "ddraw.dll=1 directdraw=1 primary=1 overlay=1";

const std::vector<std::string> kOpened = {"DirectDraw opened.", "DirectDraw primary surface opened.",
                                          "DirectDraw overlay surface opened."};
const char kLost[] = "0x887601c2";

std::vector<std::string> concat(std::vector<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (auto &p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// The text of a `textout` line of the log: "Y X NNNNNN:TEXT" without "Y X NNNNNN:".
std::string log_text(const std::string &line) {
  std::size_t colon = line.find(':');
  return colon == std::string::npos ? line : line.substr(colon + 1);
}

}  // namespace

class OverlayDesktop : public Desktop {
 protected:
  std::vector<std::string> startArgs() const override { return {"--vbl", "0"}; }

  void set(const std::vector<std::string> &items) {
    std::vector<std::string> args = {"set"};
    args.insert(args.end(), items.begin(), items.end());
    Result r = run(args);
    ASSERT_EQ(r.status, 0) << describe(r);
  }

  std::string held(std::uint32_t pid) {
    Result r = run({"ddraw-held", std::to_string(pid)});
    EXPECT_EQ(r.status, 0) << describe(r);
    return r.out.empty() ? r.out : r.out.substr(0, r.out.size() - 1);
  }

  // The log texts of `window` drawn since the last call.
  std::vector<std::string> newLog(const char *window) {
    std::vector<std::string> all = lines("textout", window), out;
    for (std::size_t i = seen_; i < all.size(); ++i) out.push_back(log_text(all[i]));
    seen_ = all.size();
    return out;
  }

  // The `overlay` record lines since the last call.
  std::vector<std::string> newOverlayCalls() {
    std::vector<std::string> calls;
    for (const auto &line : lines("log"))
      if (line.rfind("overlay ", 0) == 0) calls.push_back(line);
    std::vector<std::string> out(calls.begin() + static_cast<long>(std::min(callsSeen_, calls.size())),
                                 calls.end());
    callsSeen_ = calls.size();
    return out;
  }

 private:
  std::size_t seen_ = 0, callsSeen_ = 0;
};

class OverlayHost : public OverlayDesktop {
 protected:
  void SetUp() override {
    OverlayDesktop::SetUp();
    if (HasFatalFailure()) return;
    pid_ = launch({binary("overlay_host")});
    waitIdle();
  }

  void post(int msg, int wParam = 0, int count = 1) {
    std::vector<std::string> args = {"post"};
    if (count > 1) args.insert(args.end(), {"--count", std::to_string(count)});
    args.insert(args.end(), {kHost, std::to_string(msg), std::to_string(wParam)});
    Result r = run(args);
    ASSERT_EQ(r.status, 0) << describe(r);
  }
  std::string send(int msg) {
    Result r = run({"send", kHost, std::to_string(msg)});
    EXPECT_EQ(r.status, 0) << describe(r);
    return r.out.empty() ? r.out : r.out.substr(0, r.out.size() - 1);
  }
  // Runs one message and returns the log it drew.
  std::vector<std::string> act(int msg, int wParam = 0) {
    post(msg, wParam);
    waitIdle();
    return newLog(kHost);
  }
  using OverlayDesktop::held;
  std::string held() { return OverlayDesktop::held(pid_); }

  std::uint32_t pid_ = 0;
};

TEST_F(OverlayHost, EachFailingOpenStepLeavesWhatTheStepsBeforeItMade) {
  struct Case {
    std::vector<std::string> settings;
    std::vector<std::string> log;
    const char *heldBits;  // 1 library, 2 lpDD, 4 primary, 8 overlay
    const char *heldByProcess;
    const char *closeLine;
  } cases[] = {
      {{"ddraw=absent"}, {"Could not load ddraw.dll - no DirectDraw objects created."}, "0",
       kNothingHeld, "Failed to free ddraw.dll"},
      {{"ddraw=noentry"},
       {"Unable to find DirectDrawCreate in ddraw.dll - no DirectDraw objects created."}, "1",
       "ddraw.dll=1 directdraw=0 primary=0 overlay=0", "Freed ddraw.dll"},
      {{"ddraw.create=0x88760233"}, {"DirectDraw not available!"}, "1",
       "ddraw.dll=1 directdraw=0 primary=0 overlay=0", "Freed ddraw.dll"},
      {{"ddraw.coop=0x80004005"}, {"DirectDraw opened.", "DirectDraw set coop level failed!"}, "3",
       "ddraw.dll=1 directdraw=1 primary=0 overlay=0", "Freed ddraw.dll"},
      {{"ddraw.primary=0x8876017c"},
       {"DirectDraw opened.", "DirectDraw primary surface not available!"}, "3",
       "ddraw.dll=1 directdraw=1 primary=0 overlay=0", "Freed ddraw.dll"},
      {{"ddraw.overlay=0x88760104"},
       {"DirectDraw opened.", "DirectDraw primary surface opened.",
        "DirectDraw overlay surface not available!", "Error:DDERR_NOOVERLAYHW"},
       "7", "ddraw.dll=1 directdraw=1 primary=1 overlay=0", "Freed ddraw.dll"},
      // The ends of the name table, and a value outside it.
      {{"ddraw.overlay=0x8007000e"},
       {"DirectDraw opened.", "DirectDraw primary surface opened.",
        "DirectDraw overlay surface not available!", "Error:DDERR_OUTOFMEMORY"},
       "7", "ddraw.dll=1 directdraw=1 primary=1 overlay=0", "Freed ddraw.dll"},
      {{"ddraw.overlay=0x8876024f"},
       {"DirectDraw opened.", "DirectDraw primary surface opened.",
        "DirectDraw overlay surface not available!", "Error:DDERR_NOMIPMAPHW"},
       "7", "ddraw.dll=1 directdraw=1 primary=1 overlay=0", "Freed ddraw.dll"},
      {{"ddraw.overlay=0x887601c2"},
       {"DirectDraw opened.", "DirectDraw primary surface opened.",
        "DirectDraw overlay surface not available!", "Error:don't know"},
       "7", "ddraw.dll=1 directdraw=1 primary=1 overlay=0", "Freed ddraw.dll"},
      {{}, kOpened, "15", kAllHeld, "Freed ddraw.dll"},
  };
  const std::vector<std::string> healthy = {"ddraw=present", "ddraw.create=0", "ddraw.coop=0",
                                            "ddraw.primary=0", "ddraw.overlay=0"};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.settings.empty() ? "healthy" : c.settings[0]);
    set(healthy);
    if (!c.settings.empty()) set(c.settings);
    EXPECT_EQ(act(kOpen), c.log);
    EXPECT_EQ(send(kHeldBits), c.heldBits);
    EXPECT_EQ(held(), c.heldByProcess);
    EXPECT_EQ(act(kClose), std::vector<std::string>{c.closeLine});
    EXPECT_EQ(send(kHeldBits), "0");
    EXPECT_EQ(held(), kNothingHeld);
  }
  // Closing what is already closed: no release, the null library fails to free.
  EXPECT_EQ(act(kClose), std::vector<std::string>{"Failed to free ddraw.dll"});
}

TEST_F(OverlayHost, DriverResultsAreLoggedByServiceAndEventsSwitch) {
  EXPECT_EQ(act(kVideo), kOpened) << "the first event opens; DONE stays silent";
  ASSERT_EQ(newOverlayCalls(),
            std::vector<std::string>{
                "overlay key=10293847/21436587 flags=00084800 dst=0,0,32,32 result=8876005a"});
  struct Case {
    int service;
    int events;
    const char *result;
    std::vector<std::string> log;
  } cases[] = {
      {kVideo, 0, "0", {"ZRF video event: **error** - unknown:0"}},
      {kMonitor, 0, "0", {"ZRF monitor event: **error** - unknown:0x0"}},
      {kVideo, 0, "0x88760230", {"ZRF video event: **error** PXDD_AUTO_RET_NO_UPDATE."}},
      {kMonitor, 0, "0x88760230", {}},
      {kMonitor, 1, "0x88760230", {"ZRF monitor event: no update."}},
      {kVideo, 1, "0x8876005a", {"ZRF video event: update done."}},
      {kMonitor, 1, "0x8876005a", {"ZRF monitor event: update done."}},
      {kVideo, 0, "0x80004005", {"ZRF video event: **error** PXDD_AUTO_RET_ERR_GENERAL"}},
      {kMonitor, 0, "0x80004005", {"ZRF monitor event: **error** PXDD_AUTO_RET_ERR_GENERAL"}},
      {kVideo, 0, "0x88760082", {"ZRF video event: **error** - unknown:-2005532542"}},
      {kMonitor, 0, "0x88760082", {"ZRF monitor event: **error** - unknown:0x88760082"}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.service == kVideo ? "video " : "monitor ") + c.result +
                 (c.events ? " events" : ""));
    post(kEvents, c.events);
    set({std::string("overlay.results=") + c.result});
    EXPECT_EQ(act(c.service), c.log);
    std::vector<std::string> calls = newOverlayCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(calls[0].find(c.service == kVideo ? "key=10293847/21436587" : "key=10293847/21436578"),
              std::string::npos);
    EXPECT_EQ(held(), kAllHeld) << "these results leave the objects open";
  }
}

TEST_F(OverlayHost, NoOverlayReleasesEverythingAndTheNextEventReopens) {
  for (int service : {kVideo, kMonitor}) {
    SCOPED_TRACE(service == kVideo ? "video" : "monitor");
    std::string name = service == kVideo ? "video" : "monitor";
    act(service);
    ASSERT_EQ(held(), kAllHeld);
    set({"overlay.results=0x88760168"});
    EXPECT_EQ(act(service),
              (std::vector<std::string>{
                  "ZRF " + name + " event: *warning* PXDD_AUTO_RET_ERR_NO_OVERLAY - freeing DirectDraw objects",
                  "Freed ddraw.dll"}));
    EXPECT_EQ(held(), kNothingHeld);
    EXPECT_EQ(act(service), kOpened);
    EXPECT_EQ(held(), kAllHeld);
    act(kClose);
  }
}

TEST_F(OverlayHost, LostSurfacesAreRecoveredUpToTenTimes) {
  const std::vector<std::string> cycle = concat({{"Freed ddraw.dll"}, kOpened});
  auto lost = [&](const std::string &name) {
    return concat({{"ZRF " + name + " event: Lost surface - recovering..."}, cycle});
  };
  act(kVideo);
  for (int service : {kVideo, kMonitor}) {
    std::string name = service == kVideo ? "video" : "monitor";
    SCOPED_TRACE(name);
    newOverlayCalls();

    std::string eleven = kLost;
    for (int i = 1; i < 11; ++i) eleven += std::string(",") + kLost;
    set({"overlay.results=" + eleven + ",0x8876005a"});
    std::vector<std::string> want;
    for (int i = 0; i < 11; ++i) want = concat({want, lost(name)});
    want.push_back("...recovery failed after 10 tries.");
    want.push_back(service == kVideo ? "ZRF video event: **error** - unknown:-2005532222"
                                     : "ZRF monitor event: **error** - unknown:0x887601c2");
    EXPECT_EQ(act(service), want);
    EXPECT_EQ(newOverlayCalls().size(), 11u) << "no twelfth call";
    EXPECT_EQ(held(), kAllHeld) << "the last reopening stays for the next event";

    // The twelfth result is still waiting: the next event takes it.
    EXPECT_EQ(act(service), std::vector<std::string>{});

    set({std::string("overlay.results=") + kLost + ",0x8876005a"});
    EXPECT_EQ(act(service), concat({lost(name), {"...recovered successfully after 1 tries"}}))
        << "DONE with Events off logs no result line";

    set({std::string("overlay.results=") + kLost + "," + kLost + ",0x80004005"});
    EXPECT_EQ(act(service), concat({lost(name), lost(name),
                                    {"...recovered successfully after 2 tries",
                                     "ZRF " + name + " event: **error** PXDD_AUTO_RET_ERR_GENERAL"}}));
    EXPECT_EQ(held(), kAllHeld);
  }
}

TEST_F(OverlayHost, RecoveryThatGivesNoOverlayEndsWithoutAResult) {
  for (int service : {kVideo, kMonitor}) {
    std::string name = service == kVideo ? "video" : "monitor";
    SCOPED_TRACE(name);
    set({"ddraw.overlay=0"});
    act(service);
    ASSERT_EQ(held(), kAllHeld);
    set({std::string("overlay.results=") + kLost, "ddraw.overlay=0x88760104"});
    EXPECT_EQ(act(service),
              (std::vector<std::string>{"ZRF " + name + " event: Lost surface - recovering...",
                                        "Freed ddraw.dll", "DirectDraw opened.",
                                        "DirectDraw primary surface opened.",
                                        "DirectDraw overlay surface not available!",
                                        "Error:DDERR_NOOVERLAYHW",
                                        "Unable to get surface to do UpdateOverlay", "Freed ddraw.dll"}));
    EXPECT_EQ(held(), kNothingHeld);
  }
}

TEST_F(OverlayHost, WithoutDdrawOnlyTheVideoServiceTriesToFree) {
  set({"ddraw=absent"});
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(act(kVideo), (std::vector<std::string>{
                               "Could not load ddraw.dll - no DirectDraw objects created.",
                               "Unable to get surface to do UpdateOverlay", "Failed to free ddraw.dll"}));
    EXPECT_EQ(act(kMonitor), (std::vector<std::string>{
                                 "Could not load ddraw.dll - no DirectDraw objects created.",
                                 "Unable to get surface to do UpdateOverlay"}));
  }
  EXPECT_EQ(held(), kNothingHeld);
  EXPECT_EQ(newOverlayCalls(), std::vector<std::string>{});
}

TEST_F(OverlayHost, MonitorServiceReleasesWhatAFailedOpenLeft) {
  // Without the release every monitor event would store new objects over the held ones and
  // add a library reference.
  for (const char *failure : {"ddraw=noentry", "ddraw.coop=0x80004005", "ddraw.overlay=0x88760104"}) {
    SCOPED_TRACE(failure);
    set({"ddraw=present", "ddraw.coop=0", "ddraw.overlay=0", failure});
    for (int i = 0; i < 3; ++i) {
      std::vector<std::string> log = act(kMonitor);
      ASSERT_GE(log.size(), 2u);
      EXPECT_EQ(log[log.size() - 2], "Unable to get surface to do UpdateOverlay");
      EXPECT_EQ(log.back(), "Freed ddraw.dll");
      EXPECT_EQ(held(), kNothingHeld);
    }
  }
}

TEST_F(OverlayHost, DisplayModeChangeLosesSurfacesOfEveryProcess) {
  post(kEvents, 1);
  act(kVideo);
  std::uint32_t other = launch({binary("overlay_host")});
  waitIdle();
  // The second host's window has the same title: it is reached by handle.
  std::string otherWindow;
  for (const auto &line : lines("windows"))
    if (line.find(" pid=" + std::to_string(other) + " ") != std::string::npos)
      otherWindow = line.substr(0, line.find(' '));
  ASSERT_FALSE(otherWindow.empty());
  ASSERT_EQ(run({"post", otherWindow, std::to_string(kVideo)}).status, 0);
  waitIdle();
  ASSERT_EQ(held(other), kAllHeld);

  Result r = run({"display-mode", "1024", "768", "16"});
  ASSERT_EQ(r.status, 0) << describe(r);
  EXPECT_EQ(act(kVideo), concat({{"ZRF video event: Lost surface - recovering...", "Freed ddraw.dll"},
                                 kOpened,
                                 {"...recovered successfully after 1 tries", "ZRF video event: update done."}}));
  ASSERT_EQ(run({"post", otherWindow, std::to_string(kVideo)}).status, 0);
  waitIdle();
  std::vector<std::string> calls = newOverlayCalls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_NE(calls.back().find("result=8876005a"), std::string::npos);
  EXPECT_NE(calls[calls.size() - 2].find("result=887601c2"), std::string::npos)
      << "the other process's surfaces were lost too";
  EXPECT_EQ(held(other), kAllHeld);

  // Refused shapes.
  EXPECT_EQ(run({"display-mode", "0", "768", "16"}).status, 2);
  EXPECT_EQ(run({"display-mode", "1024", "768"}).status, 2);
}

TEST_F(OverlayHost, MeterRunsAfterEveryOutcomeAndOnlyWhileShown) {
  const std::regex rate("Framerate: (-?[0-9]+\\.[0-9]{3}|inf)Hz");
  post(kFrameRate, 1);
  std::string index = send(kRingIndex);
  ASSERT_EQ(index, "0");
  struct Case {
    const char *name;
    std::vector<std::string> settings;
    int service;
  } cases[] = {
      {"opened", {}, kVideo},
      {"unknown result", {"overlay.results=0"}, kMonitor},
      {"failed recovery", {"overlay.results=" + std::string(kLost) + ",0x887601c2,0x887601c2,0x887601c2,"
                           "0x887601c2,0x887601c2,0x887601c2,0x887601c2,0x887601c2,0x887601c2,0x887601c2"},
       kVideo},
      {"no surface", {"ddraw=absent"}, kVideo},
  };
  int steps = 0;
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.settings.empty()) set(c.settings);
    std::vector<std::string> log = act(c.service);
    ASSERT_FALSE(log.empty());
    EXPECT_TRUE(std::regex_match(log.back(), rate)) << log.back();
    EXPECT_EQ(send(kRingIndex), std::to_string(++steps));
  }
  // Lurking (log silent) or switched off: the ring stands still.
  post(kLurk, 1);
  post(kVideo, 0, 3);
  waitIdle();
  EXPECT_EQ(send(kRingIndex), std::to_string(steps));
  post(kLurk, 0);
  post(kFrameRate, 0);
  post(kVideo, 0, 3);
  waitIdle();
  EXPECT_EQ(send(kRingIndex), std::to_string(steps));
  // Ten events in a burst come within a few milliseconds: a large or infinite rate, no trap.
  post(kFrameRate, 1);
  set({"ddraw=present"});
  newLog(kHost);
  post(kVideo, 0, 12);
  waitIdle();
  std::vector<std::string> log = newLog(kHost);
  ASSERT_FALSE(log.empty());
  EXPECT_TRUE(std::regex_match(log.back(), rate)) << log.back();
  EXPECT_EQ(send(kRingIndex), std::to_string((steps + 12) % 10));
}

TEST_F(OverlayHost, LongRunWithLossesKeepsWhatIsHeldBounded) {
  for (int round = 0; round < 6; ++round) {
    SCOPED_TRACE(round);
    // Losses, a refused reopening now and then, the driver asking to free everything.
    set({round % 3 == 2 ? "ddraw.overlay=0x88760104" : "ddraw.overlay=0",
         "overlay.results=0x887601c2,0x8876005a,0x88760168,0x887601c2,0x887601c2,0x88760230"});
    post(kVideo, 0, 400);
    post(kMonitor, 0, 400);
    ASSERT_EQ(run({"display-mode", "800", "600", round % 2 ? "16" : "32"}).status, 0);
    post(kMonitor, 0, 200);
    waitIdle();
    std::string h = held();
    EXPECT_TRUE(h == kAllHeld || h == kNothingHeld) << h;
  }
  EXPECT_GE(newOverlayCalls().size(), 4000u);
}

// The helper itself, woken by the adapter's events.
class OverlayOstik : public OverlayDesktop {};

TEST_F(OverlayOstik, EventsAreAnsweredWithThePatternAndSwitchesShowOutcomes) {
  std::uint32_t pid = launch({binary("ostik"), "nolurk"});
  waitIdle();
  newLog(kOstik);
  newOverlayCalls();

  ASSERT_EQ(run({"signal", "video"}).status, 0);
  waitIdle();
  EXPECT_EQ(newLog(kOstik), kOpened);
  EXPECT_EQ(newOverlayCalls(), std::vector<std::string>{
                                   "overlay key=10293847/21436587 flags=00084800 dst=0,0,32,32 result=8876005a"});
  ASSERT_EQ(run({"signal", "monitor"}).status, 0);
  waitIdle();
  EXPECT_EQ(newLog(kOstik), std::vector<std::string>{});
  EXPECT_EQ(newOverlayCalls(), std::vector<std::string>{
                                   "overlay key=10293847/21436578 flags=00084800 dst=0,0,32,32 result=8876005a"});

  // Misc, Events and Frame Rate.
  ASSERT_EQ(run({"post", kOstik, "WM_COMMAND", "1003"}).status, 0);
  ASSERT_EQ(run({"post", kOstik, "WM_COMMAND", "1002"}).status, 0);
  waitIdle();
  newLog(kOstik);
  ASSERT_EQ(run({"signal", "video"}).status, 0);
  waitIdle();
  std::vector<std::string> log = newLog(kOstik);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], "ZRF video event: update done.");
  EXPECT_TRUE(std::regex_match(log[1], std::regex("Framerate: ([0-9]+\\.[0-9]{3}|inf)Hz"))) << log[1];

  ASSERT_EQ(run({"display-mode", "1024", "768", "16"}).status, 0);
  waitIdle();
  newLog(kOstik);
  ASSERT_EQ(run({"signal", "monitor"}).status, 0);
  waitIdle();
  log = newLog(kOstik);
  ASSERT_GE(log.size(), 7u);
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 7),
            concat({{"ZRF monitor event: Lost surface - recovering...", "Freed ddraw.dll"}, kOpened,
                    {"...recovered successfully after 1 tries", "ZRF monitor event: update done."}}));
  EXPECT_EQ(held(pid), kAllHeld);

  ASSERT_EQ(run({"close", kOstik}).status, 0);
  EXPECT_EQ(waitExit(pid), "0");
  EXPECT_EQ(held(pid), kNothingHeld) << "objects end with the process";
}
