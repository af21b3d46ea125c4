// Paints a scene the way the desktop shows it: 800 x 600, taskbar at the bottom.
#pragma once

#include <cstdint>

#include "glyphs.h"
#include "png.h"
#include "scene.h"

namespace winsim::tool {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb &) const = default;
};

inline constexpr int kScreenWidth = 800, kScreenHeight = 600, kTaskbarHeight = 28;

inline constexpr Rgb kDesktopTeal{0, 128, 128};
inline constexpr Rgb kFace{192, 192, 192};
inline constexpr Rgb kShadow{128, 128, 128};
inline constexpr Rgb kActiveCaption{0, 0, 128};
inline constexpr Rgb kInactiveCaption{128, 128, 128};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

Image render_scene(const Scene &scene, const CellFont &font);
// The part of `image` inside the rectangle; what lies off the image is black.
Image crop(const Image &image, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
Rgb pixel(const Image &image, int x, int y);

}  // namespace winsim::tool
