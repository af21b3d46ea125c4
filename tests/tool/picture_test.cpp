// Desktop pictures: the PNG encoding, the scene listing read back, and the painting.
#include <gtest/gtest.h>

#include "png.h"
#include "render.h"
#include "scene.h"

using namespace winsim::tool;

namespace {

Image solid(int w, int h, std::uint8_t seed) {
  Image img{w, h, {}};
  for (int i = 0; i < w * h * 3; ++i) img.rgb.push_back(static_cast<std::uint8_t>(seed + i * 7));
  return img;
}

Scene parsed(const std::string &text) {
  std::string bad;
  auto scene = parse_scene(text, &bad);
  EXPECT_TRUE(scene) << "rejected: " << bad;
  return scene ? *scene : Scene{};
}

}  // namespace

TEST(Png, ChecksumsMatchKnownValues) {
  EXPECT_EQ(crc32("IEND"), 0xAE426082u);
  EXPECT_EQ(crc32(""), 0u);
  EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(adler32("Wikipedia"), 0x11E60398u);
  EXPECT_EQ(adler32(""), 1u);
}

TEST(Png, ImagesReadBackExactly) {
  // 2 x 2 is the smallest useful picture; 200 x 200 needs several stored blocks.
  for (auto [w, h] : {std::pair{2, 2}, std::pair{200, 200}, std::pair{1, 300}}) {
    Image img = solid(w, h, 3);
    std::string file = encode_png(img);
    ASSERT_EQ(file.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(file.substr(file.size() - 12), std::string("\0\0\0\0IEND\xae\x42\x60\x82", 12));
    auto back = decode_png(file);
    ASSERT_TRUE(back) << w << "x" << h;
    EXPECT_EQ(back->width, w);
    EXPECT_EQ(back->height, h);
    EXPECT_EQ(back->rgb, img.rgb);
  }
}

TEST(Png, DamagedFilesAreRefused) {
  std::string file = encode_png(solid(4, 3, 9));
  ASSERT_TRUE(decode_png(file));
  std::string flipped = file;
  flipped[file.size() / 2] ^= 0x01;  // inside the pixel data: its CRC no longer holds
  EXPECT_FALSE(decode_png(flipped));
  EXPECT_FALSE(decode_png(file.substr(0, file.size() - 13)));  // no IEND
}

TEST(Scene, ReadsWindowsRowsControlsAndPopups) {
  Scene s = parsed(
      "window 0x00010010 24 24 624 474 1 0 1 window Title with \\\\ and \\x01\n"
      "bar &File\n"
      "row 0 \\\"quoted\\\" \\\\x\n"
      "row 3 three\n"
      "window 0x00010014 10 20 300 200 1 0 0 dialog About\n"
      "control 1 button default,focus OK\n"
      "control -1 static - \n"
      "popup 128 164\n"
      "item 0x00000000 Trigger &Video\n"
      "item 0x00000800 \n");
  ASSERT_EQ(s.windows.size(), 2u);
  const SceneWindow &w = s.windows[0];
  EXPECT_EQ(w.hwnd, 0x00010010u);
  EXPECT_EQ(w.right, 624);
  EXPECT_TRUE(w.visible && !w.iconic && w.foreground && !w.is_dialog());
  EXPECT_EQ(w.title, "Title with \\ and \x01");
  EXPECT_EQ(w.bar, std::vector<std::string>{"&File"});
  ASSERT_EQ(w.rows.size(), 2u);
  EXPECT_EQ(w.rows[0], (std::pair<int, std::string>{0, "\"quoted\" \\x"}));
  EXPECT_EQ(w.rows[1].first, 3);
  const SceneWindow &d = s.windows[1];
  EXPECT_TRUE(d.is_dialog());
  ASSERT_EQ(d.controls.size(), 2u);
  EXPECT_TRUE(d.controls[0].has("default") && d.controls[0].has("focus"));
  EXPECT_EQ(d.controls[0].text, "OK");
  EXPECT_TRUE(d.controls[1].flags.empty());
  EXPECT_EQ(d.controls[1].text, "");
  ASSERT_EQ(s.popups.size(), 1u);
  ASSERT_EQ(s.popups[0].items.size(), 2u);
  EXPECT_EQ(s.popups[0].items[1].flags, 0x800u);
}

TEST(Scene, MalformedLinesAreRefused) {
  const char *cases[] = {
      "row 0 before any window\n",
      "window 0x10 1 2 3 4 1 0 maybe window T\n",  // flag not 0/1
      "window 0x10 1 2 3 4 1 0 1 frame T\n",       // unknown kind
      "window 0x10 1 2 3\n",
      "window 0x10 0 0 9 9 1 0 1 window T\nrow x text\n",
      "item 0x0 no popup yet\n",
      "banner hello\n",
  };
  for (const char *text : cases) {
    std::string bad;
    EXPECT_FALSE(parse_scene(text, &bad)) << text;
    EXPECT_FALSE(bad.empty()) << text;
  }
  EXPECT_TRUE(parse_scene(""));
}

class Render : public ::testing::Test {
 protected:
  // A foreground window with a menu and text, a background window under it, an iconic one.
  Scene scene = parsed(
      "window 0x00010010 300 300 500 450 1 0 0 window Behind\n"
      "window 0x00010018 600 100 700 200 0 1 0 window Iconic\n"
      "window 0x00010014 24 24 424 324 1 0 1 window Front\n"
      "bar &File\n"
      "row 1 Hello\n");
  CellFont font = CellFont::blocks();
  Image img = render_scene(scene, font);
  // Front's client area starts below frame, caption and menu bar.
  static constexpr int kClientX = 24 + 4, kClientY = 24 + 4 + 18 + 18;
};

TEST_F(Render, PaintsDesktopWindowsAndTaskbar) {
  EXPECT_EQ(img.width, kScreenWidth);
  EXPECT_EQ(img.height, kScreenHeight);
  EXPECT_EQ(pixel(img, 5, 5), kDesktopTeal);
  EXPECT_EQ(pixel(img, 700, kScreenHeight - 1), kFace) << "taskbar";
  EXPECT_EQ(pixel(img, 700, kScreenHeight - kTaskbarHeight - 1), kDesktopTeal);
  EXPECT_EQ(pixel(img, 200, 30), kActiveCaption) << "foreground caption";
  EXPECT_EQ(pixel(img, 430, 310), kInactiveCaption) << "background caption";
  EXPECT_EQ(pixel(img, 650, 150), kDesktopTeal) << "an iconic window shows only in the taskbar";
  EXPECT_EQ(pixel(img, kClientX + 300, kClientY + 200), kWhite);
  // "Hello" is on cell row 1; the row above stays white.
  bool inked = false, above = false;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 40; ++x) {
      inked = inked || pixel(img, kClientX + x, kClientY + 16 + y) != kWhite;
      above = above || pixel(img, kClientX + x, kClientY + y) != kWhite;
    }
  EXPECT_TRUE(inked);
  EXPECT_FALSE(above);
}

TEST_F(Render, WindowsDrawnLaterCoverEarlierOnes) {
  // Behind's caption shows right of Front; left of x = 424 Front's client area covers it.
  EXPECT_EQ(pixel(img, 430, 310), kInactiveCaption);
  EXPECT_EQ(pixel(img, 350, 310), kWhite);
}

TEST_F(Render, CropKeepsTheRectangleAndBlacksOutWhatIsOffScreen) {
  Image w = crop(img, 24, 24, 424, 324);
  EXPECT_EQ(w.width, 400);
  EXPECT_EQ(w.height, 300);
  EXPECT_EQ(pixel(w, 176, 6), kActiveCaption);
  Image edge = crop(img, 790, 590, 810, 610);
  EXPECT_EQ(pixel(edge, 0, 0), pixel(img, 790, 590));
  EXPECT_EQ(pixel(edge, 15, 15), kBlack);
}

TEST(Scene, RectLinesPlaceTheControlBeforeThem) {
  Scene s = parsed(
      "window 0x00010014 10 20 300 200 1 0 1 dialog About\n"
      "control 1 button default OK\n"
      "rect 264 4 328 32 16\n"
      "control -1 static blackrect \n");
  ASSERT_EQ(s.windows.size(), 1u);
  const SceneControl &ok = s.windows[0].controls[0];
  EXPECT_TRUE(ok.placed);
  EXPECT_EQ(ok.left, 264);
  EXPECT_EQ(ok.bottom, 32);
  EXPECT_EQ(ok.font, 16);
  EXPECT_FALSE(s.windows[0].controls[1].placed);
  const char *bad[] = {
      "window 0x10 0 0 9 9 1 0 1 dialog T\nrect 0 0 1 1 16\n",                       // no control yet
      "window 0x10 0 0 9 9 1 0 1 dialog T\ncontrol 1 button - OK\nrect 0 0 1\n",     // too short
      "window 0x10 0 0 9 9 1 0 1 dialog T\ncontrol 1 button - OK\nrect 5 0 1 1 16\n",  // left past right
      "window 0x10 0 0 9 9 1 0 1 dialog T\ncontrol 1 button - OK\nrect 0 0 1 1 16\nrect 0 0 1 1 16\n",
  };
  for (const char *text : bad) EXPECT_FALSE(parse_scene(text)) << text;
}

// A dialog whose controls carry rectangles is painted from them, not from the flowing rule.
TEST(RenderDialog, ControlsSitAtTheirRectangles) {
  Scene scene = parsed(
      "window 0x00010014 100 100 442 274 1 0 1 dialog About\n"
      "control 1 button default,focus OK\n"
      "rect 264 4 328 32 16\n"
      "control -1 static blackrect \n"
      "rect 4 62 332 64 16\n"
      "control 402 static right 1.0\n"
      "rect 212 20 246 36 14\n"
      "control 400 static - WWWWWWWWWWWWWWWWWWWW\n"
      "rect 60 100 100 116 14\n");
  CellFont font = CellFont::blocks();
  Image img = render_scene(scene, font);
  const int cx = 100 + 4, cy = 100 + 4 + 18;  // the dialog's client area
  auto ink = [&](int x, int y, int w, int h) {
    for (int yy = y; yy < y + h; ++yy)
      for (int xx = x; xx < x + w; ++xx)
        if (pixel(img, xx, yy) != kFace) return true;
    return false;
  };
  // OK: black default frame, raised edge, face inside, top right where its rectangle says.
  EXPECT_EQ(pixel(img, cx + 264, cy + 4), kBlack);
  EXPECT_EQ(pixel(img, cx + 327, cy + 31), kBlack);
  EXPECT_EQ(pixel(img, cx + 265, cy + 5), kWhite);
  EXPECT_EQ(pixel(img, cx + 268, cy + 8), kFace);
  EXPECT_EQ(pixel(img, cx + 326, cy + 30), kBlack) << "inner dark edge of the bevel";
  EXPECT_TRUE(ink(cx + 264 + 24, cy + 4 + 6, 16, 16)) << "the centred caption";
  // Nothing where the flowing rule would have put the button: centred along the bottom.
  EXPECT_FALSE(ink(cx + 171 - 37, cy + 152 - 33, 75, 23));
  // The black rule: two rows, face above and below.
  for (int x : {4, 168, 331}) {
    EXPECT_EQ(pixel(img, cx + x, cy + 62), kBlack) << x;
    EXPECT_EQ(pixel(img, cx + x, cy + 63), kBlack) << x;
    EXPECT_EQ(pixel(img, cx + x, cy + 61), kFace) << x;
    EXPECT_EQ(pixel(img, cx + x, cy + 64), kFace) << x;
  }
  // Right-aligned text hugs its right edge; the long text stops at its rectangle.
  EXPECT_TRUE(ink(cx + 246 - 8, cy + 20, 8, 16));
  EXPECT_FALSE(ink(cx + 212, cy + 20, 246 - 212 - 3 * 8, 16));
  EXPECT_TRUE(ink(cx + 60, cy + 100, 40, 16));
  EXPECT_FALSE(ink(cx + 100, cy + 100, 200, 16));
  EXPECT_FALSE(ink(cx + 60, cy + 116, 40, 16)) << "a word wider than the control is cut, not wrapped";
}
