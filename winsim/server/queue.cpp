#include "queue.h"

#include <algorithm>

namespace winsim::server {

bool MsgFilter::matches(std::uint32_t h, std::uint32_t msg) const {
  if (hwnd != 0 && h != hwnd) return false;
  if (min == 0 && max == 0) return true;
  return msg >= min && msg <= max;
}

void Queue::post(const Msg &m) {
  posted_.push_back(m);
  changed_ |= kQsPostMessage;
}

void Queue::post_quit(std::int32_t code) {
  quit_ = true;
  quitCode_ = code;
  changed_ |= kQsPostMessage;
}

void Queue::input(const Msg &m) {
  input_.push_back(m);
  changed_ |= kQsKey;
}

void Queue::add_sent(std::uint32_t id) {
  sent_.push_back(id);
  changed_ |= kQsSendMessage;
}

bool Queue::remove_sent(std::uint32_t id) {
  auto it = std::find(sent_.begin(), sent_.end(), id);
  if (it == sent_.end()) return false;
  sent_.erase(it);
  return true;
}

std::optional<std::uint32_t> Queue::pop_sent() {
  if (sent_.empty()) return std::nullopt;
  std::uint32_t id = sent_.front();
  sent_.pop_front();
  // Handled inside the receiver's wait: it is no longer news to the thread.
  changed_ &= ~kQsSendMessage;
  return id;
}

void Queue::drop_window(std::uint32_t hwnd) {
  auto of = [hwnd](const Msg &m) { return m.hwnd == hwnd; };
  std::erase_if(posted_, of);
  std::erase_if(input_, of);
}

std::uint32_t Queue::wake(bool paintPending) const {
  std::uint32_t bits = 0;
  if (!posted_.empty() || quit_) bits |= kQsPostMessage;
  if (!input_.empty()) bits |= kQsKey;
  if (paintPending) bits |= kQsPaint;
  if (!sent_.empty()) bits |= kQsSendMessage;
  return bits;
}

std::uint32_t Queue::status(std::uint32_t flags, bool paintPending) {
  std::uint32_t result = ((wake(paintPending) & flags) << 16) | (changed_ & flags & 0xFFFF);
  changed_ &= ~flags;
  return result;
}

std::optional<Msg> Queue::take(const MsgFilter &filter, bool remove,
                               const std::vector<std::uint32_t> &paintable, std::uint32_t now) {
  changed_ = 0;
  for (auto *list : {&posted_, &input_}) {
    for (auto it = list->begin(); it != list->end(); ++it) {
      if (!filter.matches(it->hwnd, it->msg)) continue;
      Msg m = *it;
      if (remove) list->erase(it);
      return m;
    }
  }
  if (quit_ && posted_.empty() && filter.matches(filter.hwnd, kWmQuit)) {
    Msg m;
    m.msg = kWmQuit;
    m.wParam = static_cast<std::uint32_t>(quitCode_);
    m.time = now;
    if (remove) quit_ = false;
    return m;
  }
  for (std::uint32_t hwnd : paintable) {
    if (!filter.matches(hwnd, kWmPaint)) continue;
    Msg m;
    m.hwnd = hwnd;
    m.msg = kWmPaint;
    m.time = now;
    return m;
  }
  return std::nullopt;
}

}  // namespace winsim::server
