// The desktop's record: one line per thing the platform or the adapter was asked.
#pragma once

#include <string>
#include <vector>

namespace winsim::server {

class Record {
 public:
  void add(std::string line) { lines_.push_back(std::move(line)); }
  const std::vector<std::string> &lines() const { return lines_; }
  // One line each, oldest first, for Query("log").
  std::string text() const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace winsim::server
