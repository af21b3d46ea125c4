#include "png.h"

#include <algorithm>
#include <array>

namespace winsim::tool {

namespace {

constexpr std::string_view kSignature{"\x89PNG\r\n\x1a\n", 8};
// A stored deflate block holds at most this many bytes.
constexpr std::size_t kStoredMax = 65535;

const std::array<std::uint32_t, 256> &crc_table() {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

void put_u32(std::string &out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

std::uint32_t get_u32(std::string_view s, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<std::uint8_t>(s[at + i]);
  return v;
}

void put_chunk(std::string &out, std::string_view type, std::string_view data) {
  put_u32(out, static_cast<std::uint32_t>(data.size()));
  std::string body(type);
  body += data;
  out += body;
  put_u32(out, crc32(body));
}

std::string zlib_stored(std::string_view raw) {
  std::string z("\x78\x01", 2);
  std::size_t at = 0;
  do {
    std::size_t n = std::min(kStoredMax, raw.size() - at);
    bool last = at + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<char>(n & 0xFF));
    z.push_back(static_cast<char>(n >> 8));
    z.push_back(static_cast<char>(~n & 0xFF));
    z.push_back(static_cast<char>((~n >> 8) & 0xFF));
    z.append(raw.substr(at, n));
    at += n;
  } while (at < raw.size());
  put_u32(z, adler32(raw));
  return z;
}

std::optional<std::string> unzlib_stored(std::string_view z) {
  if (z.size() < 6 || static_cast<std::uint8_t>(z[0]) != 0x78) return std::nullopt;
  std::string raw;
  std::size_t at = 2;
  for (bool last = false; !last;) {
    if (at + 5 > z.size()) return std::nullopt;
    auto b = [&](std::size_t i) { return static_cast<std::uint8_t>(z[at + i]); };
    if ((b(0) & 0x06) != 0) return std::nullopt;  // only stored blocks
    last = b(0) & 1;
    std::size_t n = b(1) | (b(2) << 8);
    if ((n ^ 0xFFFF) != static_cast<std::size_t>(b(3) | (b(4) << 8)) || at + 5 + n > z.size()) return std::nullopt;
    raw.append(z.substr(at + 5, n));
    at += 5 + n;
  }
  if (at + 4 > z.size() || get_u32(z, at) != adler32(raw)) return std::nullopt;
  return raw;
}

}  // namespace

std::uint32_t crc32(std::string_view bytes) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (unsigned char ch : bytes) c = crc_table()[(c ^ ch) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(std::string_view bytes) {
  std::uint32_t a = 1, b = 0;
  for (unsigned char ch : bytes) {
    a = (a + ch) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

std::string encode_png(const Image &image) {
  std::string raw;
  std::size_t stride = static_cast<std::size_t>(image.width) * 3;
  raw.reserve((stride + 1) * static_cast<std::size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);  // filter: none
    raw.append(reinterpret_cast<const char *>(image.rgb.data()) + stride * static_cast<std::size_t>(y), stride);
  }
  std::string ihdr;
  put_u32(ihdr, static_cast<std::uint32_t>(image.width));
  put_u32(ihdr, static_cast<std::uint32_t>(image.height));
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit, RGB, deflate, no filter set, no interlace
  std::string out(kSignature);
  put_chunk(out, "IHDR", ihdr);
  put_chunk(out, "IDAT", zlib_stored(raw));
  put_chunk(out, "IEND", "");
  return out;
}

std::optional<Image> decode_png(std::string_view file) {
  if (file.substr(0, 8) != kSignature) return std::nullopt;
  Image image;
  std::string idat;
  bool header = false, end = false;
  for (std::size_t at = 8; !end;) {
    if (at + 12 > file.size()) return std::nullopt;
    std::uint32_t len = get_u32(file, at);
    if (len > file.size() - at - 12) return std::nullopt;
    std::string_view body = file.substr(at + 4, 4 + len);
    if (crc32(body) != get_u32(file, at + 8 + len)) return std::nullopt;
    std::string_view type = body.substr(0, 4), data = body.substr(4);
    if (type == "IHDR") {
      if (len != 13 || data.substr(8) != std::string_view("\x08\x02\x00\x00\x00", 5)) return std::nullopt;
      image.width = static_cast<int>(get_u32(data, 0));
      image.height = static_cast<int>(get_u32(data, 4));
      header = true;
    } else if (type == "IDAT") {
      idat.append(data);
    } else if (type == "IEND") {
      end = true;
    }
    at += 12 + len;
  }
  auto raw = unzlib_stored(idat);
  std::size_t stride = static_cast<std::size_t>(image.width) * 3;
  if (!header || !raw || raw->size() != (stride + 1) * static_cast<std::size_t>(image.height)) return std::nullopt;
  for (int y = 0; y < image.height; ++y) {
    std::size_t row = (stride + 1) * static_cast<std::size_t>(y);
    if ((*raw)[row] != 0) return std::nullopt;
    image.rgb.insert(image.rgb.end(), raw->begin() + static_cast<std::ptrdiff_t>(row + 1),
                     raw->begin() + static_cast<std::ptrdiff_t>(row + 1 + stride));
  }
  return image;
}

}  // namespace winsim::tool
