// Reading a compiled resource file (.res) and the resource formats inside it. Pure functions
// over bytes, so that tests can feed them any .res.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace winsim::res {

using Bytes = std::span<const std::uint8_t>;

// A resource type or name: a 16-bit id, or a text kept upper-cased for matching.
struct Name {
  bool isId = true;
  std::uint16_t id = 0;
  std::u16string text;
  bool operator==(const Name &) const = default;
};

Name id_name(std::uint16_t id);
// An ANSI name as a program gives it; "#123" is the id 123.
Name text_name(std::string_view text);

struct Entry {
  Name type;
  Name name;
  std::uint16_t language = 0;
  Bytes data;
};

// Every entry but the empty first one; nullopt when the file is malformed.
std::optional<std::vector<Entry>> parse_res(Bytes file);

const Entry *find(const std::vector<Entry> &entries, const Name &type, const Name &name);

// UTF-16 to code page 1252; characters it lacks become '?'.
std::string to_ansi(std::u16string_view text);

// String `id` of the string table, nullopt when absent (an empty string counts as absent).
std::optional<std::string> find_string(const std::vector<Entry> &entries, std::uint32_t id);

struct Accel {
  std::uint8_t fVirt = 0;
  std::uint16_t key = 0;
  std::uint16_t cmd = 0;
};
std::optional<std::vector<Accel>> parse_accelerators(Bytes data);

// A standard menu template turned into the serialized items of the CreateMenu request.
std::optional<std::string> menu_items(Bytes data);

}  // namespace winsim::res
