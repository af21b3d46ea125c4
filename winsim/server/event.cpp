#include "event.h"

namespace winsim::server {

std::uint32_t HandleTable::add(std::shared_ptr<Event> event) {
  std::uint32_t handle = next_;
  next_ += 4;
  handles_.emplace(handle, std::move(event));
  return handle;
}

Event *HandleTable::get(std::uint32_t handle) const {
  auto it = handles_.find(handle);
  return it == handles_.end() ? nullptr : it->second.get();
}

std::shared_ptr<Event> HandleTable::share(std::uint32_t handle) const {
  auto it = handles_.find(handle);
  return it == handles_.end() ? nullptr : it->second;
}

bool HandleTable::close(std::uint32_t handle) { return handles_.erase(handle) == 1; }

std::shared_ptr<Event> EventNames::find(const std::string &name) {
  auto it = names_.find(name);
  if (it == names_.end()) return nullptr;
  auto event = it->second.lock();
  if (!event) names_.erase(it);
  return event;
}

void EventNames::add(const std::shared_ptr<Event> &event) {
  if (!event->name.empty()) names_[event->name] = event;
}

}  // namespace winsim::server
