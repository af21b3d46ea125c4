// The frame-rate meter's arithmetic over its ring of ten stamps.
#include <gtest/gtest.h>

#include <cstdio>

#include "overlay/overlay.h"

namespace {

struct Ring {
  DWORD times[FRAME_RING_SIZE];
  int index = 0;
  explicit Ring(DWORD start) {
    for (DWORD &t : times) t = start;
  }
};

std::string shown(double rate) {
  char text[64];
  std::snprintf(text, sizeof text, "Framerate: %3.3fHz", rate);
  return text;
}

}  // namespace

TEST(FrameRate, RateOverTheOldestStamp) {
  struct Case {
    const char *name;
    DWORD oldest, now;
    const char *want;
  } cases[] = {
      {"500 ms for ten events", 1000, 1500, "Framerate: 20.000Hz"},
      {"across the timer's wrap", 0xFFFFFF00u, 0x000000F4u, "Framerate: 20.000Hz"},
      {"one event a minute", 0, 600000, "Framerate: 0.017Hz"},
      // From 2^31 ms on the difference reads as negative, and so does the rate.
      {"2^31 ms old", 0, 0x80000000u, "Framerate: -0.000Hz"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    Ring ring(c.oldest);
    double rate = 0;
    ASSERT_TRUE(StepFrameRate(ring.times, &ring.index, c.now, &rate));
    EXPECT_EQ(shown(rate), c.want);
    EXPECT_EQ(ring.times[0], c.now);
    EXPECT_EQ(ring.index, 1);
  }
}

TEST(FrameRate, NoTimeElapsedIsInfiniteWithoutDividing) {
  Ring ring(5000);
  double rate = -1;
  EXPECT_FALSE(StepFrameRate(ring.times, &ring.index, 5000, &rate));
  EXPECT_EQ(rate, -1) << "the rate is left alone";
  EXPECT_EQ(ring.index, 1) << "the ring still moves on";
}

TEST(FrameRate, RingAveragesTheLastTenEventsAfterAgedStamps) {
  // Stamps from start-up at 0; events then come every 50 ms from 10 s on. The first ten
  // steps read the aged stamps and show less; from the eleventh on, the true 20 Hz.
  Ring ring(0);
  for (int step = 0; step < 25; ++step) {
    SCOPED_TRACE(step);
    DWORD now = 10000 + 50 * static_cast<DWORD>(step);
    double rate = 0;
    ASSERT_TRUE(StepFrameRate(ring.times, &ring.index, now, &rate));
    if (step < FRAME_RING_SIZE) EXPECT_DOUBLE_EQ(rate, 10000.0 / now);
    else EXPECT_DOUBLE_EQ(rate, 20.0);
    EXPECT_EQ(ring.index, (step + 1) % FRAME_RING_SIZE);
  }
}
