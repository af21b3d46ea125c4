// Reading a version resource back from an executable file. Pure functions over bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "resfile.h"

namespace winsim::client {

// The bytes of the named section of an ELF file (32 or 64 bits, little-endian).
std::optional<res::Bytes> elf_section(res::Bytes file, std::string_view name);

// The first version resource (type 16) of a .res image.
std::optional<res::Bytes> version_resource(res::Bytes resFile);

// Where a value of a version block is: `path` as VerQueryValue takes it ("\\",
// "\\StringFileInfo\\040904E4\\ProductName", "\\VarFileInfo\\Translation"), keys matched
// without regard to case.
struct VersionValue {
  std::size_t offset = 0;  // of the value within the block
  std::size_t length = 0;  // the block's value length: characters for text, else bytes
  bool text = false;
};
std::optional<VersionValue> find_version_value(res::Bytes block, std::string_view path);

}  // namespace winsim::client
