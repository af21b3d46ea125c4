// Events (auto- and manual-reset, named desktop-wide) and each process's handle table.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace winsim::server {

struct Event {
  bool manualReset = false;
  bool signalled = false;
  std::string name;  // "" for unnamed
};

// Handle values 4, 8, 12 ... of one process; an event lives while some handle refers to it.
class HandleTable {
 public:
  std::uint32_t add(std::shared_ptr<Event> event);
  Event *get(std::uint32_t handle) const;
  std::shared_ptr<Event> share(std::uint32_t handle) const;
  bool close(std::uint32_t handle);
  void clear() { handles_.clear(); }

 private:
  std::uint32_t next_ = 4;
  std::map<std::uint32_t, std::shared_ptr<Event>> handles_;
};

// The desktop's event names; a name is free again once its event is gone.
class EventNames {
 public:
  std::shared_ptr<Event> find(const std::string &name);
  void add(const std::shared_ptr<Event> &event);

 private:
  std::map<std::string, std::weak_ptr<Event>> names_;
};

}  // namespace winsim::server
