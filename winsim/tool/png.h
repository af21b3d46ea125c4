// A PNG writer and reader of our own: 8-bit RGB, stored deflate blocks, no library.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winsim::tool {

struct Image {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;  // width * height * 3, rows top to bottom
};

std::uint32_t crc32(std::string_view bytes);
std::uint32_t adler32(std::string_view bytes);

// The whole file's bytes.
std::string encode_png(const Image &image);
// Reads back what encode_png writes (RGB, 8-bit, stored blocks only); nullopt otherwise.
std::optional<Image> decode_png(std::string_view file);

}  // namespace winsim::tool
