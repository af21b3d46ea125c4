// Command-line shapes of the verbs and the numbers they take. Pure: no I/O.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winsim::tool {

// What a verb accepts besides its positional arguments.
struct ArgShape {
  std::vector<std::string> valued;  // names of --NAME VALUE options
  bool anyKey = false;              // any --KEY VALUE (desktop settings)
  bool stopAtPositional = false;    // the first positional ends the options (launch)
  std::size_t minArgs = 0;
  std::size_t maxArgs = 0;
};

struct Args {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  std::vector<std::string> settings;  // "KEY=VALUE" from anyKey options, in order given

  bool has(const std::string &name) const { return options.count(name) != 0; }
};

// nullopt: unknown option, missing value or wrong number of positionals. "--" ends the
// options; "--NAME=VALUE" is accepted for "--NAME VALUE".
std::optional<Args> parse_args(const std::vector<std::string> &argv, const ArgShape &shape);

// Unsigned decimal or 0x hex that fits in 32 bits.
std::optional<std::uint32_t> parse_u32(std::string_view text);
// WPARAM/LPARAM: decimal, negative decimal (two's complement) or 0x hex, 64 bits.
std::optional<std::uint64_t> parse_param(std::string_view text);
// Seconds, possibly with a fraction ("2", "0.5"), as milliseconds.
std::optional<std::uint32_t> parse_seconds(std::string_view text);

}  // namespace winsim::tool
