// The desktop's system font as 8 x 16 coverage masks, one per byte value.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace winsim::tool {

class CellFont {
 public:
  static constexpr int kWidth = 8, kHeight = 16;
  using Mask = std::array<std::uint8_t, kWidth * kHeight>;  // 0 clear .. 255 ink, rows top down

  // Rendered from a monospaced TrueType font when one can be loaded ($WINSIM_FONT, else the
  // one found at build time); otherwise each visible character is a small filled block.
  static CellFont load();
  static CellFont blocks();

  const Mask &mask(unsigned char c) const { return masks_[c]; }
  bool outlined() const { return outlined_; }

 private:
  std::vector<Mask> masks_ = std::vector<Mask>(256);
  bool outlined_ = false;
};

}  // namespace winsim::tool
