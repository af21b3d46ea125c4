// Desktop and adapter settings: a fixed table of keys, each with its default and its check.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace winsim::server {

class Settings {
 public:
  Settings();

  // Checks every "KEY=VALUE" item, then applies all of them; nothing is applied when one is
  // refused. Returns the refusal ("" when all were applied).
  std::string apply(const std::vector<std::string> &items);

  // Why VALUE is refused for KEY ("" when it is fine).
  static std::string check(const std::string &key, const std::string &value);

  const std::string *find(const std::string &key) const;
  const std::string &get(const std::string &key) const;  // key must be in the table
  // A numeric setting (decimal, 0x hex, or negative decimal), as 32 bits.
  std::uint32_t number(const std::string &key) const;

  // "KEY=VALUE" lines in the table's order.
  std::string show() const;
  // The GetVersion value the version setting stands for.
  std::uint32_t version_value() const;

 private:
  std::vector<std::pair<std::string, std::string>> values_;
};

// Parses a 32-bit integer: decimal (optionally negative) or 0x hex.
std::optional<std::uint32_t> parse_u32(const std::string &text);

}  // namespace winsim::server
