// The desktop's record: one line per thing the platform or the adapter was asked.
#pragma once

#include <string>
#include <vector>

namespace winsim::server {

class Record {
 public:
  // The oldest lines go once there are too many: the adapter's clock adds one per signal.
  void add(std::string line) {
    if (lines_.size() >= 2 * kKeep) lines_.erase(lines_.begin(), lines_.begin() + kKeep);
    lines_.push_back(std::move(line));
  }
  static constexpr std::size_t kKeep = 50000;
  const std::vector<std::string> &lines() const { return lines_; }
  // One line each, oldest first, for Query("log").
  std::string text() const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace winsim::server
