#include "glyphs.h"

#include <cstdlib>

#ifdef WINSIM_HAVE_FREETYPE
#include <ft2build.h>
#include FT_FREETYPE_H
#endif

namespace winsim::tool {

namespace {

#ifdef WINSIM_HAVE_FREETYPE
// About 13 px to the em gives DejaVu-like monospaced faces an 8-pixel advance.
constexpr int kPixelSize = 13;
constexpr int kBaseline = 12;

bool render_outlines(const char *file, std::vector<CellFont::Mask> &masks) {
  FT_Library lib = nullptr;
  if (FT_Init_FreeType(&lib)) return false;
  FT_Face face = nullptr;
  bool ok = FT_New_Face(lib, file, 0, &face) == 0 && FT_Set_Pixel_Sizes(face, 0, kPixelSize) == 0;
  for (int c = 33; ok && c < 127; ++c) {
    if (FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL)) continue;
    const FT_GlyphSlot g = face->glyph;
    const FT_Bitmap &bm = g->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY) continue;
    for (unsigned row = 0; row < bm.rows; ++row) {
      int y = kBaseline - g->bitmap_top + static_cast<int>(row);
      for (unsigned col = 0; col < bm.width; ++col) {
        int x = g->bitmap_left + static_cast<int>(col);
        if (x < 0 || x >= CellFont::kWidth || y < 0 || y >= CellFont::kHeight) continue;
        masks[static_cast<std::size_t>(c)][static_cast<std::size_t>(y * CellFont::kWidth + x)] =
            bm.buffer[static_cast<std::ptrdiff_t>(row) * bm.pitch + col];
      }
    }
  }
  if (face) FT_Done_Face(face);
  FT_Done_FreeType(lib);
  return ok;
}
#endif

}  // namespace

CellFont CellFont::blocks() {
  CellFont f;
  for (int c = 33; c < 256; ++c) {
    if (c == 127) continue;
    for (int y = 4; y < 13; ++y)
      for (int x = 1; x < 7; ++x) f.masks_[static_cast<std::size_t>(c)][static_cast<std::size_t>(y * kWidth + x)] = 255;
  }
  return f;
}

CellFont CellFont::load() {
#ifdef WINSIM_HAVE_FREETYPE
  const char *file = std::getenv("WINSIM_FONT");
#ifdef WINSIM_FONT_FILE
  if (!file || !*file) file = WINSIM_FONT_FILE;
#endif
  if (file && *file) {
    CellFont f;
    if (render_outlines(file, f.masks_)) {
      f.outlined_ = true;
      return f;
    }
  }
#endif
  return blocks();
}

}  // namespace winsim::tool
