#include <gtest/gtest.h>

#include "queue.h"

namespace winsim::server {
namespace {

constexpr std::uint32_t kWin = 0x10010, kOther = 0x10014;

Msg msg(std::uint32_t hwnd, std::uint32_t id, std::uint64_t w = 0) {
  Msg m;
  m.hwnd = hwnd;
  m.msg = id;
  m.wParam = w;
  return m;
}

// Takes everything with PM_REMOVE and lists the message numbers in the order they came.
std::vector<std::uint32_t> drain(Queue &q, const std::vector<std::uint32_t> &paint = {}) {
  std::vector<std::uint32_t> out;
  while (auto m = q.take({}, true, paint, 0)) {
    out.push_back(m->msg);
    if (m->msg == kWmPaint) break;  // never removed
  }
  return out;
}

TEST(Queue, OrderPostedInputQuitPaint) {
  Queue q;
  q.post_quit(3);
  q.input(msg(kWin, 0x100));
  q.post(msg(kWin, 0x401));
  q.post(msg(0, 0x402));
  q.input(msg(kWin, 0x101));
  EXPECT_EQ(drain(q, {kWin}),
            (std::vector<std::uint32_t>{0x401, 0x402, 0x100, 0x101, kWmQuit, kWmPaint}));
}

TEST(Queue, QuitWaitsForEveryPostedMessageAndCarriesItsCode) {
  Queue q;
  q.post(msg(kOther, 0x400));
  q.post_quit(-2);
  // Filtered to kWin nothing posted matches, yet WM_QUIT still waits for the other message.
  EXPECT_FALSE(q.take({kWin, 0, 0}, true, {}, 0));
  ASSERT_EQ(q.take({}, true, {}, 0)->msg, 0x400u);
  auto peeked = q.take({}, false, {}, 0);
  ASSERT_TRUE(peeked);
  EXPECT_EQ(peeked->msg, kWmQuit);
  EXPECT_EQ(peeked->wParam, 0xFFFFFFFEu);
  ASSERT_TRUE(q.take({}, true, {}, 0));
  EXPECT_FALSE(q.take({}, true, {}, 0));  // removing it cleared the flag
  EXPECT_EQ(q.wake(false), 0u);
}

TEST(Queue, FilterByWindowAndRange) {
  Queue q;
  q.post(msg(kOther, 0x10));
  q.post(msg(kWin, 0x20));
  q.post(msg(kWin, 0x30));
  EXPECT_EQ(q.take({kWin, 0, 0}, false, {}, 0)->msg, 0x20u);
  EXPECT_EQ(q.take({0, 0x25, 0x35}, true, {}, 0)->msg, 0x30u);
  EXPECT_EQ(q.take({kWin, 0x10, 0x10}, true, {}, 0), std::nullopt);
  EXPECT_EQ(q.take({0, kWmPaint, kWmPaint}, false, {kOther, kWin}, 0)->hwnd, kOther);
  EXPECT_EQ(q.take({kWin, kWmPaint, kWmPaint}, false, {kOther, kWin}, 0)->hwnd, kWin);
  EXPECT_EQ(q.posted_count(), 2u);
}

TEST(Queue, WakeBitsSayWhatIsThere) {
  Queue q;
  EXPECT_EQ(q.wake(false), 0u);
  EXPECT_EQ(q.wake(true), kQsPaint);
  q.post(msg(kWin, 0x400));
  q.input(msg(kWin, 0x100));
  q.add_sent(1);
  EXPECT_EQ(q.wake(false), kQsPostMessage | kQsKey | kQsSendMessage);
  q.drop_window(kWin);
  EXPECT_EQ(q.wake(false), kQsSendMessage);
  EXPECT_EQ(q.pop_sent(), 1u);
  EXPECT_EQ(q.pop_sent(), std::nullopt);
  q.post_quit(0);
  EXPECT_EQ(q.wake(false), kQsPostMessage);
}

TEST(Queue, ChangedBitsAreWhatIsNewSinceLastLook) {
  Queue q;
  q.post(msg(kWin, 0x400));
  q.input(msg(kWin, 0x100));
  q.note_paint();
  EXPECT_EQ(q.changed(), kQsPostMessage | kQsKey | kQsPaint);
  // GetQueueStatus: high word what is there, low word what is new; clears only those asked.
  EXPECT_EQ(q.status(kQsKey, false), (kQsKey << 16) | kQsKey);
  EXPECT_EQ(q.changed(), kQsPostMessage | kQsPaint);
  EXPECT_EQ(q.status(kQsKey | kQsPostMessage, false), ((kQsKey | kQsPostMessage) << 16) | kQsPostMessage);
  // Any look clears all, even one that finds nothing.
  q.note_paint();
  EXPECT_FALSE(q.take({kOther, 0, 0}, false, {}, 0));
  EXPECT_EQ(q.changed(), 0u);
  EXPECT_EQ(q.wake(false), kQsPostMessage | kQsKey);  // still there, no longer new
  q.add_sent(9);
  EXPECT_EQ(q.changed(), kQsSendMessage);
  q.pop_sent();  // handled inside the wait: no longer news
  EXPECT_EQ(q.changed(), 0u);
}

TEST(Queue, WithdrawnSendLeavesTheOthers) {
  Queue q;
  q.add_sent(1);
  q.add_sent(2);
  q.add_sent(3);
  EXPECT_TRUE(q.remove_sent(2));
  EXPECT_FALSE(q.remove_sent(2));
  EXPECT_EQ(q.pop_sent(), 1u);
  EXPECT_EQ(q.pop_sent(), 3u);
}

}  // namespace
}  // namespace winsim::server
