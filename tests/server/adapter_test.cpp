// The adapter's driver side: registrations by escape and the vertical-blank clock.
#include <gtest/gtest.h>

#include "state.h"

namespace winsim::server {
namespace {

using std::chrono::milliseconds;

constexpr std::uint32_t kGoEV = 0x476F4556, kNoEV = 0x4E6F4556, kGoEM = 0x476F454D;

class AdapterClock : public ::testing::Test {
 protected:
  Server s{"unused", false};
  std::shared_ptr<Event> video = std::make_shared<Event>();
  std::shared_ptr<Event> monitor = std::make_shared<Event>();
  Clock::time_point t0 = Clock::now();

  void SetUp() override {
    ASSERT_EQ(s.settings.apply({"vbl=60", "period.video=2", "period.monitor=60"}), "");
    std::uint32_t r0v = s.adapter.ring0_handle(video), r0m = s.adapter.ring0_handle(monitor);
    ASSERT_NE(r0v, r0m);
    ASSERT_TRUE(r0v & 0x80000000u) << "ring-0 handles lie in the system's upper half";
    ASSERT_TRUE(s.adapter.escape(s, nullptr, {kGoEV, r0v, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(s.adapter.escape(s, nullptr, {kGoEM, 0, r0m, 0, 0, 0, 0}));
    s.adapter.tick(s, t0);  // the clock starts with the registration
  }

  int signals(const char *line) const {
    return static_cast<int>(std::count(s.record.lines().begin(), s.record.lines().end(), line));
  }
};

TEST_F(AdapterClock, SignalsEachEventEveryPeriodOfBlanks) {
  // 60 blanks a second: the video event every 2 (33.3 ms), the monitor event every 60 (1 s).
  s.adapter.tick(s, t0 + milliseconds(33));
  EXPECT_FALSE(video->signalled);
  s.adapter.tick(s, t0 + milliseconds(34));
  EXPECT_TRUE(video->signalled);
  video->signalled = false;
  for (int ms = 35; ms <= 1000; ++ms) {
    s.adapter.tick(s, t0 + milliseconds(ms));
    video->signalled = false;
  }
  EXPECT_EQ(signals("signal video"), 30);
  EXPECT_EQ(signals("signal monitor"), 1);
  EXPECT_TRUE(monitor->signalled);
}

TEST_F(AdapterClock, BlanksSleptThroughMergeIntoOneSignal) {
  s.adapter.tick(s, t0 + milliseconds(500));
  EXPECT_EQ(signals("signal video"), 1);
  ASSERT_TRUE(s.adapter.next_due());
  EXPECT_GT(*s.adapter.next_due(), t0 + milliseconds(500));
  EXPECT_FALSE(s.adapter.overdue(t0 + milliseconds(500)));
}

TEST_F(AdapterClock, StopsForAStoppedClockAWithdrawnOrAVanishedEvent) {
  ASSERT_EQ(s.settings.apply({"vbl=0"}), "");
  s.adapter.tick(s, t0 + milliseconds(100));
  EXPECT_FALSE(s.adapter.next_due()) << "vbl 0: no clock";
  EXPECT_EQ(signals("signal video"), 0);

  ASSERT_EQ(s.settings.apply({"vbl=60"}), "");
  ASSERT_TRUE(s.adapter.escape(s, nullptr, {kNoEV, 0, 0, 0, 0, 0, 0}));
  monitor.reset();  // its process closed it
  for (int ms = 100; ms <= 3000; ms += 10) s.adapter.tick(s, t0 + milliseconds(ms));
  EXPECT_EQ(signals("signal video"), 0);
  EXPECT_EQ(signals("signal monitor"), 0);
  EXPECT_FALSE(s.adapter.next_due());
  EXPECT_FALSE(s.adapter.signal(s, Source::Monitor)) << "a signal to a vanished event is dropped";
}

}  // namespace
}  // namespace winsim::server
