// A thread's message queue: posted, input and sent messages, the quit flag, and the bits that
// say what is there (wake) and what arrived since the queue was last looked at (changed).
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace winsim::server {

inline constexpr std::uint32_t kQsKey = 0x01;
inline constexpr std::uint32_t kQsPostMessage = 0x08;
inline constexpr std::uint32_t kQsPaint = 0x20;
inline constexpr std::uint32_t kQsSendMessage = 0x40;

inline constexpr std::uint32_t kWmPaint = 0x0F;
inline constexpr std::uint32_t kWmQuit = 0x12;

struct Msg {
  std::uint32_t hwnd = 0, msg = 0;
  std::uint64_t wParam = 0, lParam = 0;
  std::uint32_t time = 0;
  std::int32_t x = 0, y = 0;
  std::uint32_t keys = 0, chr = 0;
};

struct MsgFilter {
  std::uint32_t hwnd = 0;  // 0: any
  std::uint32_t min = 0, max = 0;  // both 0: any

  bool matches(std::uint32_t hwnd, std::uint32_t msg) const;
};

class Queue {
 public:
  void post(const Msg &m);
  void post_quit(std::int32_t code);
  void input(const Msg &m);
  void add_sent(std::uint32_t id);
  bool remove_sent(std::uint32_t id);  // a send withdrawn before it was received
  std::optional<std::uint32_t> pop_sent();
  bool has_sent() const { return !sent_.empty(); }
  // A window of this thread became invalid while it shows.
  void note_paint() { changed_ |= kQsPaint; }
  // Messages of a destroyed window go with it.
  void drop_window(std::uint32_t hwnd);

  // paintPending: some window of the thread shows and is invalid.
  std::uint32_t wake(bool paintPending) const;
  std::uint32_t changed() const { return changed_; }
  // GetQueueStatus: what is there in the high word, what is new in the low; clears those new bits.
  std::uint32_t status(std::uint32_t flags, bool paintPending);

  // PeekMessage past the sent messages: posted, input, WM_QUIT, then WM_PAINT for the first
  // of paintable (the thread's showing, invalid windows in creation order) that matches.
  // Marks everything seen.
  std::optional<Msg> take(const MsgFilter &filter, bool remove,
                          const std::vector<std::uint32_t> &paintable, std::uint32_t now);

  std::size_t posted_count() const { return posted_.size(); }

 private:
  std::deque<Msg> posted_, input_;
  std::deque<std::uint32_t> sent_;
  bool quit_ = false;
  std::int32_t quitCode_ = 0;
  std::uint32_t changed_ = 0;
};

}  // namespace winsim::server
