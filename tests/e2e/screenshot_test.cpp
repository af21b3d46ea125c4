// Pictures of the desktop with the helper running: files, sizes, and what key pixels show.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "desktop.h"
#include "png.h"
#include "render.h"

using winsim::tool::Image;
using winsim::tool::Rgb;

namespace {

const char kTitle[] = "Quorvane Helper Ostik";
// The helper's window takes the desktop's default place and size.
constexpr int kLeft = 24, kTop = 24, kWidth = 600, kHeight = 450;
// Its client area: inside the frame, below the caption and the menu bar.
constexpr int kClientX = 4, kClientY = 4 + 18 + 18;

}  // namespace

class Screenshot : public Desktop {
 protected:
  std::vector<std::string> startArgs() const override { return {"--vbl", "0"}; }

  std::optional<Image> shoot(std::vector<std::string> args) {
    args.insert(args.begin(), "screenshot");
    Result r = run(args);
    EXPECT_EQ(r.status, 0) << describe(r);
    std::ifstream in(args[1], std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return winsim::tool::decode_png(bytes);
  }

  static bool inked(const Image &img, int x, int y, int w, int h) {
    for (int yy = y; yy < y + h; ++yy)
      for (int xx = x; xx < x + w; ++xx)
        if (winsim::tool::pixel(img, xx, yy) != winsim::tool::kWhite) return true;
    return false;
  }
};

TEST_F(Screenshot, DesktopAndWindowShowTheHelper) {
  launch({binary("ostik"), "nolurk"});
  waitIdle();
  std::vector<std::string> screen = lines("screen", kTitle);
  ASSERT_FALSE(screen.empty());
  std::size_t firstText = screen[0].find_first_not_of(' ');
  ASSERT_NE(firstText, std::string::npos);
  int textX = static_cast<int>(firstText) * 8;

  auto desk = shoot({dir() + "/desk.png"});
  ASSERT_TRUE(desk) << "not a PNG of ours";
  EXPECT_EQ(desk->width, 800);
  EXPECT_EQ(desk->height, 600);
  for (int x : {0, 400, 799}) EXPECT_EQ(winsim::tool::pixel(*desk, x, 599), winsim::tool::kFace) << x;
  EXPECT_EQ(winsim::tool::pixel(*desk, 700, 10), winsim::tool::kDesktopTeal);
  EXPECT_EQ(winsim::tool::pixel(*desk, kLeft + kWidth / 2, kTop + 4 + 9), winsim::tool::kActiveCaption);
  // The first log line's text is drawn where `screen` has it; far right of it stays white.
  EXPECT_TRUE(inked(*desk, kLeft + kClientX + textX, kTop + kClientY, 16, 16));
  EXPECT_FALSE(inked(*desk, kLeft + kWidth - 60, kTop + kClientY, 40, 16));

  auto win = shoot({dir() + "/win.png", kTitle});
  ASSERT_TRUE(win) << "not a PNG of ours";
  ASSERT_EQ(win->width, kWidth);
  ASSERT_EQ(win->height, kHeight);
  // The window's picture is the desktop's, cut to its rectangle.
  for (auto [x, y] : {std::pair{0, 0}, std::pair{300, 10}, std::pair{kClientX + textX + 3, kClientY + 8},
                      std::pair{kWidth - 1, kHeight - 1}})
    EXPECT_EQ(winsim::tool::pixel(*win, x, y), winsim::tool::pixel(*desk, kLeft + x, kTop + y)) << x << "," << y;
  EXPECT_EQ(winsim::tool::pixel(*win, kWidth / 2, kHeight - 20), winsim::tool::kWhite);
}

TEST_F(Screenshot, IconicWindowLeavesOnlyItsTaskbarButton) {
  launch({binary("ostik"), "nolurk"});
  waitIdle();
  ASSERT_EQ(run({"minimize", kTitle}).status, 0);
  waitIdle();
  auto desk = shoot({dir() + "/desk.png"});
  ASSERT_TRUE(desk);
  EXPECT_EQ(winsim::tool::pixel(*desk, kLeft + kWidth / 2, kTop + 4 + 9), winsim::tool::kDesktopTeal);
  EXPECT_EQ(winsim::tool::pixel(*desk, kLeft + 200, kTop + 200), winsim::tool::kDesktopTeal);
  // The task's button carries the title's ink within the taskbar.
  bool text = false;
  for (int y = 576; y < 596; ++y)
    for (int x = 66; x < 200; ++x) text = text || winsim::tool::pixel(*desk, x, y) == winsim::tool::kBlack;
  EXPECT_TRUE(text);
}

TEST_F(Screenshot, RefusalsAndBadUsage) {
  launch({binary("ostik"), "nolurk"});
  waitIdle();
  Result unknown = run({"screenshot", dir() + "/x.png", "No Such Window"});
  EXPECT_EQ(unknown.status, 1) << describe(unknown);
  Result unwritable = run({"screenshot", dir() + "/missing/x.png"});
  EXPECT_EQ(unwritable.status, 1) << describe(unwritable);
  EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos) << describe(unwritable);
  EXPECT_EQ(run({"screenshot"}).status, 2);
  EXPECT_EQ(run({"screenshot", "a.png", kTitle, "extra"}).status, 2);
}

TEST_F(Screenshot, AboutBoxControlsSitWhereTheTemplatePutsThem) {
  launch({binary("ostik"), "nolurk"});
  waitIdle();
  ASSERT_EQ(run({"key", kTitle, "alt+?"}).status, 0);
  waitIdle();
  // The About box's window rectangle, from the first line of `dialogs`.
  std::vector<std::string> dialogs = lines("dialogs");
  ASSERT_FALSE(dialogs.empty());
  std::size_t at = dialogs[0].find("rect=");
  ASSERT_NE(at, std::string::npos) << dialogs[0];
  int left = 0, top = 0, right = 0, bottom = 0;
  ASSERT_EQ(std::sscanf(dialogs[0].c_str() + at, "rect=%d,%d,%d,%d", &left, &top, &right, &bottom), 4);
  auto desk = shoot({dir() + "/about.png"});
  ASSERT_TRUE(desk);
  using winsim::tool::pixel;
  const int cx = left + 4, cy = top + 4 + 18;  // the client area
  // OK is 132,2,32,14 in dialog units (2 x 2 pixels each): a default button at the top right.
  EXPECT_EQ(pixel(*desk, cx + 264, cy + 4), winsim::tool::kBlack);
  EXPECT_EQ(pixel(*desk, cx + 265, cy + 5), winsim::tool::kWhite);
  EXPECT_EQ(pixel(*desk, cx + 268, cy + 8), winsim::tool::kFace);
  EXPECT_EQ(pixel(*desk, cx + 327, cy + 31), winsim::tool::kBlack);
  // The first black rule is 2,31,164,1: pixel rows 62 and 63, face above and below.
  for (int x : {4, 160, 331}) {
    EXPECT_EQ(pixel(*desk, cx + x, cy + 62), winsim::tool::kBlack) << x;
    EXPECT_EQ(pixel(*desk, cx + x, cy + 63), winsim::tool::kBlack) << x;
    EXPECT_EQ(pixel(*desk, cx + x, cy + 61), winsim::tool::kFace) << x;
    EXPECT_EQ(pixel(*desk, cx + x, cy + 64), winsim::tool::kFace) << x;
  }
}
